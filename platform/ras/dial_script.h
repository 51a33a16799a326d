// What a simulated line does when it is dialed: the states it reports, when, and how it ends.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ras/entry.h"

namespace ras::sim {

struct DialStep {
    std::int64_t atMs;  // after the dial started
    std::uint32_t state;
    std::uint32_t error;  // non-zero: the attempt fails here, in this state
    bool operator==(const DialStep&) const = default;
};

struct DialScript {
    std::vector<DialStep> steps;
    // When a connected line drops, after the dial started.
    std::optional<std::int64_t> dropAtMs;
};

// The script for a dial of this entry; attempt counts the dials of the entry so far, this one
// included (1 for the first).
//
// A line that answers reports open port, port opened, connect device, device connected, all
// devices connected, authenticate, authenticated and connected, 3.7 s after the dial. The
// failures happen where a real line would fail: no dial tone 1 s after the modem starts, a busy
// signal after 2.6 s of dialing, no answer after the modem has waited 20 s for a carrier (all
// three in the connect-device state), and a rejected logon 1.5 s into authentication.
DialScript dialScript(const Entry& entry, std::uint32_t attempt);

// A dial whose port is still closing after a hang-up: it fails as the port is opened, 100 ms
// after the dial, with 633 (the device is in use).
DialScript portInUseScript();

}  // namespace ras::sim
