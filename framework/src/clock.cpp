#include "framework/clock.h"

#include <chrono>
#include <thread>

#include "framework/thread.h"
#include "virtual_clock.h"

namespace fw {

std::int64_t nowMs() {
    if (auto* clock = VirtualClock::active()) {
        return clock->nowMs();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t now() {
    std::int64_t ms = nowMs();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

bool localTime(std::int64_t seconds, std::tm& out) {
    std::time_t t = static_cast<std::time_t>(seconds);
#ifdef _WIN32
    return localtime_s(&out, &t) == 0;
#else
    return localtime_r(&t, &out) != nullptr;
#endif
}

std::int64_t makeLocalTime(std::tm& local) {
    std::time_t t = std::mktime(&local);
    return t == static_cast<std::time_t>(-1) ? -1 : static_cast<std::int64_t>(t);
}

void sleepMs(unsigned ms) {
    auto* clock = VirtualClock::active();
    if (clock != nullptr && clock->isDriverThread()) {
        clock->sleepOnDriverThread(ms);
        return;
    }
    if (Thread* thread = Thread::current(); clock != nullptr && thread != nullptr) {
        std::int64_t deadline = clock->nowMs() + ms;
        while (!thread->waitUntil(deadline)) {
        }
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace fw
