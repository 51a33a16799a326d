// The simulated service's phonebook, kept where the platform keeps it: in the current user's
// registry. An entry is one binary value named after it under RemoteAccess\Addresses (layout in
// entry.h) and six profile values under RemoteAccess\Profile\<name>, written when the entry is
// created:
//
//   "IP"         REG_BINARY  8 bytes: address to ask for, name server; 0.0.0.0 lets the server
//                            assign them
//   "Mode"       REG_DWORD   framing, 1 (PPP)
//   "MultiLink"  REG_DWORD   0 (one line)
//   "PPPScript"  REG_SZ      "" (no logon script)
//   "Terminal"   REG_BINARY  8 bytes: terminal window before dialing, after dialing; 0 (none)
//   "User"       REG_SZ      "" (the user name to offer)
//
// The simulated service reads only the Addresses value; the profile is there so that entries
// can be saved and restored with all their values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ras/entry.h"

namespace ras::sim {

extern const char* const kAddressesKey;
std::string profileKey(const std::string& entryName);

// The entries' names in the registry's order. Values whose names no entry can have (isEntryName)
// are not entries: only something other than this service could have written them.
std::vector<std::string> entryNames();
// The entry of this name, or nothing when there is none.
std::optional<Entry> readEntry(const std::string& name);
// Writes the entry's Addresses value; false when the registry refused.
bool writeEntry(const std::string& name, const Entry& entry);
// Writes the six profile values of a new entry, as far as the registry lets it: Windows refuses
// key names longer than 255 characters, so an entry named with 256 has no profile. The service
// itself never reads the profile.
void writeProfile(const std::string& name);

// Why a new entry cannot have this name (a sentence for the user), or empty when it can.
std::string newEntryNameProblem(const std::string& name);

}  // namespace ras::sim
