// Compiled resource files (.res), as the headless backend reads its program's: ResFile over any
// bytes, then each dialog template, menu, string, icon and bitmap it holds. There is no writer, so
// no round trip: what reads must read without a fault, and what does not must say so with
// ResFileError.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "res_file.h"

namespace {

using fw::headless::DialogItemTemplate;
using fw::headless::MenuItemTemplate;
using fw::headless::ResFile;
using fw::headless::ResFileError;

// The most a single allocation may take per input byte. A stored record takes at least 16 bytes
// (two sizes, an ordinal type, an empty name, aligned) and adds a 24-byte entry to a list that
// grows by doubling; a dialog item takes at least 30 bytes and adds a DialogItemTemplate to the
// dialog's list, a menu item at least 4 (a pop-up's flags and empty text) and adds a
// MenuItemTemplate to the menu's; strings are never longer than their data but grow by doubling.
constexpr std::size_t kMinRecordBytes = 16;
constexpr std::size_t kEntryBytes = 2 * sizeof(int) + sizeof(void*) + sizeof(std::size_t);
constexpr std::size_t kMinItemBytes = 30;
constexpr std::size_t kMinMenuItemBytes = 4;
constexpr std::size_t kGrowth =
    std::max({std::size_t{2}, (2 * kEntryBytes + kMinRecordBytes - 1) / kMinRecordBytes,
              (2 * sizeof(DialogItemTemplate) + kMinItemBytes - 1) / kMinItemBytes,
              (2 * sizeof(MenuItemTemplate) + kMinMenuItemBytes - 1) / kMinMenuItemBytes});

// At most this many resources are looked at, so that each input stays fast.
constexpr std::size_t kMostResources = 64;

// The resources named by ordinals, as their types and ids, found by a walk of the records of their
// own (the reader keeps its list to itself); it stops at anything unexpected, which the reader has
// refused already. A record starts at a multiple of four with its data's size and its header's,
// then its type and name: 0xFFFF and an ordinal each, or a string.
std::vector<std::pair<int, int>> resources(const std::uint8_t* data, std::size_t size) {
    const auto word = [&](std::size_t at) { return data[at] | data[at + 1] << 8; };
    const auto dword = [&](std::size_t at) {
        return static_cast<std::uint32_t>(word(at)) | static_cast<std::uint32_t>(word(at + 2))
                                                          << 16;
    };
    std::vector<std::pair<int, int>> found;
    for (std::size_t start = 0; start + 16 <= size && found.size() < kMostResources;) {
        const std::uint32_t dataSize = dword(start);
        const std::uint32_t headerSize = dword(start + 4);
        if (headerSize < 16 || headerSize > size - start || dataSize > size - start - headerSize) {
            break;
        }
        const int type = word(start + 10);
        const int id = word(start + 14);
        if (word(start + 8) == 0xFFFF && word(start + 12) == 0xFFFF && type != 0 && id != 0) {
            found.push_back({type, id});
        }
        start += (headerSize + dataSize + 3) & ~std::size_t{3};
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::AllocationLimit limit(size, kGrowth);
    try {
        const ResFile file(data, size);
        for (const auto& [type, id] : resources(data, size)) {
            try {
                if (type == ResFile::kDialog) {
                    (void)file.dialog(id);
                } else if (type == ResFile::kMenu) {
                    (void)file.menu(id);
                } else if (type == ResFile::kString) {
                    // Block n holds the strings 16 * (n - 1) to 16 * n - 1.
                    for (int string = 16 * (id - 1); string < 16 * id; ++string) {
                        (void)file.string(string);
                    }
                } else if (type == ResFile::kBitmap) {
                    (void)file.bitmap(id);
                } else if (type == ResFile::kGroupIcon) {
                    fuzz::check(file.hasIcon(id), "a group icon read is there");
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
