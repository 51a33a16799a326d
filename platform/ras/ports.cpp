#include "platform/ras/ports.h"

#include <optional>

#include "framework/registry.h"

namespace ras::sim {

namespace reg = fw::reg;

namespace {

constexpr const char* kPortsKey = "RemoteAccess\\Ports";

std::optional<std::int64_t> busyUntil(const reg::Key& ports, const std::string& device) {
    unsigned char data[8] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = reg::kNone;
    if (ports.query(device, data, &size, &type) != reg::kSuccess || type != reg::kBinary ||
        size != sizeof data) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) {
        value = value << 8 | data[i];
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

void markPortBusy(const std::string& device, std::int64_t untilMs) {
    reg::Key ports;
    if (ports.create(kPortsKey) != reg::kSuccess) {
        return;
    }
    unsigned char data[8];
    for (int i = 0; i < 8; ++i) {
        data[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(untilMs) >> (8 * i));
    }
    ports.set(device, reg::kBinary, data, sizeof data);
}

void releasePort(const std::string& device, std::int64_t untilMs) {
    reg::Key ports;
    if (ports.open(kPortsKey) == reg::kSuccess && busyUntil(ports, device) == untilMs) {
        ports.remove(device);
    }
}

bool portBusy(const std::string& device, std::int64_t nowMs) {
    reg::Key ports;
    if (ports.open(kPortsKey) != reg::kSuccess) {
        return false;
    }
    const std::optional<std::int64_t> until = busyUntil(ports, device);
    return until.has_value() && nowMs < *until;
}

}  // namespace ras::sim
