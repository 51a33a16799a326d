// Replacing a file by renames, where the platform has no replacing rename: whatever step fails,
// the old file or the new one holds the name, and nothing is lost.
#include "replace_by_renames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Files by name, and the rename target that fails.
std::map<std::string, std::string> files;
std::string failingTarget;

bool renameFile(const std::string& from, const std::string& to) {
    if (to == failingTarget || !files.contains(from) || files.contains(to)) {
        return false;
    }
    files[to] = files[from];
    files.erase(from);
    return true;
}
bool removeFile(const std::string& path) {
    files.erase(path);
    return true;
}
bool fileThere(const std::string& path) {
    return files.contains(path);
}

TEST(ReplaceByRenames, TheNewFileTakesTheNameOrTheOldOneKeepsIt) {
    const std::string aside = std::string("A.dat") + fw::kSteppedAsideSuffix;
    using Files = std::map<std::string, std::string>;
    const struct {
        const char* what;
        Files before;
        std::string failing;
        bool replaced;
        Files after;
    } rows[] = {
        {"no old file", {{"A.tmp", "new"}}, "", true, {{"A.dat", "new"}}},
        {"an old file", {{"A.tmp", "new"}, {"A.dat", "old"}}, "", true, {{"A.dat", "new"}}},
        {"one left aside before",
         {{"A.tmp", "new"}, {"A.dat", "old"}, {aside, "older"}},
         "",
         true,
         {{"A.dat", "new"}}},
        {"the old file cannot step aside",
         {{"A.tmp", "new"}, {"A.dat", "old"}},
         aside,
         false,
         {{"A.tmp", "new"}, {"A.dat", "old"}}},
        {"the new file cannot take the name",
         {{"A.tmp", "new"}, {"A.dat", "old"}},
         "A.dat",
         false,
         {{"A.tmp", "new"}, {"A.dat", "old"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        files = row.before;
        failingTarget = row.failing;
        // The old file's way back is never refused.
        const bool replaced = fw::replaceByRenames(
            "A.tmp", "A.dat",
            [](const std::string& from, const std::string& to) {
                if (from == std::string("A.dat") + fw::kSteppedAsideSuffix) {
                    failingTarget.clear();
                }
                return renameFile(from, to);
            },
            removeFile, fileThere);
        EXPECT_EQ(replaced, row.replaced);
        EXPECT_EQ(files, row.after);
    }
}

}  // namespace
