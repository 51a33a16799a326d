// The install run: the files and shortcuts it leaves, what the copying dialog shows, and where a
// file error leaves it.
#include <map>
#include <string>
#include <vector>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "setup/install/copying_dlg.h"
#include "setup_fixture.h"

namespace {

using InstallTest = SetupTest;

TEST_F(InstallTest, InstallingTwiceReplacesTheFilesAndPointsTheCopiesAtTheLastFolder) {
    ASSERT_TRUE(fw::createDirectory(scratch.path + "\\Kestrune"));
    ASSERT_TRUE(fw::createDirectory(destination()));
    for (const InstallFile& file : kFiles) {
        driver.writeFile(destination() + file.installed, std::string(6000, 'o'));
    }
    const std::int64_t start = driver.nowMs();
    CCopyingDlg first(nullptr);
    install(first, destination());
    EXPECT_EQ(first.result(), fw::kIdOk);
    EXPECT_FALSE(driver.isOpen(first));
    EXPECT_TRUE(driver.messageBoxes().empty());
    // The run starts after half a second and pauses three times for as long.
    EXPECT_EQ(driver.nowMs() - start, 2000);
    EXPECT_EQ(fw::currentDirectory(), source);
    expectInstalled(destination());
    const std::string shortcut = destination() + "\\Ondrel v1.3.lnk";
    EXPECT_EQ(shortcutAt(shortcut), installedShortcut(destination(), destination()));
    EXPECT_EQ(driver.readFile(desktopShortcut()), driver.readFile(shortcut));
    EXPECT_EQ(driver.readFile(startMenuShortcut()), driver.readFile(shortcut));

    // A bare drive: its root is the working folder.
    CCopyingDlg second(nullptr);
    install(second, "C:");
    EXPECT_EQ(second.result(), fw::kIdOk);
    EXPECT_EQ(shortcutAt(desktopShortcut()), installedShortcut("C:", "C:\\"));
    EXPECT_EQ(driver.readFile(startMenuShortcut()), driver.readFile(desktopShortcut()));
    EXPECT_EQ(shortcutAt(shortcut), installedShortcut(destination(), destination()));
    for (const InstallFile& file : kFiles) {
        fw::deleteFile(std::string("C:") + file.installed);
    }
}

// The folder's shortcut is then the desktop's or the Start menu's own, which the copies leave as it
// is; the folder is named as the user may spell it.
TEST_F(InstallTest, IntoTheDesktopOrTheProgramGroupTheFoldersShortcutIsTheCopy) {
    const std::string group = windows + "\\Start Menu\\Programs\\Kestrune Software";
    ASSERT_TRUE(fw::createDirectory(group));
    ASSERT_TRUE(fw::createDirectory(group + "\\Ondrel v1.3"));
    for (const std::string& folder : {windows + "\\DESKTOP", group + "\\ondrel V1.3"}) {
        SCOPED_TRACE(folder);
        CCopyingDlg dlg(nullptr);
        install(dlg, folder);
        EXPECT_EQ(dlg.result(), fw::kIdOk);
        EXPECT_TRUE(driver.messageBoxes().empty());
        expectInstalled(folder);
        EXPECT_EQ(shortcutAt(desktopShortcut()), installedShortcut(folder, folder));
        EXPECT_EQ(driver.readFile(startMenuShortcut()), driver.readFile(desktopShortcut()));
        for (const InstallFile& file : kFiles) {
            fw::deleteFile(folder + file.installed);
        }
    }
}

TEST_F(InstallTest, AFileErrorStallsTheRunWhereItHappened) {
    const struct {
        const char* missing;  // a source file, a grandparent folder, or the Desktop folder
        std::size_t installed;
        const char* sourceLine;
        const char* percent;
        int bar;
    } rows[] = {
        {"Ondrel.ex_", 0, "Source File: Ondrel.ex_", "0%", 0},
        {"grandparent", 0, "Source File: Ondrel.ex_", "0%", 0},
        {"icon.gi_", 10, "icon.gi_", "60%", 3},
        {"Desktop", 11, "Creating short-cuts...", "80%", 4},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.missing);
        const std::string missing = row.missing;
        const bool sourceFile = missing != "Desktop" && missing != "grandparent";
        std::string folder = destination(std::to_string(i));
        std::string message = missing + " was not found.";
        if (sourceFile) {
            ASSERT_TRUE(fw::deleteFile(source + "\\" + missing));
        } else if (missing == "Desktop") {
            ASSERT_TRUE(driver.removeFolder(windows + "\\Desktop"));
            message = desktopShortcut() + " contains an invalid path.";
        } else {
            folder = scratch.path + "\\No\\Such\\Ondrel";
            message = folder + "\\Ondrel.exe contains an invalid path.";
        }
        const std::size_t at = std::min(row.installed, std::size(kFiles) - 1);
        std::string destLine = row.installed == 11 ? "" : folder + kFiles[at].installed;
        if (row.installed == 0) {
            destLine = "Destination File: " + destLine;
        }
        driver.clearRecords();
        CCopyingDlg dlg(nullptr);
        install(dlg, folder);
        expectStalled(dlg, message, {row.sourceLine, destLine, row.percent}, row.bar);
        expectInstalled(folder, row.installed);
        EXPECT_FALSE(fw::test::fileExists(scratch.path + "\\No"));
        EXPECT_FALSE(fw::test::fileExists(desktopShortcut()));
        EXPECT_FALSE(fw::test::fileExists(startMenuShortcut()));
        // Re-pointed only once every file is in place.
        EXPECT_EQ(shortcutAt(folder + "\\Ondrel v1.3.lnk") == installedShortcut(folder, folder),
                  row.installed == 11);
        if (sourceFile) {
            driver.writeFile(source + "\\" + missing, content(at));
        }
    }
}

#ifndef _WIN32
// Only the headless backend records drawing and reads shortcuts with our own codec.
using InstallHeadlessOnly = InstallTest;

TEST_F(InstallHeadlessOnly, TheDialogShowsEachStepAtOnceInOrder) {
    CCopyingDlg dlg(nullptr);
    install(dlg, destination());
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
    std::vector<std::string> bar = {"position 0 in 0..100"};
    for (int step = 0; step <= 5; ++step) {
        bar.push_back("position " + std::to_string(step) + " in 0..5");
    }
    EXPECT_EQ(shown[ids::kProgress], bar);
}

// The platform takes paths of up to 259 characters, the longest installed name being
// "\\Ondrel v1.3.lnk"; the sandbox holds paths to that limit.
TEST_F(InstallHeadlessOnly, TheLongestDestinationWhoseNamesFitInstalls) {
    const std::string longest =
        scratch.path + "\\" + std::string(259 - 16 - scratch.path.size() - 1, 'x');
    ASSERT_EQ(longest.size(), 243u);
    CCopyingDlg fits(nullptr);
    install(fits, longest);
    EXPECT_EQ(fits.result(), fw::kIdOk);
    expectInstalled(longest);

    const std::string tooLong = longest + "x";
    const std::string shortcut = tooLong + "\\Ondrel v1.3.lnk";
    CCopyingDlg refused(nullptr);
    install(refused, tooLong);
    expectStalled(refused, shortcut + " contains an invalid path.",
                  {"Ondrel v1.3.ln_", shortcut, "60%"}, 3);
    expectInstalled(tooLong, 3);
}
#endif

}  // namespace
