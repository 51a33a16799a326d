// Compiled resource files (.res), as the headless backend reads its program's: ResFile over any
// bytes, then each dialog template, string, icon and bitmap it holds. There is no writer, so no
// round trip: what reads must read without a fault, and what does not must say so with
// ResFileError.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "res_file.h"

namespace {

using fw::headless::DialogItemTemplate;
using fw::headless::ResFile;
using fw::headless::ResFileError;

// The most a single allocation may take per input byte. A stored record takes at least 16 bytes
// (two sizes, an ordinal type, an empty name, aligned) and adds a 24-byte entry to a list that
// grows by doubling; a dialog item takes at least 30 bytes and adds a DialogItemTemplate to the
// dialog's list; strings are never longer than their data but grow by doubling.
constexpr std::size_t kMinRecordBytes = 16;
constexpr std::size_t kEntryBytes = 2 * sizeof(int) + sizeof(void*) + sizeof(std::size_t);
constexpr std::size_t kMinItemBytes = 30;
constexpr std::size_t kGrowth =
    std::max({std::size_t{2}, (2 * kEntryBytes + kMinRecordBytes - 1) / kMinRecordBytes,
              (2 * sizeof(DialogItemTemplate) + kMinItemBytes - 1) / kMinItemBytes});

// At most this many resources are looked at, so that each input stays fast.
constexpr std::size_t kMostResources = 64;

struct Resource {
    int type;
    int id;
};

// The resources named by ordinals, found by a walk of the records of their own (the reader keeps
// its list to itself); it stops at anything unexpected, which the reader has refused already.
std::vector<Resource> resources(const std::uint8_t* data, std::size_t size) {
    std::vector<Resource> found;
    const auto word = [&](std::size_t at) {
        return static_cast<unsigned>(data[at] | data[at + 1] << 8);
    };
    const auto dword = [&](std::size_t at) {
        return word(at) | static_cast<std::uint32_t>(word(at + 2)) << 16;
    };
    // An ordinal, or 0 for a name; false when the data ends first.
    const auto nameOrId = [&](std::size_t& at, int& id) {
        if (size - at < 2) {
            return false;
        }
        if (word(at) == 0xFFFF) {
            if (size - at < 4) {
                return false;
            }
            id = static_cast<int>(word(at + 2));
            at += 4;
            return true;
        }
        id = 0;
        for (;;) {
            if (size - at < 2) {
                return false;
            }
            const bool last = word(at) == 0;
            at += 2;
            if (last) {
                return true;
            }
        }
    };
    std::size_t start = 0;
    while (size - start >= 8 && found.size() < kMostResources) {
        const std::uint32_t dataSize = dword(start);
        const std::uint32_t headerSize = dword(start + 4);
        std::size_t at = start + 8;
        int type = 0;
        int id = 0;
        if (!nameOrId(at, type) || !nameOrId(at, id) || headerSize > size - start ||
            dataSize > size - start - headerSize) {
            break;
        }
        if (type != 0 && id != 0) {
            found.push_back({type, id});
        }
        start += headerSize + dataSize;
        start += (4 - start % 4) % 4;
        if (headerSize == 0 || start > size) {
            break;
        }
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::AllocationLimit limit(size, kGrowth);
    try {
        const ResFile file(data, size);
        for (const Resource& resource : resources(data, size)) {
            try {
                switch (resource.type) {
                case ResFile::kDialog:
                    (void)file.dialog(resource.id);
                    break;
                case ResFile::kString:
                    // Block n holds the strings 16 * (n - 1) to 16 * n - 1.
                    for (int id = 16 * (resource.id - 1); id < 16 * resource.id; ++id) {
                        (void)file.string(id);
                    }
                    break;
                case ResFile::kGroupIcon:
                    fuzz::check(file.hasIcon(resource.id), "a group icon read is there");
                    break;
                case ResFile::kBitmap:
                    (void)file.bitmap(resource.id);
                    break;
                default:
                    break;
                }
            } catch (const ResFileError&) {
                // A malformed template, string block or bitmap: said so, as it should be.
            }
        }
    } catch (const ResFileError&) {
        // Malformed records: the file is refused as a whole.
    }
    return 0;
}
