#include "fuzz_support.h"

#include <sanitizer/allocator_interface.h>
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "sandbox.h"

// The headless backend, which the fuzz programs link for its file sandbox, reads its program's
// compiled resources (cmake/resources.cmake embeds them); a fuzz program has none.
extern const unsigned char fw_resource_data[] = {0};
extern const std::size_t fw_resource_size = 0;

namespace fuzz {

namespace {

// 0: no limit. Thread-local, so that nothing libFuzzer's own threads allocate is counted; a
// plain value, which the hook may read without allocating.
thread_local std::size_t allocationLimit = 0;
thread_local std::size_t limitedInputSize = 0;

// Says the message, with a stack trace, and aborts: libFuzzer keeps the input as a crash. Writes
// without allocating, as the hook runs inside the allocator; a message this short reaches the
// stream in one write.
[[noreturn]] void stop(const char* message) {
    allocationLimit = 0;  // what reporting allocates is not checked
    (void)!::write(STDERR_FILENO, message, std::strlen(message));
    __sanitizer_print_stack_trace();
    std::abort();
}

void onMalloc(const volatile void*, std::size_t size) {
    const std::size_t limit = allocationLimit;
    if (limit == 0 || size <= limit) {
        return;
    }
    char message[200];
    std::snprintf(message, sizeof message,
                  "==fuzz== an allocation of %zu bytes for an input of %zu bytes: beyond the "
                  "limit of %zu bytes\n",
                  size, limitedInputSize, limit);
    stop(message);
}

void onFree(const volatile void*) {}

}  // namespace

void fail(const char* what) {
    char message[300];
    std::snprintf(message, sizeof message, "==fuzz== check failed: %s\n", what);
    stop(message);
}

AllocationLimit::AllocationLimit(std::size_t inputSize, std::size_t growth)
    : previous_(allocationLimit) {
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
    check(hooked, "the allocation hook could not be installed (no sanitizer allocator?)");
    limitedInputSize = inputSize;
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    allocationLimit = inputSize > (most - kAllocationSlack) / growth
                          ? most
                          : inputSize * growth + kAllocationSlack;
}

AllocationLimit::~AllocationLimit() {
    allocationLimit = previous_;
}

void putFile(const std::string& bytes) {
    // Emptied once; kFile, emptied by every createWrite, is all that a target then puts there.
    [[maybe_unused]] static const bool reset = (fw::headless::resetSandbox(), true);
    fw::File file;
    file.open(kFile, fw::FileMode::createWrite);
    file.write(bytes.data(), bytes.size());
    file.close();
}

std::string fileBytes() {
    fw::File file;
    file.open(kFile, fw::FileMode::read);
    std::string bytes(static_cast<std::size_t>(file.length()), '\0');
    bytes.resize(file.read(bytes.data(), bytes.size()));
    file.close();
    return bytes;
}

}  // namespace fuzz
