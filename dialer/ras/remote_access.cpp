#include "dialer/ras/remote_access.h"

#include <type_traits>

#include "framework/library.h"
#include "framework/message_box.h"
#include "framework/window.h"

namespace ras {

namespace {

constexpr const char* kLibrary = "rasapi32.dll";

#ifdef _WIN32
// The table's functions have exactly the platform's prototypes.
static_assert(
    std::is_same_v<decltype(RemoteAccess::RasEnumEntriesA), decltype(&::RasEnumEntriesA)>);
static_assert(std::is_same_v<decltype(RemoteAccess::RasCreatePhonebookEntryA),
                             decltype(&::RasCreatePhonebookEntryA)>);
static_assert(std::is_same_v<decltype(RemoteAccess::RasEditPhonebookEntryA),
                             decltype(&::RasEditPhonebookEntryA)>);
static_assert(std::is_same_v<decltype(RemoteAccess::RasDialA), decltype(&::RasDialA)>);
static_assert(std::is_same_v<decltype(RemoteAccess::RasGetConnectStatusA),
                             decltype(&::RasGetConnectStatusA)>);
static_assert(std::is_same_v<decltype(RemoteAccess::RasHangUpA), decltype(&::RasHangUpA)>);
static_assert(
    std::is_same_v<decltype(RemoteAccess::RasGetErrorStringA), decltype(&::RasGetErrorStringA)>);
// Our records are the oldest forms of the platform's: the same fields at the same places.
static_assert(offsetof(RASENTRYNAMEA, szEntryName) == offsetof(EntryNameRecord, szEntryName));
static_assert(offsetof(RASDIALPARAMSA, szDomain) == offsetof(DialParams, szDomain));
static_assert(offsetof(RASCONNSTATUSA, szDeviceName) == offsetof(ConnStatus, szDeviceName));
#endif

template <class Function>
void find(Function& function, const char* name) {
    function = reinterpret_cast<Function>(fw::systemProc(kLibrary, name));
}

}  // namespace

bool RemoteAccess::available() const {
    return RasEnumEntriesA != nullptr && RasCreatePhonebookEntryA != nullptr &&
           RasEditPhonebookEntryA != nullptr && RasDialA != nullptr &&
           RasGetConnectStatusA != nullptr && RasHangUpA != nullptr &&
           RasGetErrorStringA != nullptr;
}

RemoteAccess LoadRemoteAccess() {
    RemoteAccess service;
    find(service.RasEnumEntriesA, "RasEnumEntriesA");
    find(service.RasCreatePhonebookEntryA, "RasCreatePhonebookEntryA");
    find(service.RasEditPhonebookEntryA, "RasEditPhonebookEntryA");
    find(service.RasDialA, "RasDialA");
    find(service.RasGetConnectStatusA, "RasGetConnectStatusA");
    find(service.RasHangUpA, "RasHangUpA");
    find(service.RasGetErrorStringA, "RasGetErrorStringA");
    // Half a service would fail at a later call: the program works without one or with all.
    return service.available() ? service : RemoteAccess{};
}

void ReportMissing(fw::Window* owner) {
    fw::messageBox(owner,
                   "Ondrel dials through the Remote Access Service (rasapi32.dll), which is not "
                   "installed on this computer or is incomplete.\nInstall Dial-Up Networking, "
                   "then start Ondrel again.",
                   "Error: No Remote Access Service", fw::mb::kOk | fw::mb::kIconExclamation);
}

bool CheckRemoteAccess(const RemoteAccess& service, fw::Window* owner) {
    if (service.available()) {
        return true;
    }
    ReportMissing(owner);
    return false;
}

bool IsStub(Dword result) {
    return result == kErrorInvalidFunction || result == kErrorCallNotImplemented;
}

WindowHandle ownerOf(const fw::Window* window) {
    return static_cast<WindowHandle>(fw::handleOf(window));
}

}  // namespace ras
