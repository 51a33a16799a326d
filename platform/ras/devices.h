// The dialing devices the simulated service pretends to have.
#pragma once

#include <string>
#include <vector>

namespace ras::sim {

struct Device {
    std::string name;
    std::string type;  // the platform's device type: "modem", "isdn"
};

// The devices, in the order the entry dialog lists them; the first is the default.
const std::vector<Device>& devices();

// The device of this name; the default device for an empty name; for a name the service does
// not know (an entry made elsewhere), that name as a modem.
Device findDevice(const std::string& name);

}  // namespace ras::sim
