// Replacing a file where the platform cannot rename over an existing file (Windows 98 and ME
// answer "not implemented" to the replacing move).
#pragma once

#include <string>

namespace fw {

// The suffix of the old file while it steps aside.
inline constexpr const char* kSteppedAsideSuffix = ".old~";

// The old file steps aside, the new one takes its name, then the old one goes; when the new one
// cannot take the name, the old one is put back. rename fails when its target exists; remove
// reports whether the file is gone. False when from did not take to's name.
bool replaceByRenames(const std::string& from, const std::string& to,
                      bool (*rename)(const std::string& from, const std::string& to),
                      bool (*remove)(const std::string& path),
                      bool (*exists)(const std::string& path));

}  // namespace fw
