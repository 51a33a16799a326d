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

// Writes without allocating: the hook runs inside the allocator. A message this short reaches
// the stream in one write.
void say(const char* text) {
    (void)!::write(STDERR_FILENO, text, std::strlen(text));
}

void onMalloc(const volatile void*, std::size_t size) {
    const std::size_t limit = allocationLimit;
    if (limit == 0 || size <= limit) {
        return;
    }
    allocationLimit = 0;  // what reporting allocates is not checked
    char message[200];
    std::snprintf(message, sizeof message,
                  "==fuzz== an allocation of %zu bytes for an input of %zu bytes: beyond the "
                  "limit of %zu bytes\n",
                  size, limitedInputSize, limit);
    say(message);
    __sanitizer_print_stack_trace();
    std::abort();
}

void onFree(const volatile void*) {}

void installHooks() {
    static const bool installed = [] {
        if (__sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) == 0) {
            fail("the allocation hook could not be installed (no sanitizer allocator?)");
        }
        return true;
    }();
    (void)installed;
}

}  // namespace

void fail(const char* what) {
    allocationLimit = 0;
    say("==fuzz== check failed: ");
    say(what);
    say("\n");
    __sanitizer_print_stack_trace();
    std::abort();
}

AllocationLimit::AllocationLimit(std::size_t inputSize, std::size_t growth)
    : previous_(allocationLimit) {
    installHooks();
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
    static const bool reset = [] {
        fw::headless::resetSandbox();
        return true;
    }();
    (void)reset;
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
