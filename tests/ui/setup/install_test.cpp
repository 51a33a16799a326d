// The install run: the files and shortcuts it leaves, what the copying dialog shows, and where a
// folder that cannot be made stops it; every file error is in file_faults_test.cpp.
#include <map>
#include <string>
#include <vector>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "setup/install/copying_dlg.h"
#include "setup_fixture.h"

namespace {

using InstallTest = SetupTest;

// Over an earlier installation, into a bare drive (its root is the working folder),
// the Desktop or the program group (the folder's shortcut is then the desktop's or the Start
// menu's own, which the copies leave as it is; the folder is named as the user may spell it).
TEST_F(InstallTest, EachRunReplacesTheFilesAndPointsTheCopiesAtItsFolder) {
    makeFolders();
    for (const InstallFile& file : kFiles) {
        driver.writeFile(destination() + file.installed, std::string(6000, 'o'));
    }
    const std::string folders[] = {destination(), "C:", windows + "\\DESKTOP",
                                   group + "\\ondrel V1.3"};
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        const std::int64_t start = driver.nowMs();
        const auto dlg = install(folder);
        EXPECT_EQ(dlg->result(), fw::kIdOk);
        // The run starts after half a second and pauses three times for as long.
        EXPECT_EQ(driver.nowMs() - start, 2000);
        EXPECT_EQ(fw::currentDirectory(), source);
        expectInstalled(folder);
        const fw::shortcut::Shortcut installed =
            installedShortcut(folder, folder == "C:" ? "C:\\" : folder);
        EXPECT_EQ(shortcutAt(folder + "\\Ondrel v1.3.lnk"), installed);
        EXPECT_EQ(shortcutAt(desktopShortcut()), installed);
        EXPECT_EQ(driver.readFile(startMenuShortcut()), driver.readFile(desktopShortcut()));
    }
    // A later run leaves an earlier folder's shortcut alone.
    EXPECT_EQ(shortcutAt(destination() + "\\Ondrel v1.3.lnk"),
              installedShortcut(destination(), destination()));
    for (const std::string& folder : folders) {
        for (const InstallFile& file : kFiles) {
            fw::deleteFile(folder + file.installed);
        }
    }
}

// Setup makes only the last two levels of the folder.
TEST_F(InstallTest, AFolderThatCannotBeMadeStopsTheRunAtItsFirstFile) {
    const std::string folder = scratch.path + "\\No\\Such\\Ondrel";
    expectStalled(*install(folder), folder + "\\Ondrel.exe contains an invalid path.",
                  {"Source File: Ondrel.ex_", "Destination File: " + folder + "\\Ondrel.exe", "0%"},
                  0);
    EXPECT_FALSE(fw::test::fileExists(scratch.path + "\\No"));
    EXPECT_FALSE(fw::test::fileExists(desktopShortcut()));
}

#ifndef _WIN32
// Only the headless backend records drawing and reads shortcuts with our own codec.
using InstallHeadlessOnly = InstallTest;

TEST_F(InstallHeadlessOnly, TheDialogShowsEachStepAtOnceInOrder) {
    install(destination());
    // What each control showed, each change once.
    std::map<int, std::vector<std::string>> shown;
    for (const std::string& call : driver.drawing()) {
        const std::size_t comma = call.find(", ");
        if (call.starts_with("paintControl(") && comma != std::string::npos) {
            std::vector<std::string>& seen = shown[std::stoi(call.substr(13))];
            const std::string what = call.substr(comma + 2, call.size() - comma - 3);
            if (seen.empty() || seen.back() != what) {
                seen.push_back(what);
            }
        }
    }
    std::vector<std::string> sources = {"\"\"", "\"Source File: Ondrel.ex_\""};
    for (std::size_t i = 1; i < std::size(kFiles); ++i) {
        sources.push_back("\"" + std::string(kFiles[i].source) + "\"");
    }
    sources.insert(sources.end(), {"\"Creating short-cuts...\"", "\"Done\""});
    EXPECT_EQ(shown[ids::kSourceLine], sources);
    EXPECT_EQ(shown[ids::kPercent],
              (std::vector<std::string>{"\"\"", "\"0%\"", "\"20%\"", "\"40%\"", "\"60%\"",
                                        "\"80%\"", "\"100%\""}));
    EXPECT_EQ(
        shown[ids::kProgress],
        (std::vector<std::string>{"position 0 in 0..100", "position 0 in 0..5",
                                  "position 1 in 0..5", "position 2 in 0..5", "position 3 in 0..5",
                                  "position 4 in 0..5", "position 5 in 0..5"}));
}

// The platform takes paths of up to 259 characters, the longest installed name being
// "\\Ondrel v1.3.lnk"; the sandbox holds paths to that limit.
TEST_F(InstallHeadlessOnly, TheLongestDestinationWhoseNamesFitInstalls) {
    const std::string longest =
        scratch.path + "\\" + std::string(259 - 16 - scratch.path.size() - 1, 'x');
    ASSERT_EQ(longest.size(), 243u);
    EXPECT_EQ(install(longest)->result(), fw::kIdOk);
    expectInstalled(longest);

    const std::string tooLong = longest + "x";
    const std::string shortcut = tooLong + "\\Ondrel v1.3.lnk";
    expectStalled(*install(tooLong), shortcut + " contains an invalid path.",
                  {"Ondrel v1.3.ln_", shortcut, "60%"}, 3);
    expectInstalled(tooLong, 3);
}
#endif

}  // namespace
