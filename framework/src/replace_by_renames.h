// Replacing a file where the platform cannot rename over an existing file (Windows 98 and ME
// answer "not implemented" to the replacing move).
#pragma once

#include <string>

namespace fw {

// The old file's name while it steps aside: nameBeside with this suffix and mark.
inline constexpr const char* kSteppedAsideSuffix = ".old~";
inline constexpr char kSteppedAsideMark = '!';

// The platform's calls as the replace takes them: each returns 0 or the platform's error code.
// rename fails when its target exists; remove succeeds when the file is gone.
struct RenameCalls {
    long (*rename)(const std::string& from, const std::string& to);
    long (*remove)(const std::string& path);
    bool (*exists)(const std::string& path);
};

// The old file steps aside under the name aside, the new one takes its name, then the old one
// goes; when the new one cannot take the name, the old one is put back. Returns 0 once from has
// taken to's name, or the error of the step that failed (not of the putting back), for the user to
// hear why.
long replaceByRenames(const std::string& from, const std::string& to, const std::string& aside,
                      const RenameCalls& calls);

}  // namespace fw
