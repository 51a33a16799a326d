// The dialer's main window under the test driver: a program folder made current, the simulated
// remote access service as the system's, with entries of chosen line behaviour, and "Ondrel.dat"
// written and read as bytes; and the Options command around it. The tests take the dialer's
// windows and resource ids, the driver with its inspections and the local time from here.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialer/dialer_dlg.h"
#include "dialer/options/options_dlg.h"
#include "framework/controls.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "framework/registry.h"
#include "framework/test_driver.h"
#include "platform/ras/phonebook.h"
#include "resource.h"
#include "simulated_service.h"
#include "time_zone.h"

#ifdef _WIN32
#include <windows.h>
#endif

// A message box as the user sees it: its text, caption and type.
inline std::string shownBox(const std::string& text, const std::string& caption, unsigned type) {
    return text + " | " + caption + " | " + std::to_string(type);
}

class DialerTest : public ::testing::Test {
  protected:
    DialerTest() {
        // Before any local time is read: Wine's C library keeps no daylight-saving rules for a
        // zone set after it has read the system's.
        useNewYorkTime();
#ifdef _WIN32
        // The real file system: a fresh folder of our own under the temporary folder.
        static int made = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "OndrelTest" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++made);
        previousFolder = fw::currentDirectory();
        EXPECT_TRUE(fw::createDirectory(folder));
        // The tests expect an empty phonebook; the prefix may hold entries from elsewhere.
        fw::test::deleteTree("RemoteAccess");
#else
        // The sandbox starts with only the Windows folder.
        for (const char* path : {"C:\\Program Files", "C:\\Program Files\\Kestrune",
                                 "C:\\Program Files\\Kestrune\\Ondrel"}) {
            EXPECT_TRUE(fw::createDirectory(path)) << path;
        }
        folder = "C:\\Program Files\\Kestrune\\Ondrel";
#endif
        EXPECT_TRUE(fw::setCurrentDirectory(folder));
    }

    ~DialerTest() override {
        for (const std::string& name : entries_) {
            removeEntry(name);
        }
#ifdef _WIN32
        fw::setCurrentDirectory(previousFolder);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
#endif
    }

    // A phonebook entry of the simulated service whose line behaves as given.
    void addEntry(const std::string& name, ras::sim::Line line = ras::sim::Line::answers,
                  std::uint32_t count = 0) {
        ASSERT_TRUE(ras::sim::writeEntry(name, {line, count, "555-0100", ""})) << name;
        ras::sim::writeProfile(name);
        entries_.push_back(name);
    }

    // Takes an entry out of the phonebook, whether it is there or not.
    static void removeEntry(const std::string& name) {
        fw::reg::Key addresses;
        if (addresses.open(ras::sim::kAddressesKey) == fw::reg::kSuccess) {
            addresses.remove(name);
        }
        fw::test::deleteTree(ras::sim::profileKey(name));
    }

    // An entry the test made some other way (through the service's own dialog, say), removed at
    // the end like the others.
    void removeLater(const std::string& name) {
        entries_.push_back(name);
    }

    std::string settingsPath() const {
        return folder + "\\Ondrel.dat";
    }
    void writeSettings(const std::string& bytes) {
        driver.writeFile(settingsPath(), bytes);
    }
    std::optional<std::string> settings() const {
        return driver.readFile(settingsPath());
    }
    std::string tasksPath() const {
        return folder + "\\Tasks.dat";
    }
    std::optional<std::string> tasks() const {
        return driver.readFile(tasksPath());
    }

    // Opens a main window on this "Ondrel.dat" and, if given, this "Tasks.dat"; false when its
    // creation failed.
    bool openWith(CDialerDlg& window, const std::string& settingsBytes,
                  const std::optional<std::string>& tasksBytes = std::nullopt) {
        writeSettings(settingsBytes);
        if (tasksBytes) {
            driver.writeFile(tasksPath(), *tasksBytes);
        }
        return driver.open(window);
    }

    // The entry, account ID and password a main window shows, as "name|ID|password".
    static std::string account(const CDialerDlg& window) {
        return window.item(IDC_ENTRY_NAME).text() + "|" + window.item(IDC_USER_ID).text() + "|" +
               window.item(IDC_PASSWORD).text();
    }
    // The message boxes shown since the records were cleared, as shownBox writes them.
    std::vector<std::string> boxes() const {
        std::vector<std::string> shown;
        for (const fw::test::MessageBoxRecord& box : driver.messageBoxes()) {
            shown.push_back(shownBox(box.text, box.caption, box.type));
        }
        return shown;
    }

    fw::test::Driver driver;
    // After the driver: the service's dials end before the virtual clock does.
    SimulatedService simulated{driver};
    // The service's functions as the program finds them; a test may wrap one before it opens
    // the window.
    ras::RemoteAccess service = ras::LoadRemoteAccess();
    std::string folder;
#ifdef _WIN32
    std::string previousFolder;
#endif
    CDialerDlg dialer{service};

  private:
    std::vector<std::string> entries_;
};

// The Options command: the start-up folder with the copy of the program's shortcut that the
// command keeps there, the dialog driven by a script, and its entry list.
class OptionsTest : public DialerTest {
  protected:
    OptionsTest() {
        // The single-user layout's start-up folder (the Wine prefix has it already).
        std::string path = fw::windowsDirectory();
        for (const char* part : {"\\Start Menu", "\\Programs", "\\StartUp"}) {
            fw::createDirectory(path += part);
        }
    }
    ~OptionsTest() override { fw::deleteFile(startupShortcut()); }

    static std::string startupShortcut() {
        return fw::windowsDirectory() + "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk";
    }
    std::string shortcutSource() const { return folder + "\\Ondrel v1.3.lnk"; }

    // The Options command from a main window; the script drives the dialog and ends it.
    void runOptions(CDialerDlg& window, const std::function<void(COptionsDlg&)>& script) {
        driver.onModal(IDD_OPTIONS, [script](fw::test::Driver&, fw::Dialog& dialog) {
            script(static_cast<COptionsDlg&>(dialog));
        });
        driver.click(window, IDC_OPTIONS);
    }
    // The dialog on its own, opened on this entry.
    void openOptions(const std::string& entryName) {
        options.emplace(nullptr, service);
        options->m_strEntryName = entryName;
        ASSERT_TRUE(driver.open(*options));
    }

    static std::vector<std::string> listItems(const COptionsDlg& dlg) {
        const fw::ComboBox list(dlg, IDC_ENTRY_LIST);
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i) {
            items.push_back(list.itemText(i));
        }
        return items;
    }
    // The file dialog shown i-th, owned by this dialog, as
    // "open|filter|flags|default extension|file name".
    std::string fileDialog(std::size_t i, const fw::Dialog& owner) const {
        const fw::test::FileDialogRecord& d = driver.fileDialogs().at(i);
        EXPECT_EQ(d.owner, owner.handle());
        return std::string(d.open ? "open" : "save") + "|" + d.filter + "|" +
               std::to_string(d.flags) + "|" + d.defaultExt + "|" + d.fileName;
    }
    static int selection(const COptionsDlg& dlg) {
        return fw::ComboBox(dlg, IDC_ENTRY_LIST).currentSelection();
    }

    std::optional<COptionsDlg> options;
};
