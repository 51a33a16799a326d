// Setup under the test driver. SetupAppTest: Setup started as the program starts it, with a wizard
// that only counts its runs. SetupTest: Setup's dialogs, with a folder holding the eleven files to
// install, written by the test and made current as when Setup starts from it, folders to install
// into beside it, and the shortcuts below the Windows folder, tidied away afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../framework/scratch_folder.h"
#include "framework/app.h"
#include "framework/test_driver.h"
#include "setup/setup_app.h"
#include "shortcut_file.h"

class CCopyingDlg;

// Ids as Setup's windows have them, written out rather than taken from its resource.h, so that a
// renumbered one fails. The banner's timers are 1 to 4, the copying dialog's timer 1.
namespace ids {
constexpr int kAbout = 100, kWelcome = 130, kDestination = 132, kCancelSetup = 134;
constexpr int kBrowse = 1001, kDestFolder = 1002, kDestBack = 1003, kDestLine = 1004,
              kSourceLine = 1005, kProgress = 1006, kPercent = 1007;
// The framework's About command on the frame's Help menu.
constexpr unsigned kAboutCommand = 0xE140;
}  // namespace ids

class SetupAppTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app.initInstance()); }

    CMainFrame& frame() { return *app.m_pMainFrame; }
    CSetupView& view() { return *app.m_pView; }

    // The banner's timer that runs, 0 for none; the test fails when more than one runs.
    unsigned runningTimer() {
        unsigned running = 0;
        for (unsigned id = 1; id <= 4; ++id) {
            if (driver.timerRunning(view(), id)) {
                EXPECT_EQ(running, 0u) << "timer " << id << " runs too";
                running = id;
            }
        }
        return running;
    }
    // Ticks a sliding timer until it stops; returns m_xText before each tick, which is where the
    // tick drew the moving line.
    std::vector<int> slide(unsigned timer) {
        std::vector<int> positions;
        while (runningTimer() == timer && positions.size() < 1000) {
            positions.push_back(view().m_xText);
            driver.advance(driver.timerInterval(view(), timer));
        }
        return positions;
    }

    fw::test::Driver driver;
    int wizardRuns = 0;
    CSetupApp app{[this] { ++wizardRuns; }};
};

class SetupTest : public ::testing::Test {
  public:
    struct InstallFile {
        const char* source;
        const char* installed;
    };
    static const InstallFile kFiles[11];
    // The folder the destination page opens with.
    static constexpr const char* kDefaultFolder = "C:\\Program Files\\Kestrune\\Ondrel";
    // The bytes of source file i; the template shortcut (file 4) is a shortcut elsewhere.
    static std::string content(std::size_t i);
    // What a run into folder leaves pointing at it, in folder's shortcut.
    static fw::shortcut::Shortcut installedShortcut(const std::string& folder,
                                                    const std::string& workingFolder);

  protected:
    // Setup's application object as far as its windows see it: the caption of its message boxes.
    // Each test has its own, as the banner's tests make and destroy whole Setup applications.
    class SetupTestApp : public fw::App {
      public:
        SetupTestApp() { title = "Setup"; }
        bool initInstance() override { return false; }
    };
    // The template shortcut's hot key, which installing keeps.
    static constexpr std::uint16_t kHotKey = 0x0641;

    SetupTest();
    ~SetupTest() override;

    // A folder to install into, whose parent does not exist yet.
    std::string destination() const { return scratch.path + "\\Kestrune\\Ondrel"; }
    std::string desktopShortcut() const { return windows + "\\Desktop\\Ondrel v1.3.lnk"; }
    std::string startMenuShortcut() const { return group + "\\Ondrel v1.3\\Ondrel v1.3.lnk"; }
    std::optional<fw::shortcut::Shortcut> shortcutAt(const std::string& path) const;
    // Makes the destination folder and the program group with the product's folder in it.
    void makeFolders() const;

    // Opens the copying dialog for the folder and lets its timer start the run. A run that stalls
    // leaves its dialog open, so the fixture keeps it until the test ends.
    CCopyingDlg* install(const std::string& folder);
    // Files 0 to count-1 of the installation in folder, each as its source; the others absent, or
    // holding previous when the folder held them before; no temporary file.
    void expectInstalled(const std::string& folder, std::size_t count = std::size(kFiles),
                         const std::optional<std::string>& previous = std::nullopt);
    // After the one message box, the dialog open where the run stopped: lines, percent and bar.
    void expectStalled(const CCopyingDlg& dlg, const std::string& message,
                       const std::vector<std::string>& shown, int bar);

    SetupTestApp app;
    fw::test::Driver driver;
    ScratchFolder scratch;
    const std::string source = scratch.path + "\\Disk";
    const std::string windows = fw::windowsDirectory();
    // The program group Setup puts its Start-menu shortcut's folder in.
    const std::string group = windows + "\\Start Menu\\Programs\\Kestrune Software";
    std::vector<std::unique_ptr<CCopyingDlg>> runs;
};
