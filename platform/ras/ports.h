// The ports the simulated lines dial through, one for each device, and which of them are still
// closing after a hang-up. A port is marked in the current user's registry (a REG_BINARY value
// named after the device under RemoteAccess\Ports: the time, in milliseconds since 1970 as a
// 64-bit little-endian number, until which it is busy), so that a process that ended while its
// line was closing leaves the port busy for the next process too, as the platform's does.
#pragma once

#include <cstdint>
#include <string>

namespace ras::sim {

// The device's port is busy until untilMs.
void markPortBusy(const std::string& device, std::int64_t untilMs);
// The line has closed: the mark goes, unless a later hang-up has marked the port since (the mark
// no longer says untilMs).
void releasePort(const std::string& device, std::int64_t untilMs);
bool portBusy(const std::string& device, std::int64_t nowMs);

}  // namespace ras::sim
