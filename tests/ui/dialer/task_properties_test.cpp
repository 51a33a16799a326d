// The Task Properties dialog: a new task's defaults, the entry it selects, the enabling of the
// minutes and runs edits, and what OK asks for before it closes.
#include <string>
#include <vector>

#include "dialer/scheduler/task_properties_dlg.h"
#include "dialer_fixture.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "resource.h"
#include "time_zone.h"

namespace {

class TaskPropertiesTest : public DialerTest {
  protected:
    // The test clock starts at 2000-01-01 00:00 UTC: 31 December 1999, 7 PM in New York, which
    // the dialog's defaults are taken in.
    bool inNewYork = (useNewYorkTime(), true);
    CTaskPropertiesDlg dlg{nullptr, service};

    std::string text(int id) const { return dlg.item(id).text(); }
    void expectOnlyInvalidInput(const std::string& message) {
        expectOnlyMessageBox(message, "Error: Invalid Input!",
                             fw::mb::kOk | fw::mb::kIconExclamation);
    }
};

TEST_F(TaskPropertiesTest, ANewTaskRunsOnceAtTheCurrentMinuteWithNoLimit) {
    addEntry("Work");
    ASSERT_TRUE(driver.open(dlg));
    EXPECT_EQ(dlg.text(), "Task Properties");
    std::string texts, enabled;
    for (const int id :
         {IDC_TASK_ENTRY_LIST, IDC_TASK_NAME, IDC_TASK_MONTH, IDC_TASK_DAY, IDC_TASK_YEAR,
          IDC_TASK_TIME, IDC_TASK_AM_PM, IDC_TASK_MINUTES, IDC_TASK_RUNS}) {
        texts += text(id) + "|";
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
    EXPECT_EQ(text(IDC_TASK_MINUTES), "30");
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
        const std::string before = text(row.id);
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
    expectOnlyInvalidInput("You must choose a connection to dial.");
    driver.choose(dlg, IDC_TASK_ENTRY_LIST, 0);
    driver.choose(dlg, IDC_TASK_AM_PM, -1);
    driver.clearRecords();
    driver.click(dlg, fw::kIdOk);
    expectOnlyInvalidInput("Please specify AM or PM.");
    EXPECT_EQ(dlg.m_strEntry, "Work");
    driver.choose(dlg, IDC_TASK_AM_PM, 0);
    driver.clearRecords();
    driver.click(dlg, fw::kIdOk);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_FALSE(driver.isOpen(dlg));
    EXPECT_EQ(dlg.result(), fw::kIdOk);
}

}  // namespace
