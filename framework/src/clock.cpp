#include "framework/clock.h"

#include "host.h"

namespace fw {

std::int64_t nowMs() {
    return detail::host().nowMs();
}

std::int64_t now() {
    std::int64_t ms = nowMs();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

void sleepMs(unsigned ms) {
    detail::host().sleep(ms);
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

}  // namespace fw
