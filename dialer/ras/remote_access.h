// The platform's remote access service as the dialer calls it: the seven ANSI functions of
// rasapi32, found when the program starts, with the platform's calling convention and argument
// types. On Windows the types are those of <ras.h>; elsewhere (the headless build, where a test
// program hands in a service of its own) the same types under our names.
#pragma once

#include <cstdint>
#include <string>

#include "dialer/ras/ras_codes.h"
#include "dialer/ras/ras_records.h"

#ifdef _WIN32
#include <windows.h>
// ras.h needs windows.h first.
#include <ras.h>
#endif

namespace fw {
class Window;
}

namespace ras {

#ifdef _WIN32
#define RASAPI_CALL WINAPI
using Dword = DWORD;
using ConnState = RASCONNSTATE;
using Connection = HRASCONN;
using WindowHandle = HWND;
// The records as the platform declares them: its latest forms, of which ours are the oldest
// (ras_records.h). The platform tells the forms apart by the size in their first field.
using EntryNameArg = RASENTRYNAMEA*;
using DialParamsArg = RASDIALPARAMSA*;
using ConnStatusArg = RASCONNSTATUSA*;
using DialExtensionsArg = RASDIALEXTENSIONS*;
// The notifier of type 0.
using DialFunc = RASDIALFUNC;
#else
#define RASAPI_CALL
using Dword = std::uint32_t;
using ConnState = std::uint32_t;
using Connection = struct RasConnection*;
using WindowHandle = void*;
using EntryNameArg = EntryNameRecord*;
using DialParamsArg = DialParams*;
using ConnStatusArg = ConnStatus*;
using DialExtensionsArg = struct RasDialExtensions*;
using DialFunc = void (*)(unsigned message, ConnState state, Dword error);
#endif

// Our records where the platform takes its own.
inline EntryNameArg platformRecord(EntryNameRecord* records) {
    return reinterpret_cast<EntryNameArg>(records);
}
inline DialParamsArg platformRecord(DialParams* params) {
    return reinterpret_cast<DialParamsArg>(params);
}
inline ConnStatusArg platformRecord(ConnStatus* status) {
    return reinterpret_cast<ConnStatusArg>(status);
}

// The functions, each null until found. Every call names the default phonebook (null).
struct RemoteAccess {
    Dword(RASAPI_CALL* RasEnumEntriesA)(const char* reserved, const char* phonebook,
                                        EntryNameArg records, Dword* bufferSize,
                                        Dword* entries) = nullptr;
    Dword(RASAPI_CALL* RasCreatePhonebookEntryA)(WindowHandle owner,
                                                 const char* phonebook) = nullptr;
    Dword(RASAPI_CALL* RasEditPhonebookEntryA)(WindowHandle owner, const char* phonebook,
                                               const char* entryName) = nullptr;
    Dword(RASAPI_CALL* RasDialA)(DialExtensionsArg extensions, const char* phonebook,
                                 DialParamsArg params, Dword notifierType, void* notifier,
                                 Connection* connection) = nullptr;
    Dword(RASAPI_CALL* RasGetConnectStatusA)(Connection connection, ConnStatusArg status) = nullptr;
    Dword(RASAPI_CALL* RasHangUpA)(Connection connection) = nullptr;
    Dword(RASAPI_CALL* RasGetErrorStringA)(unsigned error, char* buffer, Dword size) = nullptr;

    // All seven were found.
    bool available() const;
};

// The seven functions of the system folder's rasapi32.dll, or none at all when the DLL or any of
// them is missing.
RemoteAccess LoadRemoteAccess();

// Tells the user, in a message box owned by owner, that the command needs the service, which is
// missing.
void ReportMissing(fw::Window* owner);
// True when the service is there; otherwise reports it missing and returns false.
bool CheckRemoteAccess(const RemoteAccess& service, fw::Window* owner);
// A result that says the function is only a stub ("invalid function", "not implemented"): a
// service that answers so is as good as none.
bool IsStub(Dword result);

// The window handle the service's dialogs take as their owner.
WindowHandle ownerOf(const fw::Window* window);

}  // namespace ras
