// The Options dialog's schedule list (its rows, its menu under the pointer, and adding, deleting,
// disabling and editing tasks) and the Task Properties dialog (a new task's defaults, the entry it
// selects, the enabling of the minutes and runs edits, and what OK asks for before it closes).
#include <string>
#include <vector>

#include "dialer/scheduler/task_properties_dlg.h"
#include "dialer_fixture.h"

namespace {

// Local times are New York's: the test clock's start, 2000-01-01 00:00 UTC, is 31 December 1999,
// 7 PM there. 7 March 2000, 08:05 there:
constexpr std::int32_t kMarch7 = 952'434'300;

// The message boxes shown are this one refusal alone.
void expectOnlyInvalidInput(const std::vector<std::string>& shown, const std::string& message) {
    EXPECT_EQ(shown, std::vector{shownBox(message, "Error: Invalid Input!",
                                          fw::mb::kOk | fw::mb::kIconExclamation)});
}

class ScheduleListTest : public DialerTest {
  protected:
    ScheduleListTest() {
        addEntry("Work");
        options.m_options.m_bDialBySchedule = 1;
    }

    COptionsDlg options{nullptr, service};

    fw::ListView list() const { return fw::ListView(options, IDC_TASK_LIST); }
    // Each row as "name|picture|details".
    std::vector<std::string> rows() const {
        std::vector<std::string> texts;
        for (int i = 0; i < list().itemCount(); ++i) {
            texts.push_back(list().itemText(i, 0) + "|" + std::to_string(list().itemImage(i)) +
                            "|" + list().itemText(i, 1));
        }
        return texts;
    }
    // A click on the list with the pointer in a row (-1: below the last row).
    void clickRow(int code, int row) {
        const fw::Rect first = list().itemRect(0);
        const int height = first.height();
        const int y = first.top + height / 2 + height * (row < 0 ? list().itemCount() + 1 : row);
        driver.clickList(options, IDC_TASK_LIST, code, {first.left + 20, y});
    }
    // The menu a right click on a row offers: "enabled/checked" for Delete, Disable, Properties.
    std::string menuStates(int row) {
        clickRow(fw::nm::kRightClick, row);
        const auto& items = driver.menus().back().items;
        std::string states = !items.at(0).grayed ? "add" : "-";
        for (int position : {1, 2, 4}) {
            states += std::string(" ") + (items.at(position).grayed ? "-" : "on") +
                      (items.at(position).checked ? "+check" : "");
        }
        return states;
    }
    // Runs Task Properties from the list; the script fills it and ends it.
    void withTaskProperties(const std::function<void(CTaskPropertiesDlg&)>& script) {
        driver.onModal(IDD_TASK_PROPERTIES, [script](fw::test::Driver&, fw::Dialog& dialog) {
            script(static_cast<CTaskPropertiesDlg&>(dialog));
        });
    }
};

TEST_F(ScheduleListTest, TheListShowsEveryTaskWithItsPictureAndTime) {
    options.m_aTasks = {CTasks("Night", "Work", kMarch7, 0, 0, kRecurDaily, 0),
                        CTasks("Noon", "Work", kMarch7 + 4 * 3600 + 25 * 60, 0, 0, 0, 0),
                        CTasks("Late", "Work", kMarch7 - 8 * 3600 + 10 * 60, 0, 0, 0, 0)};
    options.m_aTasks[1].m_bDisabled = 1;
    ASSERT_TRUE(driver.open(options));
    EXPECT_EQ(list().columnHeading(0), "Tasks");
    EXPECT_EQ(fw::test::columnWidth(list(), 0), 100);
    EXPECT_EQ(list().columnHeading(1), "Details");
    EXPECT_EQ(fw::test::columnWidth(list(), 1), 200);
    EXPECT_EQ(rows(), (std::vector<std::string>{"Night|0|Will Execute: 3/7/2000 8:05 AM",
                                                "Noon|1|Will Execute: 3/7/2000 12:30 PM",
                                                "Late|0|Will Execute: 3/7/2000 0:15 AM"}));
}

TEST_F(ScheduleListTest, TheMenuOffersWhatTheRowUnderThePointerAllows) {
    options.m_aTasks = {CTasks("Night", "Work", kMarch7, 0, 0, kRecurDaily, 0)};
    ASSERT_TRUE(driver.open(options));
    EXPECT_EQ(menuStates(-1), "add - - -");
    EXPECT_EQ(options.m_nSelectedTask, -1);
    EXPECT_EQ(menuStates(0), "add on on on");
    EXPECT_EQ(options.m_nSelectedTask, 0);
    // Disabling twice: the greyed picture and the check mark, then both back.
    for (const int picture : {1, 0}) {
        driver.answerMenu(ID_TASK_DISABLE);
        clickRow(fw::nm::kRightClick, 0);
        EXPECT_EQ(list().itemImage(0), picture);
        EXPECT_EQ(options.m_aTasks[0].m_bDisabled, picture);
        EXPECT_EQ(menuStates(0), picture == 1 ? "add on on+check on" : "add on on on");
    }
    // A double click below the last row does nothing.
    clickRow(fw::nm::kDoubleClick, -1);
    EXPECT_EQ(options.m_nSelectedTask, -1);
    // Deleting the only task leaves an empty list.
    driver.answerMenu(ID_TASK_DELETE);
    clickRow(fw::nm::kRightClick, 0);
    EXPECT_TRUE(options.m_aTasks.empty());
    EXPECT_EQ(list().itemCount(), 0);
}

TEST_F(ScheduleListTest, AnAddedTaskShowsItsTimeAsTyped) {
    ASSERT_TRUE(driver.open(options));
    driver.click(options, IDC_START_MINIMIZED);
    const struct {
        const char *month, *day, *year, *time;
        const char* message;  // nullptr when the task is added
    } typings[] = {
        {"4", "31", "2000", "3.46",
         "You must enter your time with a semi-colon \nseperating hours and minutes."},
        {"4", "31", "2000", "13:00",
         "You must enter 1-12 for hour and/or 0-59 for minutes \nusing HH:MM format (e.g. 3:46)"},
        // Past the 32-bit clock in New York: the message names dates every zone can hold.
        {"1", "18", "2038", "10:15", "The task's date must lie between 1/2/1970 and 1/17/2038."},
        {"4", "31", "2000", "3:5", nullptr},
    };
    for (const auto& row : typings) {
        SCOPED_TRACE(row.time);
        withTaskProperties([&](CTaskPropertiesDlg& dlg) {
            driver.choose(dlg, IDC_TASK_ENTRY_LIST, 0);
            driver.type(dlg, IDC_TASK_NAME, "Morning");
            driver.type(dlg, IDC_TASK_MONTH, row.month);
            driver.type(dlg, IDC_TASK_DAY, row.day);
            driver.type(dlg, IDC_TASK_YEAR, row.year);
            driver.type(dlg, IDC_TASK_TIME, row.time);
            driver.choose(dlg, IDC_TASK_AM_PM, 1);
            driver.click(dlg, IDC_TASK_DAILY);
            driver.click(dlg, fw::kIdOk);
        });
        driver.clearRecords();
        driver.answerMenu(ID_TASK_ADD);
        clickRow(fw::nm::kRightClick, -1);
        if (row.message != nullptr) {
            expectOnlyInvalidInput(boxes(), row.message);
            EXPECT_TRUE(options.m_aTasks.empty());
        }
    }
    // 31 April is 1 May, 3:05 PM; the row shows what was typed.
    ASSERT_EQ(options.m_aTasks.size(), 1u);
    EXPECT_EQ(options.m_aTasks[0], CTasks("Morning", "Work", 957'207'900, 0, 0, kRecurDaily, 1));
    EXPECT_EQ(rows(), std::vector<std::string>{"Morning|0|Will Execute: 4/31/2000 3:5 PM"});
    // Every other control keeps what the user set.
    EXPECT_EQ(options.item(IDC_START_MINIMIZED).checkState(), fw::kChecked);
}

TEST_F(ScheduleListTest, EditingReplacesTheTaskAndKeepsItsDisabledState) {
    CTasks limited("Night", "Work", kMarch7, 45, 1, kRecurNumber, 4);
    limited.m_bDisabled = 1;
    options.m_aTasks = {limited, CTasks("Other", "Work", kMarch7, 0, 0, 0, 0)};
    ASSERT_TRUE(driver.open(options));
    bool opened = false;
    withTaskProperties([&](CTaskPropertiesDlg& dlg) {
        opened = true;
        // The task's own values, its time in the dialog's form.
        std::string fields;
        for (const int id :
             {IDC_TASK_NAME, IDC_TASK_ENTRY_LIST, IDC_TASK_MONTH, IDC_TASK_DAY, IDC_TASK_YEAR,
              IDC_TASK_TIME, IDC_TASK_AM_PM, IDC_TASK_MINUTES, IDC_TASK_RUNS}) {
            fields += dlg.item(id).text() + "|";
        }
        EXPECT_EQ(fields, "Night|Work|3|7|2000|8:05|AM|45|4|");
        EXPECT_EQ(dlg.item(IDC_TASK_NUMBER).checkState(), fw::kChecked);
        driver.type(dlg, IDC_TASK_NAME, "Nights");
        driver.type(dlg, IDC_TASK_TIME, "9:30");
        driver.click(dlg, fw::kIdOk);
    });
    clickRow(fw::nm::kDoubleClick, 0);
    EXPECT_TRUE(opened);
    CTasks edited("Nights", "Work", kMarch7 + 3600 + 25 * 60, 45, 1, kRecurNumber, 4);
    edited.m_bDisabled = 1;
    EXPECT_EQ(options.m_aTasks[0], edited);
    EXPECT_EQ(rows()[0], "Nights|1|Will Execute: 3/7/2000 9:30 AM");
    EXPECT_EQ(options.m_aTasks[1].m_strName, "Other");
}

class TaskPropertiesTest : public DialerTest {
  protected:
    CTaskPropertiesDlg dlg{nullptr, service};
};

TEST_F(TaskPropertiesTest, ANewTaskRunsOnceAtTheCurrentMinuteWithNoLimit) {
    addEntry("Work");
    ASSERT_TRUE(driver.open(dlg));
    EXPECT_EQ(dlg.text(), "Task Properties");
    std::string texts, enabled;
    for (const int id :
         {IDC_TASK_ENTRY_LIST, IDC_TASK_NAME, IDC_TASK_MONTH, IDC_TASK_DAY, IDC_TASK_YEAR,
          IDC_TASK_TIME, IDC_TASK_AM_PM, IDC_TASK_MINUTES, IDC_TASK_RUNS}) {
        texts += dlg.item(id).text() + "|";
        enabled += dlg.item(id).isEnabled() ? '1' : '0';
    }
    EXPECT_EQ(texts, "|Task Name|12|31|1999|7:00|PM|0|1|");
    EXPECT_EQ(enabled, "111111101");
    EXPECT_EQ(dlg.item(IDC_TASK_DISCONNECT_AFTER).checkState(), fw::kUnchecked);
    EXPECT_EQ(dlg.item(IDC_TASK_NUMBER).checkState(), fw::kChecked);
    EXPECT_EQ(dlg.item(IDC_TASK_DAILY).checkState(), fw::kUnchecked);
    EXPECT_EQ(fw::ComboBox(dlg, IDC_TASK_AM_PM).count(), 2);
}

TEST_F(TaskPropertiesTest, TheEntryWhoseWholeNameMatchesIsSelected) {
    for (const char* name : {"Work 2", "Work", "Home"}) {
        addEntry(name);
    }
    const struct {
        const char* entry;
        const char* selected;  // "" for none
    } rows[] = {{"Work", "Work"}, {"work 2", "Work 2"}, {"WORK", "Work"},
                {"Wor", ""},      {"Gone", ""},         {"", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        CTaskPropertiesDlg edit(nullptr, service);
        edit.m_strEntry = row.entry;
        ASSERT_TRUE(driver.open(edit));
        EXPECT_EQ(edit.item(IDC_TASK_ENTRY_LIST).text(), row.selected);
        driver.click(edit, fw::kIdCancel);
    }
}

TEST_F(TaskPropertiesTest, LimitAndRunsFollowTheirButtonsEvenWithAFieldThatDoesNotConvert) {
    dlg.m_bDisconnectAfter = 1;
    dlg.m_nMinutes = 30;
    dlg.m_nRecurrence = 1;
    ASSERT_TRUE(driver.open(dlg));
    EXPECT_TRUE(dlg.item(IDC_TASK_MINUTES).isEnabled());
    EXPECT_FALSE(dlg.item(IDC_TASK_RUNS).isEnabled());
    EXPECT_EQ(dlg.item(IDC_TASK_WEEKLY).checkState(), fw::kChecked);

    driver.type(dlg, IDC_TASK_DAY, "x");
    const struct {
        int click, recurrence;
        bool minutes, runs;
    } rows[] = {
        {IDC_TASK_NUMBER, 3, true, true},
        {IDC_TASK_DISCONNECT_AFTER, 3, false, true},
        {IDC_TASK_MONTHLY, 2, false, false},
        {IDC_TASK_DAILY, 0, false, false},
        {IDC_TASK_DISCONNECT_AFTER, 0, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.click);
        driver.clearRecords();
        driver.click(dlg, row.click);
        // The day's message each time, and the choice taken all the same.
        EXPECT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_EQ(dlg.m_nRecurrence, row.recurrence);
        EXPECT_EQ(dlg.item(IDC_TASK_MINUTES).isEnabled(), row.minutes);
        EXPECT_EQ(dlg.item(IDC_TASK_RUNS).isEnabled(), row.runs);
    }
    // A disabled edit keeps its text.
    EXPECT_EQ(dlg.item(IDC_TASK_MINUTES).text(), "30");
}

TEST_F(TaskPropertiesTest, OkAsksForEachFieldInTurnAndStaysOpen) {
    addEntry("Work");
    const std::string range = "Please enter an integer between ";
    const struct {
        int id;
        const char* typed;
        std::string message;
    } rows[] = {
        {IDC_TASK_DAY, "32", range + "1 and 31."},
        {IDC_TASK_MONTH, "0", range + "1 and 12."},
        {IDC_TASK_RUNS, "one", "Please enter an integer."},
        {IDC_TASK_YEAR, "2039", range + "0 and 2038."},
        {IDC_TASK_MINUTES, "-5", "Please enter a positive integer."},
    };
    dlg.m_bDisconnectAfter = 1;
    ASSERT_TRUE(driver.open(dlg));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        const std::string before = dlg.item(row.id).text();
        driver.type(dlg, row.id, row.typed);
        driver.clearRecords();
        driver.pressKey(dlg, fw::kKeyReturn);
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_EQ(driver.messageBoxes()[0].text, row.message);
        EXPECT_EQ(driver.messageBoxes()[0].caption, "Ondrel");
        EXPECT_TRUE(fw::test::hasFocus(dlg.item(row.id)));
        EXPECT_TRUE(driver.isOpen(dlg));
        driver.type(dlg, row.id, before);
    }
    driver.clearRecords();
    driver.click(dlg, fw::kIdOk);
    expectOnlyInvalidInput(boxes(), "You must choose a connection to dial.");
    driver.choose(dlg, IDC_TASK_ENTRY_LIST, 0);
    driver.choose(dlg, IDC_TASK_AM_PM, -1);
    driver.clearRecords();
    driver.click(dlg, fw::kIdOk);
    expectOnlyInvalidInput(boxes(), "Please specify AM or PM.");
    EXPECT_EQ(dlg.m_strEntry, "Work");
    driver.choose(dlg, IDC_TASK_AM_PM, 0);
    driver.clearRecords();
    driver.click(dlg, fw::kIdOk);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_FALSE(driver.isOpen(dlg));
    EXPECT_EQ(dlg.result(), fw::kIdOk);
}

}  // namespace
