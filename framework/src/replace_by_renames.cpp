#include "replace_by_renames.h"

namespace fw {

long replaceByRenames(const std::string& from, const std::string& to, const std::string& aside,
                      const RenameCalls& calls) {
    // One left by an earlier failure is older than the file it would stand for.
    calls.remove(aside);
    const bool hadOld = calls.exists(to);
    if (hadOld) {
        if (const long error = calls.rename(to, aside)) {
            return error;
        }
    }
    if (const long error = calls.rename(from, to)) {
        if (hadOld) {
            calls.rename(aside, to);
        }
        return error;
    }
    if (hadOld) {
        calls.remove(aside);
    }
    return 0;
}

}  // namespace fw
