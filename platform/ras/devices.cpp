#include "platform/ras/devices.h"

namespace ras::sim {

const std::vector<Device>& devices() {
    static const std::vector<Device> list = {
        {"Standard 28800 bps Modem", "modem"},
        {"Standard 56000 bps V.90 Modem", "modem"},
        {"ISDN Terminal Adapter (64K)", "isdn"},
    };
    return list;
}

Device findDevice(const std::string& name) {
    if (name.empty()) {
        return devices().front();
    }
    for (const Device& device : devices()) {
        if (device.name == name) {
            return device;
        }
    }
    return {name, "modem"};
}

}  // namespace ras::sim
