// The names the phonebook can give an entry, for the service's own entries and for entries that
// come from elsewhere (an entry file, the registry).
#pragma once

#include <string>

namespace ras {

// Not empty, at most 256 characters, no backslash and no control character: the name also names
// the entry's registry key, where a backslash would reach into another key.
bool isEntryName(const std::string& name);

}  // namespace ras
