// The names of the phonebook's entries, for the lists the user picks an entry from.
#pragma once

#include <string>
#include <vector>

#include "dialer/ras/remote_access.h"

namespace ras {

// Asks the service with room for 20 names first and, when the phonebook holds more, once more
// with the room it asks for. Only names the enumeration wrote are returned; none when it fails
// or there is no service.
std::vector<std::string> EnumerateEntryNames(const RemoteAccess& service);

}  // namespace ras
