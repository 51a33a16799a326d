// Replacing a file by renames, where the platform has no replacing rename: whatever step fails,
// the old file or the new one holds the name, nothing is lost, and the error is the failed step's.
#include "replace_by_renames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Files = std::map<std::string, std::string>;

// Files by name, and the rename target that fails, in use, until the old file goes back.
Files files;
const std::string aside = "A.dat.old~";
std::string failingTarget;
constexpr long kInUse = 32;

long renameFile(const std::string& from, const std::string& to) {
    if (from == aside) {
        failingTarget.clear();
    }
    if (to == failingTarget) {
        return kInUse;
    }
    if (!files.contains(from) || files.contains(to)) {
        return 183;  // already exists
    }
    files[to] = files[from];
    files.erase(from);
    return 0;
}
long removeFile(const std::string& path) {
    files.erase(path);
    return 0;
}
bool fileThere(const std::string& path) {
    return files.contains(path);
}

TEST(ReplaceByRenames, TheNewFileTakesTheNameOrTheOldOneKeepsIt) {
    const Files both = {{"A.tmp", "new"}, {"A.dat", "old"}};
    const struct {
        const char* what;
        Files before;
        std::string failing;
        Files after;
    } rows[] = {
        {"no old file", {{"A.tmp", "new"}}, "", {{"A.dat", "new"}}},
        {"an old file", both, "", {{"A.dat", "new"}}},
        {"one left aside before",
         {{"A.tmp", "new"}, {"A.dat", "old"}, {aside, "older"}},
         "",
         {{"A.dat", "new"}}},
        {"the old file cannot step aside", both, aside, both},
        {"the new file cannot take the name", both, "A.dat", both},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        files = row.before;
        failingTarget = row.failing;
        EXPECT_EQ(
            fw::replaceByRenames("A.tmp", "A.dat", aside, {renameFile, removeFile, fileThere}),
            row.failing.empty() ? 0 : kInUse);
        EXPECT_EQ(files, row.after);
    }
}

}  // namespace
