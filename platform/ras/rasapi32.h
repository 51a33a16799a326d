// The functions of rasapi32 that the simulated service stands in for, under the platform's names
// and with its prototypes: on Windows <ras.h> declares them, so a definition that differs does not
// compile. The Windows builds export them from the DLL rasapi32.dll; test programs find them
// through exports().
#pragma once

#include <map>
#include <string>

#include "dialer/ras/remote_access.h"
#include "framework/library.h"

#ifndef _WIN32
extern "C" {
ras::Dword RasEnumEntriesA(const char* reserved, const char* phonebook, ras::EntryNameArg records,
                           ras::Dword* bufferSize, ras::Dword* entries);
ras::Dword RasCreatePhonebookEntryA(ras::WindowHandle owner, const char* phonebook);
ras::Dword RasEditPhonebookEntryA(ras::WindowHandle owner, const char* phonebook,
                                  const char* entryName);
ras::Dword RasDialA(ras::DialExtensionsArg extensions, const char* phonebook,
                    ras::DialParamsArg params, ras::Dword notifierType, void* notifier,
                    ras::Connection* connection);
ras::Dword RasGetConnectStatusA(ras::Connection connection, ras::ConnStatusArg status);
ras::Dword RasHangUpA(ras::Connection connection);
ras::Dword RasGetErrorStringA(unsigned error, char* buffer, ras::Dword size);
}
#endif

namespace ras::sim {

// The seven functions by name, as the DLL exports them.
std::map<std::string, fw::Proc> exports();

}  // namespace ras::sim
