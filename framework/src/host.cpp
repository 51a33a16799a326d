#include "host.h"

#include <atomic>

#include "sys.h"

namespace fw::detail {

namespace {
// Read by worker threads too (their waits go through the host).
std::atomic<Host*> installed{nullptr};
}  // namespace

Host& host() {
    Host* current = installed.load();
    return current != nullptr ? *current : platformHost();
}

void installHost(Host* host) {
    installed.store(host);
}

std::int64_t Host::nowMs() {
    return sys::wallClockMs();
}

std::int64_t Host::tickMs() {
    return sys::tickMs();
}

}  // namespace fw::detail
