// The Options dialog and the Options command: the settings shown, handed back on OK and never on
// Cancel; the entry list; the enabling check boxes; Browse, Help and New Connection; the current
// entry worked out afterwards, "Ondrel.dat" and the start-up folder's shortcut.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "dialer_fixture.h"
#include "platform/res/simulated_ras_resource.h"
#include "settings_bytes.h"

namespace {

// The check boxes and the options they show.
const struct CheckBox {
    int id;
    BOOL COptions::*member;
} kCheckBoxes[] = {
    {1006, &COptions::m_bSaveUserAndPassword}, {1007, &COptions::m_bKeepDialing},
    {1008, &COptions::m_bStartWithWindows},    {1009, &COptions::m_bAutoDial},
    {1010, &COptions::m_bStartMinimized},      {1011, &COptions::m_bStartProgram},
    {1023, &COptions::m_bPlaySound},           {1026, &COptions::m_bDialBySchedule},
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
            runOptions(dialer, [&](COptionsDlg& dlg) {
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
    ASSERT_TRUE(driver.open(dialer));
    dialer.m_strEntryName = "Work";
    dialer.m_settings.m_strProgramPath = "C:\\Tools\\mail.exe";
    dialer.m_settings.m_bStartProgram = dialer.m_settings.m_bPlaySound = 1;
    dialer.updateData(false);
    const CSettings before = dialer.m_settings;
    // Which of the program path and its Browse, the sound path and its Browse and the schedule
    // list are enabled.
    const auto enabled = [](const COptionsDlg& dlg) {
        std::string states;
        for (const int id : {1012, 1013, 1024, 1025, 1027}) {
            states += dlg.item(id).isEnabled() ? '1' : '0';
        }
        return states;
    };
    runOptions(dialer, [&](COptionsDlg& dlg) {
        EXPECT_EQ(enabled(dlg), "11110");
        driver.choose(dlg, IDC_ENTRY_LIST, 0);
        driver.type(dlg, IDC_SOUND_PATH, "other.wav");
        for (const CheckBox& box : kCheckBoxes) {
            driver.click(dlg, box.id);
        }
        // The last box, "Dial according to a schedule:", took every control into the members.
        EXPECT_EQ(std::tie(dlg.m_nEntryIndex, dlg.m_options.m_bStartWithWindows,
                           dlg.m_options.m_strSoundPath),
                  std::make_tuple(0, 1, std::string("other.wav")));
        EXPECT_EQ(enabled(dlg), "00001");
        EXPECT_EQ(dlg.item(IDC_PROGRAM_PATH).text(), "C:\\Tools\\mail.exe");
        driver.click(dlg, IDC_OPTIONS_HELP);
        driver.click(dlg, fw::kIdCancel);
    });
    for (const CheckBox& box : kCheckBoxes) {
        EXPECT_EQ(dialer.m_settings.*box.member, before.*box.member) << box.id;
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
    EXPECT_EQ(std::tie(help.flags, help.owner),
              std::make_tuple(unsigned{fw::kShowNormal}, dialer.handle()));
}

TEST_F(OptionsTest, BrowseShowsTheChosenFileAndLeavesEveryOtherControlAsTheUserSetIt) {
    const struct {
        int box, browse, edit;
        const char* filter;
        std::string COptions::*path;
    } rows[] = {
        {1011, 1013, 1012, "Programs | *.exe; *.com; *.bat; | All Files (*.*) | *.*; ||",
         &COptions::m_strProgramPath},
        {1023, 1025, 1024, "Wave Files (*.wav) | *.wav; ||", &COptions::m_strSoundPath},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.browse);
        driver.clearRecords();
        COptionsDlg dlg(nullptr, service);
        dlg.m_options.*row.path = "old";
        ASSERT_TRUE(driver.open(dlg));
        driver.click(dlg, row.box);
        driver.click(dlg, IDC_START_MINIMIZED);
        const std::optional<std::string> answers[] = {std::nullopt, "C:\\Chosen\\file.ext"};
        for (const std::optional<std::string>& answer : answers) {
            driver.answerFileDialog(answer);
            driver.click(dlg, row.browse);
            EXPECT_EQ(dlg.item(row.edit).text(), answer.value_or("old"));
        }
        EXPECT_EQ(dlg.item(IDC_START_MINIMIZED).checkState(), fw::kChecked);
        for (const std::size_t shown : {0u, 1u}) {  // 4: the read-only box hidden
            EXPECT_EQ(fileDialog(shown, dlg), "open|" + std::string(row.filter) + "|4||");
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
    COptionsDlg dlg(nullptr, service);
    dlg.m_strEntryName = "Work";
    ASSERT_TRUE(driver.open(dlg));
    // The user cancels the platform's editor, then makes "Alpha" with it.
    for (const char* created : {"", "Alpha"}) {
        SCOPED_TRACE(created);
        driver.choose(dlg, IDC_ENTRY_LIST, 0);
        driver.onModal(IDD_RAS_ENTRY, [&](fw::test::Driver& d, fw::Dialog& editor) {
            EXPECT_EQ(editor.owner(), dlg.handle());
            d.type(editor, IDC_RAS_NAME, created);
            d.click(editor, *created != '\0' ? fw::kIdOk : fw::kIdCancel);
        });
        driver.click(dlg, IDC_NEW_CONNECTION);
        std::vector<std::string> items = {"Home", "Work"};
        if (*created != '\0') {
            items.insert(items.begin(), created);
        }
        EXPECT_EQ(listItems(dlg), items);
        const int work = static_cast<int>(items.size()) - 1;
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
    const Triple home{"Home", "ann", "1"}, work{"Work", "bob", "2"};
    const Triple homeTyped{"Home", "amy", "typed"}, workTyped{"Work", "amy", "typed"};
    const struct {
        const char* what;
        std::vector<Triple> before, saved;
        std::int32_t index;  // the file's current entry
        std::int32_t current;
        const char* shown;  // name|account ID|password
    } rows[] = {
        // The entry left behind keeps the account typed for it.
        {"known", {home, work}, {homeTyped, work}, 0, 1, "Work|bob|2"},
        {"new", {home}, {homeTyped, {"Work", "", ""}}, 0, 1, "Work||"},
        // Typed before any entry was chosen, the account stays with the very first one, whatever
        // index the file held.
        {"first", {}, {workTyped}, 5, 0, "Work|amy|typed"},
        {"first, index -1", {}, {workTyped}, -1, 0, "Work|amy|typed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto count = static_cast<std::int32_t>(row.before.size());
        CDialerDlg window(service);
        ASSERT_TRUE(openWith(window, settingsFile({1}, count, row.index, row.before)));
        driver.type(window, IDC_USER_ID, "amy");
        driver.type(window, IDC_PASSWORD, "typed");
        runOptions(window, [&](COptionsDlg& dlg) {
            driver.choose(dlg, IDC_ENTRY_LIST, 1);
            driver.click(dlg, fw::kIdOk);
        });
        const auto saved = static_cast<std::int32_t>(row.saved.size());
        EXPECT_EQ(settings(), settingsFile({1}, saved, row.current, row.saved));
        EXPECT_EQ(window.m_settings.m_nCurrentEntry, row.current);
        EXPECT_EQ(account(window), row.shown);
        driver.click(window, fw::kIdCancel);
    }
}

TEST_F(OptionsTest, TheSettingsStayInTheProgramsFolderAfterAFileDialogMovedAway) {
    addEntry("Work");
    ASSERT_TRUE(fw::createDirectory(folder + "\\Elsewhere"));
    for (const int end : {fw::kIdCancel, fw::kIdOk}) {
        SCOPED_TRACE(end);
        {
            CDialerDlg window(service);
            ASSERT_TRUE(openWith(window, settingsFile({1}, 1, 0, {{"Work", "ann", "one"}})));
            runOptions(window, [&](COptionsDlg& dlg) {
                driver.answerFileDialog(folder + "\\Elsewhere\\work.dnx");
                driver.click(dlg, IDC_SAVE_DIALUP);
                EXPECT_EQ(fw::currentDirectory(), folder + "\\Elsewhere");
                driver.click(dlg, end);
            });
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

TEST_F(OptionsTest, TheStartUpFolderHoldsACopyOfTheShortcutExactlyWhileTheOptionIsTicked) {
    addEntry("Work");
    // More than one read's worth, with every byte value.
    std::string shortcut(10'000, '\0');
    for (std::size_t i = 0; i < shortcut.size(); ++i) {
        shortcut[i] = static_cast<char>(i * 7);
    }
    driver.writeFile(shortcutSource(), shortcut);
    ASSERT_TRUE(driver.open(dialer));
    // Unticked twice: the second time there is nothing to delete, and nothing is said.
    for (const int tick : {1, 0, 0}) {
        SCOPED_TRACE(tick);
        runOptions(dialer, [&](COptionsDlg& dlg) {
            if (dlg.item(IDC_START_WITH_WINDOWS).checkState() != tick) {
                driver.click(dlg, IDC_START_WITH_WINDOWS);
            }
            driver.click(dlg, fw::kIdOk);
        });
        EXPECT_EQ(driver.readFile(startupShortcut()),
                  tick != 0 ? std::optional(shortcut) : std::nullopt);
        EXPECT_EQ(settings().value_or("").substr(8, 4), le32(tick));
    }
    EXPECT_TRUE(driver.messageBoxes().empty());
}

}  // namespace
