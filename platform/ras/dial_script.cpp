#include "platform/ras/dial_script.h"

#include <iterator>

#include "dialer/ras/ras_codes.h"

namespace ras::sim {

namespace {

constexpr DialStep kAnswered[] = {
    {100, kOpenPort, kSuccess},
    {300, kPortOpened, kSuccess},
    {400, kConnectDevice, kSuccess},
    {2200, kDeviceConnected, kSuccess},
    {2300, kAllDevicesConnected, kSuccess},
    {2500, kAuthenticate, kSuccess},
    {3400, kAuthenticated, kSuccess},
    {3700, kConnected, kSuccess},
};
constexpr std::size_t kUpToConnectDevice = 3;
constexpr std::size_t kUpToAuthenticate = 6;
constexpr std::int64_t kConnectedAtMs = 3700;

// The answered script's first steps, then the failure, timed from the last of them.
DialScript failure(std::size_t stepsBefore, std::int64_t afterMs, std::uint32_t error) {
    DialScript script;
    script.steps.assign(kAnswered, kAnswered + stepsBefore);
    const DialStep& last = script.steps.back();
    script.steps.push_back({last.atMs + afterMs, last.state, error});
    return script;
}

}  // namespace

DialScript dialScript(const Entry& entry, std::uint32_t attempt) {
    if (entry.line == Line::busy || (entry.line == Line::busyFirst && attempt <= entry.count)) {
        return failure(kUpToConnectDevice, 2600, kErrorLineBusy);
    }
    switch (entry.line) {
        case Line::noAnswer:
            return failure(kUpToConnectDevice, 20'000, kErrorNoAnswer);
        case Line::noDialTone:
            return failure(kUpToConnectDevice, 1000, kErrorNoDialTone);
        case Line::rejectsLogin:
            return failure(kUpToAuthenticate, 1500, kErrorAuthenticationFailure);
        default:
            break;
    }
    DialScript script;
    script.steps.assign(std::begin(kAnswered), std::end(kAnswered));
    if (entry.line == Line::dropsAfter) {
        script.dropAtMs = kConnectedAtMs + std::int64_t{entry.count} * 1000;
    }
    return script;
}

DialScript portInUseScript() {
    DialScript script;
    script.steps.push_back({kAnswered[0].atMs, kOpenPort, kErrorPortNotAvailable});
    return script;
}

}  // namespace ras::sim
