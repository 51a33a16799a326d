// "Ondrel.dat": the settings record as one archived stream, with no header: the options in their
// order (flags as 32-bit integers, paths as archived strings), the entry count, the current
// index, then name, user ID and password of each remembered entry.
#pragma once

#include <optional>

#include "dialer/settings/settings_record.h"

namespace fw {
class Archive;
}

// The settings file, in the program's folder (the current directory at start).
constexpr const char* kSettingsFile = "Ondrel.dat";

// The record a file holds over the defaults. Nothing when the file ends before the record does:
// none of a damaged file may be saved again. Any other read error ends the record where it
// happened, with the entries read whole.
std::optional<CSettings> ReadSettings(fw::Archive& ar);

// Writes the record; the user IDs and passwords are written empty unless they are to be saved.
void WriteSettings(fw::Archive& ar, const CSettings& settings);
