// "Tasks.dat", the task file: ReadTasks over any bytes, and for those that load, a stable round
// trip through WriteTasks.
#include <cstddef>
#include <cstdint>

#include "dialer/scheduler/task_store.h"
#include "fuzz_support.h"

namespace {

// The most a single allocation may take per input byte: each task takes at least 26 bytes of
// the file (two empty strings and six integers) and adds a CTasks to the list, whose storage
// grows by doubling: 2 * sizeof(CTasks) / 26 bytes per byte, rounded up. Strings are never
// longer than the data (the archive checks lengths first).
constexpr std::size_t kMinTaskBytes = 2 + 6 * 4;
constexpr std::size_t kGrowth = (2 * sizeof(CTasks) + kMinTaskBytes - 1) / kMinTaskBytes;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::loadSaveLoad(data, size, kGrowth, ReadTasks, WriteTasks,
                       [](const CTaskList& loaded, const CTaskList& again) {
                           fuzz::check(again == loaded, "saved tasks load as the same list");
                       });
    return 0;
}
