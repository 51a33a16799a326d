// Our methods share their names with the platform's macros (RasDial stands for RasDialA, ...):
// our headers come first, and the macros are undone before any of our names is used.
#include "dialer/ras/system_ras.h"

#include <atomic>
#include <cstddef>

#include "framework/window.h"

// clang-format off
#include <windows.h>
#include <ras.h>
// clang-format on

#undef RasEnumEntries
#undef RasCreatePhonebookEntry
#undef RasEditPhonebookEntry
#undef RasDial
#undef RasGetConnectStatus
#undef RasHangUp
#undef RasGetErrorString

namespace ras {

namespace {

// Our records are the platform's older forms: the same fields at the same places, shorter.
static_assert(offsetof(RASENTRYNAMEA, szEntryName) == offsetof(EntryNameRecord, szEntryName));
static_assert(offsetof(RASDIALPARAMSA, szDomain) == offsetof(DialParams, szDomain));
static_assert(offsetof(RASCONNSTATUSA, szDeviceName) == offsetof(ConnStatus, szDeviceName));
static_assert(sizeof(RASCONNSTATE) == sizeof(std::uint32_t));

// The platform's notifier of type 0 carries no context, and on 32-bit Windows it is called with
// the WINAPI convention: the trampoline below forwards to the notifier of the latest dial.
std::atomic<RasDialFunc> currentNotifier{nullptr};

VOID WINAPI forwardProgress(UINT message, RASCONNSTATE state, DWORD error) {
    if (RasDialFunc notifier = currentNotifier.load()) {
        notifier(message, static_cast<std::uint32_t>(state), error);
    }
}

HWND windowOf(const fw::Window* window) {
    return window != nullptr ? static_cast<HWND>(window->handle()) : nullptr;
}

HRASCONN connectionOf(ConnectionHandle connection) {
    return static_cast<HRASCONN>(connection);
}

}  // namespace

std::uint32_t SystemRas::RasEnumEntries(EntryNameRecord* records, std::uint32_t* bufferSize,
                                        std::uint32_t* entries) {
    if (bufferSize == nullptr || entries == nullptr) {
        return kErrorInvalidParameter;
    }
    DWORD size = *bufferSize;
    DWORD count = 0;
    const DWORD result =
        RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<RASENTRYNAMEA*>(records), &size, &count);
    *bufferSize = size;
    *entries = count;
    return result;
}

std::uint32_t SystemRas::RasCreatePhonebookEntry(fw::Window* owner) {
    return RasCreatePhonebookEntryA(windowOf(owner), nullptr);
}

std::uint32_t SystemRas::RasEditPhonebookEntry(fw::Window* owner, const std::string& entryName) {
    return RasEditPhonebookEntryA(windowOf(owner), nullptr, entryName.c_str());
}

std::uint32_t SystemRas::RasDial(const DialParams& params, RasDialFunc notifier,
                                 ConnectionHandle* connection) {
    // Without a notifier the platform would dial synchronously, which no caller expects.
    if (notifier == nullptr || connection == nullptr) {
        return kErrorInvalidParameter;
    }
    currentNotifier.store(notifier);
    DialParams copy = params;
    HRASCONN handle = nullptr;
    const DWORD result = RasDialA(nullptr, nullptr, reinterpret_cast<RASDIALPARAMSA*>(&copy), 0,
                                  reinterpret_cast<LPVOID>(&forwardProgress), &handle);
    *connection = handle;
    return result;
}

std::uint32_t SystemRas::RasGetConnectStatus(ConnectionHandle connection, ConnStatus* status) {
    return RasGetConnectStatusA(connectionOf(connection),
                                reinterpret_cast<RASCONNSTATUSA*>(status));
}

std::uint32_t SystemRas::RasHangUp(ConnectionHandle connection) {
    return RasHangUpA(connectionOf(connection));
}

std::uint32_t SystemRas::RasGetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) {
    return RasGetErrorStringA(error, buffer, size);
}

}  // namespace ras
