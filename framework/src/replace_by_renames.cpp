#include "replace_by_renames.h"

namespace fw {

bool replaceByRenames(const std::string& from, const std::string& to,
                      bool (*rename)(const std::string& from, const std::string& to),
                      bool (*remove)(const std::string& path),
                      bool (*exists)(const std::string& path)) {
    const std::string aside = to + kSteppedAsideSuffix;
    // One left by an earlier failure is older than the file it would stand for.
    remove(aside);
    const bool hadOld = exists(to);
    if (hadOld && !rename(to, aside)) {
        return false;
    }
    if (!rename(from, to)) {
        if (hadOld) {
            rename(aside, to);
        }
        return false;
    }
    if (hadOld) {
        remove(aside);
    }
    return true;
}

}  // namespace fw
