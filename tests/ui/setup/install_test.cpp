// The install run: the files and shortcuts it leaves, what the copying dialog shows, and where a
// file error leaves it.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup/install/copying_dlg.h"
#include "setup_fixture.h"

namespace {

using fw::shortcut::Shortcut;
using Cause = fw::FileError::Cause;
using Op = fw::test::FileFault::Op;

class InstallTest : public SetupTest {
  protected:
    // Every file of the installation in folder, from files 0 to count-1, each as its source.
    void expectInstalled(const std::string& folder, std::size_t count = std::size(kFiles)) {
        for (std::size_t i = 0; i < std::size(kFiles); ++i) {
            const std::string path = folder + kFiles[i].installed;
            EXPECT_EQ(fw::fileExists(path), i < count) << path;
            EXPECT_FALSE(fw::fileExists(path + fw::kSaveSuffix)) << path;
            if (i < count && i != 3) {
                EXPECT_EQ(driver.readFile(path), content(i)) << path;
            }
        }
    }
    // The dialog open where the run stopped, after the one message box with this text.
    void expectStalled(const CCopyingDlg& dlg, const std::string& message,
                       const std::string& sourceLine, const std::string& destLine,
                       const std::string& percent, int bar) {
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_EQ(driver.messageBoxes()[0].text, message);
        EXPECT_EQ(driver.messageBoxes()[0].caption, "Setup");
        EXPECT_EQ(driver.messageBoxes()[0].type, fw::mb::kOk | fw::mb::kIconStop);
        EXPECT_EQ(driver.messageBoxes()[0].owner, dlg.handle());
        EXPECT_TRUE(driver.isOpen(dlg));
        EXPECT_FALSE(driver.timerRunning(dlg, TIMER_INSTALL));
        EXPECT_EQ(dlg.item(IDC_SOURCE_LINE).text(), sourceLine);
        EXPECT_EQ(dlg.item(IDC_DEST_LINE).text(), destLine);
        EXPECT_EQ(dlg.item(IDC_PERCENT).text(), percent);
        EXPECT_EQ(fw::ProgressBar(dlg, IDC_PROGRESS).pos(), bar);
    }
};

TEST_F(InstallTest, ARunInstallsTheFilesPointsTheShortcutsAtThemAndEndsWithOk) {
    CCopyingDlg dlg(nullptr);
    const std::int64_t start = driver.nowMs();
    install(dlg, destination());
    EXPECT_EQ(dlg.result(), fw::kIdOk);
    EXPECT_FALSE(driver.isOpen(dlg));
    EXPECT_TRUE(driver.messageBoxes().empty());
    // The run starts after half a second and pauses three times for as long.
    EXPECT_EQ(driver.nowMs() - start, 2000);
    expectInstalled(destination());
    const std::string shortcut = destination() + "\\Ondrel v1.3.lnk";
    EXPECT_EQ(shortcutAt(shortcut), installedShortcut(destination(), destination()));
    EXPECT_EQ(driver.readFile(desktopShortcut()), driver.readFile(shortcut));
    EXPECT_EQ(driver.readFile(startMenuShortcut()), driver.readFile(shortcut));
    EXPECT_EQ(fw::currentDirectory(), source);
}

TEST_F(InstallTest, FilesOfAnEarlierInstallationAreReplacedAndTheCopiesFollowTheLastFolder) {
    ASSERT_TRUE(fw::createDirectory(scratch.path + "\\Kestrune"));
    ASSERT_TRUE(fw::createDirectory(destination()));
    for (const InstallFile& file : kFiles) {
        driver.writeFile(destination() + file.installed, std::string(6000, 'o'));
    }
    CCopyingDlg first(nullptr);
    install(first, destination());
    EXPECT_TRUE(driver.messageBoxes().empty());
    expectInstalled(destination());

    CCopyingDlg second(nullptr);
    install(second, destination("Second"));
    EXPECT_EQ(second.result(), fw::kIdOk);
    const Shortcut pointed = installedShortcut(destination("Second"), destination("Second"));
    EXPECT_EQ(shortcutAt(desktopShortcut()), pointed);
    EXPECT_EQ(shortcutAt(startMenuShortcut()), pointed);
    EXPECT_EQ(shortcutAt(destination() + "\\Ondrel v1.3.lnk"),
              installedShortcut(destination(), destination()));
}

TEST_F(InstallTest, ABareDriveGivesTheShortcutsTheDrivesRoot) {
    CCopyingDlg dlg(nullptr);
    install(dlg, "C:");
    EXPECT_EQ(dlg.result(), fw::kIdOk);
    EXPECT_EQ(shortcutAt(desktopShortcut()), installedShortcut("C:", "C:\\"));
    for (const InstallFile& file : kFiles) {
        fw::deleteFile(std::string("C:") + file.installed);
    }
}

TEST_F(InstallTest, AFolderWhoseGrandparentIsMissingIsNotMadeAndTheRunStallsAtTheStart) {
    const std::string folder = scratch.path + "\\No\\Such\\Ondrel";
    CCopyingDlg dlg(nullptr);
    install(dlg, folder);
    expectStalled(dlg, folder + "\\Ondrel.exe contains an invalid path.", "Source File: Ondrel.ex_",
                  "Destination File: " + folder + "\\Ondrel.exe", "0%", 0);
    EXPECT_FALSE(fw::fileExists(scratch.path + "\\No"));
}

TEST_F(InstallTest, AMissingSourceFileStopsTheRunBeforeIt) {
    const struct {
        std::size_t missing;
        const char* sourceLine;
        const char* percent;
        int bar;
    } rows[] = {
        {0, "Source File: Ondrel.ex_", "0%", 0},
        {2, "Ondrel.hl_", "40%", 2},
        {3, "Ondrel v1.3.ln_", "60%", 3},
        {10, "icon.gi_", "60%", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sourceLine);
        const std::string folder = destination(std::to_string(row.missing));
        const std::string name = kFiles[row.missing].source;
        ASSERT_TRUE(fw::deleteFile(source + "\\" + name));
        driver.clearRecords();
        CCopyingDlg dlg(nullptr);
        install(dlg, folder);
        const std::string destLine = folder + kFiles[row.missing].installed;
        expectStalled(dlg, name + " was not found.", row.sourceLine,
                      row.missing == 0 ? "Destination File: " + destLine : destLine, row.percent,
                      row.bar);
        expectInstalled(folder, row.missing);
        EXPECT_FALSE(fw::fileExists(desktopShortcut()));
        driver.writeFile(source + "\\" + name, content(row.missing));
    }
}

TEST_F(InstallTest, WithoutADesktopFolderTheRunStallsAtTheShortcuts) {
    ASSERT_TRUE(driver.removeFolder(windows + "\\Desktop"));
    CCopyingDlg dlg(nullptr);
    install(dlg, destination());
    expectStalled(dlg, desktopShortcut() + " contains an invalid path.", "Creating short-cuts...",
                  "", "80%", 4);
    // Re-pointed already; no copy in the Start menu.
    EXPECT_EQ(shortcutAt(destination() + "\\Ondrel v1.3.lnk"),
              installedShortcut(destination(), destination()));
    EXPECT_FALSE(fw::fileExists(startMenuShortcut()));
    EXPECT_FALSE(fw::fileExists(startMenuShortcut() + fw::kSaveSuffix));
}

TEST_F(InstallTest, CancelAsksFirstAndExitLeavesBeforeTheRun) {
    for (const int answer : {fw::kIdCancel, fw::kIdOk}) {
        SCOPED_TRACE(answer);
        CCopyingDlg dlg(nullptr);
        dlg.m_strDestFolder = destination();
        dlg.m_strSourceFolder = source;
        ASSERT_TRUE(driver.open(dlg));
        driver.onModal(IDD_CANCEL_SETUP, [&](fw::test::Driver& d, fw::Dialog& prompt) {
            EXPECT_EQ(prompt.parent(), &dlg);
            d.click(prompt, answer);
        });
        driver.click(dlg, fw::kIdCancel);
        EXPECT_EQ(driver.isOpen(dlg), answer == fw::kIdOk);
        driver.advance(500);
        EXPECT_EQ(dlg.result(), answer);
        EXPECT_EQ(fw::fileExists(destination()), answer == fw::kIdOk);
    }
}

#ifndef _WIN32
// Only the headless backend records drawing and injects file faults.
using InstallHeadlessOnly = InstallTest;

TEST_F(InstallHeadlessOnly, TheDialogShowsEachStepAtOnceInOrder) {
    CCopyingDlg dlg(nullptr);
    install(dlg, destination());
    std::map<int, std::vector<std::string>> shown;
    for (const std::string& call : driver.drawing()) {
        for (const int id : {IDC_SOURCE_LINE, IDC_DEST_LINE, IDC_PERCENT, IDC_PROGRESS}) {
            const std::string prefix = "paintControl(" + std::to_string(id) + ", ";
            std::vector<std::string>& seen = shown[id];
            const std::string what = call.substr(prefix.size(), call.size() - prefix.size() - 1);
            if (call.starts_with(prefix) && (seen.empty() || seen.back() != what)) {
                seen.push_back(what);
            }
        }
    }
    const std::string folder = destination();
    std::vector<std::string> sourceLines = {"\"\"", "\"Source File: Ondrel.ex_\""};
    std::vector<std::string> destLines = {"\"\"",
                                          "\"Destination File: " + folder + "\\Ondrel.exe\""};
    for (std::size_t i = 1; i < std::size(kFiles); ++i) {
        sourceLines.push_back("\"" + std::string(kFiles[i].source) + "\"");
        destLines.push_back("\"" + folder + kFiles[i].installed + "\"");
    }
    sourceLines.insert(sourceLines.end(), {"\"Creating short-cuts...\"", "\"Done\""});
    destLines.push_back("\"\"");
    EXPECT_EQ(shown[IDC_SOURCE_LINE], sourceLines);
    EXPECT_EQ(shown[IDC_DEST_LINE], destLines);
    EXPECT_EQ(shown[IDC_PERCENT], (std::vector<std::string>{"\"\"", "\"0%\"", "\"20%\"", "\"40%\"",
                                                            "\"60%\"", "\"80%\"", "\"100%\""}));
    std::vector<std::string> bar = {"position 0 in 0..100"};
    for (int step = 0; step <= 5; ++step) {
        bar.push_back("position " + std::to_string(step) + " in 0..5");
    }
    EXPECT_EQ(shown[IDC_PROGRESS], bar);
}

TEST_F(InstallHeadlessOnly, AFailedCopyLeavesTheOldFileAndNamesIt) {
    ASSERT_TRUE(fw::createDirectory(scratch.path + "\\Kestrune"));
    ASSERT_TRUE(fw::createDirectory(destination()));
    const std::string target = destination() + "\\Ondrel.cnt";
    driver.writeFile(target, "old help contents");
    driver.injectFault({target + fw::kSaveSuffix, Op::write, Cause::diskFull, 500});
    CCopyingDlg dlg(nullptr);
    install(dlg, destination());
    expectStalled(dlg, "Disk full while accessing " + target + ".", "Ondrel.cn_", target, "20%", 1);
    EXPECT_EQ(driver.readFile(target), "old help contents");
    EXPECT_FALSE(fw::fileExists(target + fw::kSaveSuffix));
}

TEST_F(InstallHeadlessOnly, AShortcutThatCannotBeRepointedStallsTheRunAtTheShortcuts) {
    const struct {
        std::optional<fw::test::FileFault> fault;
        const char* message;
    } rows[] = {
        {fw::test::FileFault{"Ondrel v1.3.lnk", Op::open, Cause::sharingViolation},
         "A sharing violation occurred while accessing %1."},
        {fw::test::FileFault{"Ondrel v1.3.lnk", Op::create, Cause::accessDenied},
         "Access to %1 was denied."},
        {std::nullopt, "An unknown error occurred while accessing %1."},  // not a shortcut
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.message);
        const std::string folder = destination(std::to_string(i));
        const std::string shortcut = folder + "\\Ondrel v1.3.lnk";
        driver.clearRecords();
        if (row.fault) {
            fw::test::FileFault fault = *row.fault;
            fault.path = folder + "\\" + fault.path;
            driver.injectFault(fault);
        } else {
            driver.writeFile(source + "\\Ondrel v1.3.ln_", "not a shortcut");
        }
        CCopyingDlg dlg(nullptr);
        install(dlg, folder);
        expectStalled(dlg, fw::formatMessage(row.message, {shortcut}), "Creating short-cuts...", "",
                      "80%", 4);
        EXPECT_FALSE(fw::fileExists(desktopShortcut()));
    }
}
#endif

}  // namespace
