#include "host.h"

#include <atomic>
#include <chrono>
#include <thread>

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
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t Host::tickMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Host::sleep(std::int64_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace fw::detail
