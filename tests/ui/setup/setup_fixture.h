// Setup's dialogs under the test driver: a folder holding the eleven files to install, written by
// the test and made current as when Setup starts from it, folders to install into beside it, and
// the shortcuts below the Windows folder, tidied away afterwards.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "../framework/scratch_folder.h"
#include "framework/app.h"
#include "framework/test_driver.h"
#include "resource.h"
#include "shortcut_file.h"

class CCopyingDlg;

namespace fw::shortcut {
// How a failing test shows a shortcut.
inline void PrintTo(const Shortcut& link, std::ostream* out) {
    *out << "{target \"" << link.target << "\", arguments \"" << link.arguments
         << "\", description \"" << link.description << "\", folder \"" << link.workingDirectory
         << "\", icon \"" << link.iconPath << "\" " << link.iconIndex << ", show "
         << link.showCommand << ", hot key " << link.hotKey << "}";
}
}  // namespace fw::shortcut

class SetupTest : public ::testing::Test {
  protected:
    // Setup's application object as far as its windows see it: the caption of its message boxes.
    // Each test has its own, as the banner's tests make and destroy whole Setup applications.
    class SetupTestApp : public fw::App {
      public:
        SetupTestApp() { title = "Setup"; }
        bool initInstance() override { return false; }
    };
    struct InstallFile {
        const char* source;
        const char* installed;
    };
    static const InstallFile kFiles[11];
    // The template shortcut's hot key, which installing keeps.
    static constexpr std::uint16_t kHotKey = 0x0641;

    SetupTest();
    ~SetupTest() override;

    // The bytes of source file i; the template shortcut (file 4) is a shortcut elsewhere.
    static std::string content(std::size_t i);
    // A folder to install into, whose parent does not exist yet.
    std::string destination(const std::string& name = "Ondrel") const {
        return scratch.path + "\\Kestrune\\" + name;
    }
    std::string desktopShortcut() const { return windows + "\\Desktop\\Ondrel v1.3.lnk"; }
    std::string startMenuShortcut() const {
        return windows + "\\Start Menu\\Programs\\Kestrune Software\\Ondrel v1.3\\Ondrel v1.3.lnk";
    }
    std::optional<fw::shortcut::Shortcut> shortcutAt(const std::string& path) const;
    // What a run into folder leaves pointing at it, in folder's shortcut.
    static fw::shortcut::Shortcut installedShortcut(const std::string& folder,
                                                    const std::string& workingFolder);

    // Opens the copying dialog for the folder and lets its timer start the run.
    void install(CCopyingDlg& dlg, const std::string& folder);

    SetupTestApp app;
    fw::test::Driver driver;
    ScratchFolder scratch;
    const std::string source = scratch.path + "\\Disk";
    const std::string windows = fw::windowsDirectory();
};
