// Shortcut (.lnk) files: fw::shortcut::read over any bytes, and for a shortcut that reads, a
// stable round trip through fw::shortcut::write.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "shortcut_file.h"

namespace {

// The most a single allocation may take per input byte: the target joins two strings of the link
// information, which may be one and the same (up to twice the data); the shortcut written anew
// holds it and grows by doubling as it is written (up to four times).
constexpr std::size_t kGrowth = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::AllocationLimit limit(size, kGrowth);
    const std::optional<fw::shortcut::Shortcut> link =
        fw::shortcut::read(fuzz::bytesOf(data, size));
    if (!link) {
        return 0;
    }
    // Read, write, read: the same shortcut, and the same bytes when written again.
    const std::string first = fw::shortcut::write(*link);
    const std::optional<fw::shortcut::Shortcut> again = fw::shortcut::read(first);
    fuzz::check(again == link, "a written shortcut reads as the same shortcut");
    fuzz::check(fw::shortcut::write(*again) == first, "a written shortcut writes the same bytes");
    return 0;
}
