// What every fuzz target shares: a check that stops the run, a limit on single allocations tied
// to the input's size, and the headless file sandbox as the route from bytes to an archive and
// back, as the programs' own files take it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/archive.h"
#include "framework/file.h"

namespace fuzz {

// Prints what failed with a stack trace and aborts: libFuzzer keeps the input as a crash.
[[noreturn]] void fail(const char* what);
inline void check(bool ok, const char* what) {
    if (!ok) {
        fail(what);
    }
}

// The fixed part of the limit below: room for what a reader allocates whatever the input's
// size. The archive's buffer (fw::Archive::kDefaultBuffer, 4,096 bytes) is the largest; the
// sandbox's folders, a FileError's message, a shortcut's link information written anew (about
// 60 bytes more than the smallest one read) and the like take a few hundred bytes more. 8 KiB
// is well below what a length field trusted blindly asks for: 64 KiB for a 16-bit length of
// bytes, 128 KiB for one of UTF-16 units, up to 4 GiB for a 32-bit one.
constexpr std::size_t kAllocationSlack = 8 * 1024;

// While one lives, on this thread, any single allocation (operator new, malloc and the like,
// through the sanitizer's allocator hook) larger than growth * inputSize + kAllocationSlack
// fails the run. growth is the most a reader may allocate at once per byte of input: 1 for a
// string as long as the data, 2 where a string or vector grows by doubling, and more where a
// vector holds a record larger than the bytes it was read from (each target works its own out).
class AllocationLimit {
  public:
    AllocationLimit(std::size_t inputSize, std::size_t growth);
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
    ~AllocationLimit();

  private:
    std::size_t previous_;
};

inline std::string bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The sandbox's file that load and store use.
constexpr const char* kFile = "fuzz.dat";

// Empties the sandbox (nothing of an earlier input is left) and puts the bytes in kFile.
void putFile(const std::string& bytes);
// The bytes of kFile.
std::string fileBytes();

// A target of a file read through an archive: under the limit on allocations, puts the input in
// kFile and loads it with read (an optional record from an archive, opened as the programs open
// their files); for a record that loads, checks that what write saves of it loads again and saves
// to the same bytes, and hands the first and the second record to same, the target's own
// comparison.
template <typename Read, typename Write, typename Same>
void loadSaveLoad(const std::uint8_t* data, std::size_t size, std::size_t growth, Read read,
                  Write write, Same same) {
    const AllocationLimit limit(size, growth);
    const auto load = [&] {
        fw::File file;
        file.open(kFile, fw::FileMode::read);
        fw::Archive archive(file, fw::Archive::Mode::load);
        return read(archive);
    };
    // The bytes of the record saved into kFile, emptied first; kFile keeps them.
    const auto save = [&](const auto& record) {
        {
            fw::File file;
            file.open(kFile, fw::FileMode::createWrite);
            fw::Archive archive(file, fw::Archive::Mode::store);
            write(archive, record);
            archive.close();
            file.close();
        }
        return fileBytes();
    };
    putFile(bytesOf(data, size));
    const auto loaded = load();
    if (!loaded) {
        return;
    }
    const std::string first = save(*loaded);
    const auto again = load();  // kFile holds first
    check(again.has_value(), "what is saved loads again");
    check(save(*again) == first, "what is saved saves to the same bytes");
    same(*loaded, *again);
}

}  // namespace fuzz
