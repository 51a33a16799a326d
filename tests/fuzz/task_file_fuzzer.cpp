// "Tasks.dat", the task file: ReadTasks over any bytes, and for those that load, a stable round
// trip through WriteTasks.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "dialer/scheduler/task_store.h"
#include "fuzz_support.h"

namespace {

// The most a single allocation may take per input byte: each task takes at least 26 bytes of
// the file (two empty strings and six integers) and adds a CTasks to the list, whose storage
// grows by doubling: 2 * sizeof(CTasks) / 26 bytes per byte, rounded up. Strings are never
// longer than the data (the archive checks lengths first).
constexpr std::size_t kMinTaskBytes = 2 + 6 * 4;
constexpr std::size_t kGrowth = (2 * sizeof(CTasks) + kMinTaskBytes - 1) / kMinTaskBytes;

std::optional<CTaskList> readFile() {
    return fuzz::load([](fw::Archive& ar) { return ReadTasks(ar); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::AllocationLimit limit(size, kGrowth);
    fuzz::putFile(fuzz::bytesOf(data, size));
    const std::optional<CTaskList> loaded = readFile();
    if (!loaded) {
        return 0;
    }
    fuzz::check(fuzz::resaved(*loaded, readFile, WriteTasks) == *loaded,
                "saved tasks load as the same list");
    return 0;
}
