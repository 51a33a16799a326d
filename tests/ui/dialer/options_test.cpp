// The Options dialog and the Options command: the settings shown, handed back on OK and never on
// Cancel; the entry list; the enabling check boxes; Browse, Help and New Connection; the current
// entry worked out afterwards, "Ondrel.dat" and the start-up folder's shortcut.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialer/options/options_dlg.h"
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/save_file.h"
#include "options_fixture.h"
#include "platform/res/simulated_ras_resource.h"
#include "resource.h"
#include "settings_bytes.h"

namespace {

// The check boxes and the options they show.
const struct CheckBox {
    int id;
    BOOL COptions::*member;
} kCheckBoxes[] = {
    {IDC_SAVE_USER_PASSWORD, &COptions::m_bSaveUserAndPassword},
    {IDC_KEEP_DIALING, &COptions::m_bKeepDialing},
    {IDC_START_WITH_WINDOWS, &COptions::m_bStartWithWindows},
    {IDC_AUTO_DIAL, &COptions::m_bAutoDial},
    {IDC_START_MINIMIZED, &COptions::m_bStartMinimized},
    {IDC_START_PROGRAM, &COptions::m_bStartProgram},
    {IDC_PLAY_SOUND, &COptions::m_bPlaySound},
    {IDC_DIAL_BY_SCHEDULE, &COptions::m_bDialBySchedule},
};

TEST_F(OptionsTest, EveryCheckBoxShowsTheWindowsValueAndComesBackOnOk) {
    addEntry("Work");
    driver.writeFile(shortcutSource(), "L");
    ASSERT_TRUE(driver.open(dialer));
    for (const CheckBox& box : kCheckBoxes) {
        for (const BOOL before : {0, 1}) {
            SCOPED_TRACE(testing::Message() << box.id << " was " << before);
            for (const CheckBox& other : kCheckBoxes) {
                dialer.m_settings.*other.member = other.id == box.id ? before : 0;
            }
            runOptions([&](COptionsDlg& dlg) {
                for (const CheckBox& other : kCheckBoxes) {
                    EXPECT_EQ(dlg.item(other.id).checkState(), dialer.m_settings.*other.member)
                        << other.id;
                }
                driver.click(dlg, box.id);
                driver.click(dlg, fw::kIdOk);
            });
            for (const CheckBox& other : kCheckBoxes) {
                EXPECT_EQ(dialer.m_settings.*other.member, other.id == box.id ? 1 - before : 0)
                    << other.id;
            }
        }
    }
}

TEST_F(OptionsTest, CancelHandsNothingBackEvenAfterTheEnablingCheckBoxesTookTheControls) {
    addEntry("Home");
    addEntry("Work");
    driver.writeFile(shortcutSource(), "L");
    ASSERT_TRUE(driver.open(dialer));
    dialer.m_strEntryName = "Work";
    dialer.m_settings.m_strProgramPath = "C:\\Tools\\mail.exe";
    dialer.m_settings.m_bStartProgram = dialer.m_settings.m_bPlaySound = 1;
    dialer.updateData(false);
    // Which of the program path, the sound path and the schedule list are enabled.
    const auto enabled = [](const COptionsDlg& dlg) {
        std::string states;
        for (const int id : {IDC_PROGRAM_PATH, IDC_BROWSE_PROGRAM, IDC_SOUND_PATH, IDC_BROWSE_SOUND,
                             IDC_TASK_LIST}) {
            states += dlg.item(id).isEnabled() ? '1' : '0';
        }
        return states;
    };
    runOptions([&](COptionsDlg& dlg) {
        EXPECT_EQ(enabled(dlg), "11110");
        driver.choose(dlg, IDC_ENTRY_LIST, 0);
        driver.type(dlg, IDC_SOUND_PATH, "other.wav");
        for (const CheckBox& box : kCheckBoxes) {
            driver.click(dlg, box.id);
        }
        // The last box, "Dial according to a schedule:", took every control into the members.
        EXPECT_EQ(dlg.m_nEntryIndex, 0);
        EXPECT_EQ(dlg.m_options.m_bStartWithWindows, 1);
        EXPECT_EQ(dlg.m_options.m_strSoundPath, "other.wav");
        EXPECT_EQ(enabled(dlg), "00001");
        EXPECT_EQ(dlg.item(IDC_PROGRAM_PATH).text(), "C:\\Tools\\mail.exe");
        driver.click(dlg, IDC_OPTIONS_HELP);
        driver.click(dlg, fw::kIdCancel);
    });
    for (const CheckBox& box : kCheckBoxes) {
        const bool wasSet = box.id == IDC_START_PROGRAM || box.id == IDC_PLAY_SOUND;
        EXPECT_EQ(dialer.m_settings.*box.member, wasSet ? 1 : 0) << box.id;
    }
    EXPECT_EQ(dialer.m_strEntryName, "Work");
    EXPECT_EQ(dialer.m_settings.m_strSoundPath, "");
    EXPECT_EQ(settings(), std::nullopt);
    EXPECT_EQ(driver.readFile(startupShortcut()), std::nullopt);
    // Help opens the program folder's help file, owned by the main window.
    ASSERT_EQ(driver.shell().size(), 1u);
    const fw::test::ShellRecord& help = driver.shell()[0];
    EXPECT_EQ(help.kind + " " + help.verb + " " + help.target,
              "shell Open " + folder + "\\Ondrel.hlp");
    EXPECT_EQ(help.flags, unsigned{fw::kShowNormal});
    EXPECT_EQ(help.owner, dialer.handle());
}

TEST_F(OptionsTest, BrowseShowsTheChosenFileAndLeavesEveryOtherControlAsTheUserSetIt) {
    const struct {
        int box, browse, edit;
        const char* filter;
        std::string COptions::*path;
    } rows[] = {
        {IDC_START_PROGRAM, IDC_BROWSE_PROGRAM, IDC_PROGRAM_PATH,
         "Programs | *.exe; *.com; *.bat; | All Files (*.*) | *.*; ||",
         &COptions::m_strProgramPath},
        {IDC_PLAY_SOUND, IDC_BROWSE_SOUND, IDC_SOUND_PATH, "Wave Files (*.wav) | *.wav; ||",
         &COptions::m_strSoundPath},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.browse);
        driver.clearRecords();
        COptionsDlg dlg(nullptr, service);
        dlg.m_options.*row.path = "old";
        ASSERT_TRUE(driver.open(dlg));
        driver.click(dlg, row.box);
        driver.click(dlg, IDC_START_MINIMIZED);
        driver.answerFileDialog(std::nullopt);
        driver.click(dlg, row.browse);
        EXPECT_EQ(dlg.item(row.edit).text(), "old");
        driver.answerFileDialog("C:\\Chosen\\file.ext");
        driver.click(dlg, row.browse);
        EXPECT_EQ(dlg.item(row.edit).text(), "C:\\Chosen\\file.ext");
        EXPECT_EQ(dlg.item(IDC_START_MINIMIZED).checkState(), fw::kChecked);
        for (const fw::test::FileDialogRecord& record : driver.fileDialogs()) {
            EXPECT_TRUE(record.open);
            EXPECT_EQ(record.filter, row.filter);
            EXPECT_EQ(record.flags, fw::kOfnHideReadOnly);
            EXPECT_EQ(record.defaultExt, "");
            EXPECT_EQ(record.fileName, "");
            EXPECT_EQ(record.owner, dlg.handle());
        }
        driver.click(dlg, fw::kIdOk);
        EXPECT_EQ(driver.fileDialogs().size(), 2u);
        EXPECT_EQ(dlg.m_options.*row.path, "C:\\Chosen\\file.ext");
        EXPECT_EQ(dlg.m_options.m_bStartMinimized, 1);
    }
}

TEST_F(OptionsTest, NewConnectionRefillsTheListAndSelectsTheDialogsEntryAgain) {
    addEntry("Home");
    addEntry("Work");
    removeLater("Alpha");
    const struct {
        const char* created;  // nothing: the user cancels
        std::vector<std::string> items;
    } rows[] = {
        {nullptr, {"Home", "Work"}},
        {"Alpha", {"Alpha", "Home", "Work"}},
    };
    COptionsDlg dlg(nullptr, service);
    dlg.m_strEntryName = "Work";
    ASSERT_TRUE(driver.open(dlg));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.items.size());
        driver.choose(dlg, IDC_ENTRY_LIST, 0);
        driver.onModal(IDD_RAS_ENTRY, [&](fw::test::Driver& d, fw::Dialog& editor) {
            EXPECT_EQ(editor.owner(), dlg.handle());
            if (row.created != nullptr) {
                d.type(editor, IDC_RAS_NAME, row.created);
            }
            d.click(editor, row.created != nullptr ? fw::kIdOk : fw::kIdCancel);
        });
        driver.click(dlg, IDC_NEW_CONNECTION);
        EXPECT_EQ(listItems(dlg), row.items);
        const int work = static_cast<int>(row.items.size()) - 1;
        EXPECT_EQ(selection(dlg), work);
        EXPECT_EQ(dlg.m_nEntryIndex, work);
    }
    driver.click(dlg, fw::kIdOk);
    EXPECT_EQ(dlg.m_strEntryName, "Work");
}

TEST_F(OptionsTest, TheListHoldsTheWholePhonebookAndOkHandsBackTheSelectedNameOrNone) {
    const struct {
        std::size_t entries;  // "Entry 01" and on
        const char* name;
        int selected;
        const char* handedBack;
    } rows[] = {
        {0, "Entry 01", -1, ""},
        {2, "Gone", -1, ""},  // the entry has left the phonebook
        {2, "", -1, ""},
        {2, "entry 02", 1, "Entry 02"},  // the first item that begins with the name, ignoring case
        {2, "Entry 0", 0, "Entry 01"},
        {20, "Entry 20", 19, "Entry 20"},
        {21, "Entry 21", 20, "Entry 21"},  // more than the first enumeration has room for
        {45, "Entry 45", 44, "Entry 45"},
    };
    std::vector<std::string> names;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.entries << " " << row.name);
        while (names.size() < row.entries) {
            char name[16];
            std::snprintf(name, sizeof name, "Entry %02zu", names.size() + 1);
            names.push_back(name);
            addEntry(name);
        }
        COptionsDlg dlg(nullptr, service);
        dlg.m_strEntryName = row.name;
        ASSERT_TRUE(driver.open(dlg));
        EXPECT_EQ(listItems(dlg), names);
        EXPECT_EQ(selection(dlg), row.selected);
        EXPECT_EQ(dlg.m_nEntryIndex, row.selected);
        driver.click(dlg, fw::kIdOk);
        EXPECT_EQ(dlg.m_strEntryName, row.handedBack);
    }
}

TEST_F(OptionsTest, OkMakesTheChosenEntryCurrentWithItsRememberedAccount) {
    addEntry("Home");
    addEntry("Work");
    ASSERT_TRUE(driver.open(dialer));
    dialer.m_settings.m_bSaveUserAndPassword = 1;
    const struct {
        const char* what;
        std::vector<Triple> before, saved;
        std::int32_t current;
        const char* userId;
        const char* password;
    } rows[] = {
        // The entry left behind keeps the account typed for it.
        {"known",
         {{"Home", "ann", "1"}, {"Work", "bob", "2"}},
         {{"Home", "amy", "typed"}, {"Work", "bob", "2"}},
         1,
         "bob",
         "2"},
        {"new", {{"Home", "ann", "1"}}, {{"Home", "amy", "typed"}, {"Work", "", ""}}, 1, "", ""},
        // Typed before any entry was chosen, the account stays with the very first one.
        {"first", {}, {{"Work", "amy", "typed"}}, 0, "amy", "typed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        dialer.m_settings.m_astrEntryNames.clear();
        dialer.m_settings.m_astrUserIds.clear();
        dialer.m_settings.m_astrPasswords.clear();
        for (const Triple& entry : row.before) {
            dialer.m_settings.m_astrEntryNames.push_back(entry.name);
            dialer.m_settings.m_astrUserIds.push_back(entry.userId);
            dialer.m_settings.m_astrPasswords.push_back(entry.password);
        }
        dialer.m_settings.m_nEntryCount = static_cast<std::int32_t>(row.before.size());
        dialer.m_settings.m_nCurrentEntry = 0;
        dialer.m_strEntryName = row.before.empty() ? "" : "Home";
        dialer.updateData(false);
        driver.type(dialer, IDC_USER_ID, "amy");
        driver.type(dialer, IDC_PASSWORD, "typed");
        runOptions([&](COptionsDlg& dlg) {
            driver.choose(dlg, IDC_ENTRY_LIST, 1);
            driver.click(dlg, fw::kIdOk);
        });
        const auto count = static_cast<std::int32_t>(row.saved.size());
        EXPECT_EQ(settings(), settingsFile({1}, count, row.current, row.saved));
        EXPECT_EQ(dialer.m_settings.m_nCurrentEntry, row.current);
        EXPECT_EQ(dialer.item(IDC_ENTRY_NAME).text(), "Work");
        EXPECT_EQ(dialer.item(IDC_USER_ID).text(), row.userId);
        EXPECT_EQ(dialer.item(IDC_PASSWORD).text(), row.password);
    }
}

TEST_F(OptionsTest, TheFirstEntryBecomesCurrentWhateverIndexTheFileHeld) {
    addEntry("Work");
    for (const std::int32_t index : {5, -1}) {
        SCOPED_TRACE(index);
        writeSettings(settingsFile({1}, 0, index));
        CDialerDlg window(service);
        ASSERT_TRUE(driver.open(window));
        driver.type(window, IDC_USER_ID, "me");
        driver.type(window, IDC_PASSWORD, "pw");
        driver.onModal(IDD_OPTIONS, [](fw::test::Driver& d, fw::Dialog& options) {
            d.choose(options, IDC_ENTRY_LIST, 0);
            d.click(options, fw::kIdOk);
        });
        driver.click(window, IDC_OPTIONS);
        EXPECT_EQ(window.m_settings.m_nCurrentEntry, 0);
        EXPECT_EQ(settings(), settingsFile({1}, 1, 0, {{"Work", "me", "pw"}}));
        driver.type(window, IDC_USER_ID, "you");
        driver.click(window, fw::kIdCancel);
        EXPECT_EQ(settings(), settingsFile({1}, 1, 0, {{"Work", "you", "pw"}}));
    }
}

TEST_F(OptionsTest, AnOkWhoseSettingsCannotBeWrittenLeavesTheWindowAsItWas) {
    addEntry("Home");
    addEntry("Work");
    const std::string before = settingsFile({1}, 1, 0, {{"Home", "ann", "one"}});
    writeSettings(before);
    driver.writeFile(shortcutSource(), "L");
    ASSERT_TRUE(driver.open(dialer));
    // A folder where the file is to be written.
    ASSERT_TRUE(fw::createDirectory(settingsPath() + fw::kSaveSuffix));
    runOptions([&](COptionsDlg& dlg) {
        driver.click(dlg, IDC_KEEP_DIALING);
        driver.click(dlg, IDC_START_WITH_WINDOWS);
        driver.choose(dlg, IDC_ENTRY_LIST, 1);
        driver.click(dlg, fw::kIdOk);
    });
    expectFileError("Access to Ondrel.dat was denied.");
    EXPECT_EQ(dialer.m_settings.m_bKeepDialing, 0);
    EXPECT_EQ(dialer.m_settings.m_nEntryCount, 1);
    EXPECT_EQ(dialer.item(IDC_ENTRY_NAME).text(), "Home");
    EXPECT_EQ(dialer.item(IDC_USER_ID).text(), "ann");
    EXPECT_EQ(driver.readFile(startupShortcut()), std::nullopt);
    // The end can write nothing either, and the file keeps the options as they were.
    driver.clearRecords();
    driver.click(dialer, fw::kIdCancel);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text, "Access to Ondrel.dat was denied.");
    EXPECT_EQ(settings(), before);
}

TEST_F(OptionsTest, TheSettingsStayInTheProgramsFolderAfterAFileDialogMovedAway) {
    addEntry("Work");
    ASSERT_TRUE(fw::createDirectory(folder + "\\Elsewhere"));
    const std::string exported = folder + "\\Elsewhere\\work.dnx";
    for (const int end : {fw::kIdCancel, fw::kIdOk}) {
        SCOPED_TRACE(end);
        writeSettings(settingsFile({1}, 1, 0, {{"Work", "ann", "one"}}));
        {
            CDialerDlg window(service);
            ASSERT_TRUE(driver.open(window));
            driver.onModal(IDD_OPTIONS, [&](fw::test::Driver& d, fw::Dialog& options) {
                d.answerFileDialog(exported);
                d.click(options, IDC_SAVE_DIALUP);
                EXPECT_EQ(fw::currentDirectory(), folder + "\\Elsewhere");
                d.click(options, end);
            });
            driver.click(window, IDC_OPTIONS);
            EXPECT_EQ(fw::currentDirectory(), folder);
            driver.type(window, IDC_USER_ID, "typed");
            driver.click(window, fw::kIdCancel);
        }
        EXPECT_FALSE(driver.readFile(folder + "\\Elsewhere\\Ondrel.dat").has_value());
        // The next start finds what the last one saved.
        CDialerDlg next(service);
        ASSERT_TRUE(driver.open(next));
        EXPECT_EQ(next.item(IDC_USER_ID).text(), "typed");
        driver.click(next, fw::kIdCancel);
    }
}

TEST_F(OptionsTest, OkWithNoEntryChosenRemembersNoNamelessEntry) {
    ASSERT_TRUE(driver.open(dialer));  // the phonebook is empty, so nothing can be chosen
    dialer.m_settings.m_bSaveUserAndPassword = 1;
    dialer.m_settings.m_astrEntryNames = {"Gone"};
    dialer.m_settings.m_astrUserIds = {"ann"};
    dialer.m_settings.m_astrPasswords = {"1"};
    dialer.m_settings.m_nEntryCount = 1;
    dialer.m_settings.m_nCurrentEntry = 0;
    dialer.m_strEntryName = "Gone";
    dialer.m_strUserId = "ann";
    dialer.m_strPassword = "1";
    dialer.updateData(false);
    runOptions([&](COptionsDlg& dlg) { driver.click(dlg, fw::kIdOk); });
    // The account shown belonged to "Gone" and stays with it; no current entry afterwards.
    EXPECT_EQ(settings(), settingsFile({1}, 1, 1, {{"Gone", "ann", "1"}}));
    EXPECT_EQ(dialer.m_settings.m_nEntryCount, 1);
    EXPECT_EQ(dialer.item(IDC_ENTRY_NAME).text(), "");
}

TEST_F(OptionsTest, TheStartUpFolderHoldsACopyOfTheShortcutExactlyWhileTheOptionIsTicked) {
    addEntry("Work");
    // More than one read's worth, with every byte value.
    std::string shortcut(10'000, '\0');
    for (std::size_t i = 0; i < shortcut.size(); ++i) {
        shortcut[i] = static_cast<char>(i * 7);
    }
    ASSERT_TRUE(driver.open(dialer));
    const struct {
        bool source;
        int tick;
        std::optional<std::string> copy;
        const char* message;
    } rows[] = {
        {true, 1, shortcut, nullptr},
        {true, 0, std::nullopt, nullptr},
        {true, 0, std::nullopt, nullptr},  // nothing to delete, nothing said
        {false, 1, std::nullopt, "Ondrel v1.3.lnk was not found."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.source << row.tick);
        if (row.source) {
            driver.writeFile(shortcutSource(), shortcut);
        } else {
            fw::deleteFile(shortcutSource());
        }
        driver.clearRecords();
        runOptions([&](COptionsDlg& dlg) {
            if (dlg.item(IDC_START_WITH_WINDOWS).checkState() != row.tick) {
                driver.click(dlg, IDC_START_WITH_WINDOWS);
            }
            driver.click(dlg, fw::kIdOk);
        });
        EXPECT_EQ(driver.readFile(startupShortcut()), row.copy);
        // "Ondrel.dat" is written before the shortcut, whatever becomes of it.
        EXPECT_EQ(settings().value_or("").substr(8, 4), le32(row.tick));
        if (row.message == nullptr) {
            EXPECT_TRUE(driver.messageBoxes().empty());
        } else {
            expectFileError(row.message);
        }
    }
}

}  // namespace
