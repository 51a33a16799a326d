// The exported functions: each checks what the platform checks of the arguments the service does
// not look at, then hands the call to the process's service.
#include "platform/ras/rasapi32.h"

#include "platform/ras/service.h"

namespace {

using ras::Dword;

// Only the default phonebook is simulated.
constexpr Dword kErrorCannotOpenPhonebook = 621;

Dword defaultPhonebook(const char* phonebook) {
    return phonebook == nullptr ? ras::kSuccess : kErrorCannotOpenPhonebook;
}

}  // namespace

extern "C" {

Dword RASAPI_CALL RasEnumEntriesA(const char* reserved, const char* phonebook,
                                  ras::EntryNameArg records, Dword* bufferSize, Dword* entries) {
    if (reserved != nullptr) {
        return ras::kErrorInvalidParameter;
    }
    if (const Dword refused = defaultPhonebook(phonebook)) {
        return refused;
    }
    return ras::sim::processService().enumEntries(records, bufferSize, entries);
}

Dword RASAPI_CALL RasCreatePhonebookEntryA(ras::WindowHandle owner, const char* phonebook) {
    if (const Dword refused = defaultPhonebook(phonebook)) {
        return refused;
    }
    return ras::sim::processService().createEntry(owner);
}

Dword RASAPI_CALL RasEditPhonebookEntryA(ras::WindowHandle owner, const char* phonebook,
                                         const char* entryName) {
    if (const Dword refused = defaultPhonebook(phonebook)) {
        return refused;
    }
    return ras::sim::processService().editEntry(owner, entryName);
}

Dword RASAPI_CALL RasDialA(ras::DialExtensionsArg extensions, const char* phonebook,
                           ras::DialParamsArg params, Dword notifierType, void* notifier,
                           ras::Connection* connection) {
    // The extensions are not simulated.
    if (extensions != nullptr) {
        return ras::kErrorInvalidParameter;
    }
    if (const Dword refused = defaultPhonebook(phonebook)) {
        return refused;
    }
    return ras::sim::processService().dial(params, notifierType, notifier, connection);
}

Dword RASAPI_CALL RasGetConnectStatusA(ras::Connection connection, ras::ConnStatusArg status) {
    return ras::sim::processService().getConnectStatus(connection, status);
}

Dword RASAPI_CALL RasHangUpA(ras::Connection connection) {
    return ras::sim::processService().hangUp(connection);
}

Dword RASAPI_CALL RasGetErrorStringA(unsigned error, char* buffer, Dword size) {
    return ras::sim::processService().getErrorString(error, buffer, size);
}

}  // extern "C"
