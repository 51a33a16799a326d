// The ".dnx" entry file: the magic "DNX1", the entry's name as an archived string, then one
// record per entry value in EntryValues' order. A record is a 32-bit present flag and, when it is
// set, the data's size, the registry type and the data. Integers are 32-bit little-endian; there
// is nothing else in the file.
#pragma once

#include <optional>
#include <string>

#include "dialer/options/entry_values.h"

namespace fw {
class Archive;
}

struct DnxEntry {
    std::string name;
    EntryValues values;
};

void WriteDnx(fw::Archive& ar, const DnxEntry& entry);

// Reads and checks a whole file. Nothing when it is not an entry file that can be loaded:
// another magic, a name that cannot be an entry's (empty, longer than 256 characters, with a
// backslash or a control character), or a record larger than the transfer buffer or than what
// is left of the file. A file that ends before its last field raises the archive's endOfFile.
std::optional<DnxEntry> ReadDnx(fw::Archive& ar);
