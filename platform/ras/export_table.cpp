#include "platform/ras/rasapi32.h"

namespace ras::sim {

std::map<std::string, fw::Proc> exports() {
    return {
        {"RasEnumEntriesA", reinterpret_cast<fw::Proc>(&RasEnumEntriesA)},
        {"RasCreatePhonebookEntryA", reinterpret_cast<fw::Proc>(&RasCreatePhonebookEntryA)},
        {"RasEditPhonebookEntryA", reinterpret_cast<fw::Proc>(&RasEditPhonebookEntryA)},
        {"RasDialA", reinterpret_cast<fw::Proc>(&RasDialA)},
        {"RasGetConnectStatusA", reinterpret_cast<fw::Proc>(&RasGetConnectStatusA)},
        {"RasHangUpA", reinterpret_cast<fw::Proc>(&RasHangUpA)},
        {"RasGetErrorStringA", reinterpret_cast<fw::Proc>(&RasGetErrorStringA)},
    };
}

}  // namespace ras::sim
