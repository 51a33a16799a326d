// Scheduled dialing on the virtual clock: tasks that fire on time, late, while dialing or
// connected, "Tasks.dat" as each firing leaves it, the disconnect-after limit and its warning, and
// the worker's end.
#include <functional>
#include <string>
#include <vector>

#include "dialing_fixture.h"
#include "framework/save_file.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"

namespace {

using fw::test::Driver;
using ras::sim::Line;

class SchedulerTest : public DialingTest {
  protected:
    // Opens a main window with these remembered entries (the first current), these options
    // (scheduling on) and this "Tasks.dat", if any.
    bool openScheduled(CDialerDlg& window, const std::optional<std::string>& tasksBytes,
                       const std::vector<Triple>& remembered = {{"Work", "ann", "one"}},
                       const Options& options = {.saveUserAndPassword = 1, .dialBySchedule = 1}) {
        const auto count = static_cast<std::int32_t>(remembered.size());
        return openWith(window, settingsFile(options, count, 0, remembered), tasksBytes);
    }
    // The same for the fixture's window, with Work in the phonebook, answering.
    void start(const std::string& tasksBytes,
               const std::vector<Triple>& remembered = {{"Work", "ann", "one"}},
               const Options& options = {.saveUserAndPassword = 1, .dialBySchedule = 1}) {
        addEntry("Work");
        ASSERT_TRUE(openScheduled(dialer, tasksBytes, remembered, options));
    }

    std::string entryShown() const { return dialer.item(IDC_ENTRY_NAME).text(); }
};

TEST_F(SchedulerTest, ATaskDueAtTheStartDialsItsNewEntryAndArmsItsLimit) {
    // A daily task for the entry Work, now, with a limit of 30 minutes.
    start(tasksFile({{"Night", "Work", kStart, 30, 1, 0, 0, 1}}), {{"Home", "ann", "one"}});
    driver.advance(2);

    // Work was not remembered: it is now, with no account, and current.
    EXPECT_EQ(entryShown(), "Work");
    EXPECT_EQ(dialer.item(IDC_USER_ID).text(), "");
    EXPECT_EQ(settings(), settingsFile({.saveUserAndPassword = 1, .dialBySchedule = 1}, 2, 1,
                                       {{"Home", "ann", "one"}, {"Work", "", ""}}));
    EXPECT_EQ(tasks(), tasksFile({{"Night", "Work", kStart + kDay, 30, 1, 0, 0, 1}}));
    EXPECT_EQ(button(), "Cancel Call");
    EXPECT_EQ(driver.timerInterval(dialer, 6), 1'800'000u);
}

// A call being dialed is cancelled as the second of two tasks at one time shows.
TEST_F(SchedulerTest, ATaskFiredWhileARedialWaitsCancelsIt) {
    start(tasksFile({{"Daily", "Work", kStart + 60}}), {{"Work", "ann", "one"}},
          {.keepDialing = 1, .dialBySchedule = 1});
    addEntry("Work", Line::busy);
    driver.advance(60'000 - kBusyMs - 1000);
    clickConnect();
    driver.advance(kBusyMs);
    expectLook(Look::waiting, kDialingTitle, kRetryStatus);
    driver.advance(1001);
    expectLook(Look::idle, kDialingTitle, "Disconnected");
    EXPECT_TRUE(dialer.m_bCancelled);
}

TEST_F(SchedulerTest, TwoTasksAtOneTimeFireInListOrderAndTheSecondCancelsTheFirstCall) {
    start(tasksFile({{"A", "Work", kStart + 60}, {"B", "Home", kStart + 60}}),
          {{"Work", "ann", "one"}, {"Home", "bob", "two"}});
    driver.advance(60'001);
    EXPECT_EQ(entryShown(), "Work");
    EXPECT_EQ(button(), "Cancel Call");
    driver.advance(1);
    EXPECT_EQ(entryShown(), "Home");
    EXPECT_EQ(button(), "Connect");
    EXPECT_EQ(tasks(),
              tasksFile({{"A", "Work", kStart + 60 + kDay}, {"B", "Home", kStart + 60 + kDay}}));
}

TEST_F(SchedulerTest, TasksMissedWhileNotRunningCatchUpOneStepPerFiringWithoutDialing) {
    const std::int32_t hour = 3600;
    const Task daily{"Daily", "Work", kStart - 2 * kDay - hour, 30, 1};
    const Task twice{"Twice", "Work", kStart - kDay - 2 * hour, 0, 0, 0, 3, 2};
    start(tasksFile({daily, twice}));
    // The file goes to the program's folder, wherever the current directory has moved.
    ASSERT_TRUE(fw::setCurrentDirectory(fw::windowsDirectory()));
    const auto at = [](Task t, std::int32_t time, std::int32_t number) {
        t.time = time;
        t.number = number;
        return t;
    };
    // The earliest enabled task each time; "Twice" uses up its runs and goes.
    const std::vector<std::vector<Task>> steps = {
        {at(daily, kStart - kDay - hour, 0), twice},
        {at(daily, kStart - kDay - hour, 0), at(twice, kStart - 2 * hour, 1)},
        {at(daily, kStart - hour, 0), at(twice, kStart - 2 * hour, 1)},
        {at(daily, kStart - hour, 0)},
        {at(daily, kStart + kDay - hour, 0)},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        driver.advance(1);
        EXPECT_EQ(tasks(), tasksFile(steps[i]));
    }
    driver.advance(60'000);
    EXPECT_EQ(tasks(), tasksFile(steps.back()));
    EXPECT_EQ(button(), "&Connect");
    EXPECT_FALSE(driver.timerRunning(dialer, 6));
    EXPECT_EQ(g_tDueTime, kStart + kDay - hour);
}

TEST_F(SchedulerTest, ATaskDialsUnderTwoMinutesLateAndInItsSecondWhateverTheClockDoes) {
    addEntry("Work");
    const std::int32_t soon = kStart + 600;
    const struct {
        const char* what;
        std::int32_t due;
        std::optional<std::int64_t> setToMs;  // while the worker waits
        bool dials;
    } rows[] = {
        {"119 s late at the start", kStart - 119, std::nullopt, true},
        {"120 s late at the start", kStart - 120, std::nullopt, false},
        {"the clock set past the due time, as after a sleep", soon, soon * 1000LL + 30'000, true},
        {"the clock set forward to a second before", soon, soon * 1000LL - 1000, true},
        {"the clock set back an hour", soon, soon * 1000LL - 3'600'000, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CDialerDlg window(service);
        ASSERT_TRUE(openScheduled(window, tasksFile({{"T", "Work", row.due, 5, 1}})));
        driver.advance(1);
        const std::int64_t dueMs = std::int64_t{row.due} * 1000;
        if (row.setToMs) {
            driver.setClock(*row.setToMs);
            if (*row.setToMs < dueMs) {
                driver.advance(dueMs - driver.nowMs() - 1);
                EXPECT_EQ(window.item(fw::kIdOk).text(), "&Connect") << "fired early";
            }
        }
        // The due second has begun: the worker hands over, timer 5 fires.
        driver.advance(2);
        EXPECT_EQ(tasks(), tasksFile({{"T", "Work", row.due + kDay, 5, 1}}));
        EXPECT_EQ(window.item(fw::kIdOk).text(), row.dials ? "Cancel Call" : "&Connect");
        EXPECT_EQ(driver.timerRunning(window, 6), row.dials);
        driver.click(window, fw::kIdCancel);
        driver.setClock(std::int64_t{kStart} * 1000);
    }
}

TEST_F(SchedulerTest, TheLimitTakesTheTaskMinutesUpToTheLongestTimer) {
    const struct {
        std::int32_t minutes;
        unsigned ms;
    } rows[] = {
        {71'582, 4'294'920'000u},
        {71'583, 4'294'967'295u},
        {-1, 4'294'967'295u},  // 4,294,967,295 minutes as the dialog takes them
    };
    std::vector<Task> list;
    for (const auto& row : rows) {
        list.push_back({"T", "Work", kStart + 60 * static_cast<std::int32_t>(list.size() + 1),
                        row.minutes, 1});
    }
    start(tasksFile(list));
    clickConnect();
    driver.advance(kConnectMs);
    const ras::Connection connection = dialer.m_hRasConn;
    std::int64_t now = kConnectMs;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].minutes);
        const std::int64_t firesAt = 60'000 * static_cast<std::int64_t>(i + 1) + 1;
        driver.advance(firesAt - now);
        now = firesAt;
        // Fired while connected, a task only arms its limit on the call there is.
        EXPECT_EQ(dialer.m_hRasConn, connection);
        EXPECT_EQ(driver.timerInterval(dialer, 6), rows[i].ms);
    }
}

TEST_F(SchedulerTest, ALimitOfNoMinutesRunsOutBeforeTheCallConnects) {
    start(tasksFile({{"Now", "Work", kStart + 60, 0, 1}}));
    driver.advance(60'001);
    EXPECT_EQ(button(), "Cancel Call");
    driver.advance(2);
    EXPECT_FALSE(driver.timerRunning(dialer, 6));
    // No warning ever opens: the driver would stop on a modal dialog without a script.
    driver.advance(kConnectMs + 30 * 60'000);
    EXPECT_TRUE(dialer.m_bConnected);
}

TEST_F(SchedulerTest, TheWarningCountsDownAndEndsAsAnswered) {
    const struct {
        const char* how;
        std::function<void(Driver&, fw::Dialog&)> answer;
        bool keeps;
    } rows[] = {
        {"Keep Connection", [](Driver& d, fw::Dialog& w) { d.click(w, fw::kIdOk); }, true},
        {"Enter", [](Driver& d, fw::Dialog& w) { d.pressKey(w, fw::kKeyReturn); }, true},
        {"Disconnect", [](Driver& d, fw::Dialog& w) { d.click(w, fw::kIdCancel); }, false},
        {"Esc", [](Driver& d, fw::Dialog& w) { d.pressKey(w, fw::kKeyEscape); }, false},
        {"close box", [](Driver& d, fw::Dialog& w) { d.close(w); }, false},
        {"21 ticks",
         [](Driver& d, fw::Dialog& w) {
             std::vector<std::string> shown = {w.item(IDC_SECONDS_LEFT).text()};
             for (int tick = 1; tick <= 20; ++tick) {
                 d.advance(1000);
                 shown.push_back(w.item(IDC_SECONDS_LEFT).text());
             }
             std::vector<std::string> expected = {"20 Seconds"};
             for (int left = 20; left >= 1; --left) {
                 expected.push_back(std::to_string(left) + " Seconds");
             }
             EXPECT_EQ(shown, expected);
             d.advance(999);
             EXPECT_FALSE(w.ended());
             d.advance(1);
             EXPECT_TRUE(w.ended());
         },
         false},
    };
    start(tasksFile({}));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        restore();
        clickConnect();
        driver.advance(kConnectMs);
        dialer.setTimer(6, 1000);
        driver.onModal(IDD_DISCONNECT_WARNING, [&row](Driver& d, fw::Dialog& warning) {
            EXPECT_EQ(warning.text(), "Disconnection Warning");
            row.answer(d, warning);
        });
        driver.advance(1000);
        EXPECT_EQ(dialer.m_bConnected, row.keeps ? 1 : 0);
        EXPECT_FALSE(driver.timerRunning(dialer, 6));
        if (row.keeps) {
            trayCommand(ID_TRAY_DISCONNECT);
        }
    }
}

TEST_F(SchedulerTest, ALimitThatRunsOutDuringTheWarningOpensNoSecondOne) {
    // B fires 5 s into A's warning, while connected, and its limit of no minutes runs out at once.
    start(tasksFile({{"A", "Work", kStart + 60, 1, 1}, {"B", "Work", kStart + 125, 0, 1}}));
    int warnings = 0;
    driver.onAnyModal([&warnings](Driver& d, fw::Dialog& warning) {
        EXPECT_EQ(warning.templateId(), IDD_DISCONNECT_WARNING);
        if (++warnings == 1) {
            d.advance(10'000);
        }
        d.click(warning, fw::kIdOk);
    });
    driver.advance(120'001);
    EXPECT_EQ(warnings, 1);
    driver.advance(60'000);
    EXPECT_TRUE(dialer.m_bConnected);
}

TEST_F(SchedulerTest, TheTypedAccountStaysWithTheEntryItWasTypedFor) {
    start(tasksFile({{"Home", "Home", kStart + 60}}),
          {{"Lab", "cyd", "three"}, {"Home", "ann", "one"}});
    driver.advance(1);
    driver.type(dialer, IDC_USER_ID, "x");
    driver.type(dialer, IDC_PASSWORD, "y");
    driver.advance(60'000);
    EXPECT_EQ(dialer.item(IDC_USER_ID).text(), "ann");
    EXPECT_EQ(dialer.item(IDC_PASSWORD).text(), "one");
    // Saved by the dial, with each account at its own entry.
    EXPECT_EQ(settings(), settingsFile({.saveUserAndPassword = 1, .dialBySchedule = 1}, 2, 1,
                                       {{"Lab", "x", "y"}, {"Home", "ann", "one"}}));
}

TEST_F(SchedulerTest, ATaskWithoutAnEntryNameRemembersNoNamelessEntry) {
    start(tasksFile({{"Blank", "", kStart + 60}}));
    const std::optional<std::string> before = settings();
    driver.advance(60'001);
    // No entry is current, and the dial asks for one as Connect would.
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, "Error: No Connection Selected");
    EXPECT_EQ(entryShown(), "");
    EXPECT_EQ(dialer.m_settings.m_astrEntryNames, std::vector<std::string>{"Work"});
    driver.click(dialer, fw::kIdCancel);
    EXPECT_EQ(settings(), before);
}

TEST_F(SchedulerTest, ATaskWhoseListWasEmptiedSinceTheHandOverFiresNothing) {
    const std::string file = tasksFile({{"Daily", "Work", kStart + 60}});
    start(file);
    driver.advance(60'000);
    ASSERT_TRUE(driver.timerRunning(dialer, 5));
    dialer.m_aTasks.clear();
    driver.advance(1000);
    EXPECT_EQ(button(), "&Connect");
    EXPECT_EQ(tasks(), file);
}

TEST_F(SchedulerTest, AFailedWriteIsReportedOnceTheCallAndTheNextWaitHaveBegun) {
    start(tasksFile({{"Daily", "Work", kStart + 60, 1, 1}}), {{"Work", "ann", "one"}},
          {.dialBySchedule = 1});
    // A folder where the file is to be written.
    ASSERT_TRUE(fw::createDirectory(tasksPath() + fw::kSaveSuffix));
    // Left up for 30 s, the box holds up nothing: the call connects meanwhile, under its limit.
    // (The box itself, for every cause, is the file-fault matrix's.)
    driver.answerMessageBox(fw::kIdOk, 30'000);
    driver.advance(60'001);
    EXPECT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_TRUE(dialer.m_bConnected);
    EXPECT_EQ(driver.timerInterval(dialer, 6), 60'000u);
    EXPECT_EQ(g_tDueTime, kStart + 60 + kDay);
}

// The Options command around its dialog: the worker stops, the dialog works on a copy, and OK
// hands the copy back through "Tasks.dat"; the worker waits again after OK and Cancel alike.
TEST_F(SchedulerTest, TheOptionsDialogWorksOnACopyAndTheTrayOpensNoSecondOne) {
    const std::string one = tasksFile({{"Soon", "Work", kStart + 60}});
    const struct {
        const char* how;
        int end;
        std::string file;
        bool waits;  // with its one task, which OK takes away
    } rows[] = {
        {"Cancel", fw::kIdCancel, one, true},
        {"OK", fw::kIdOk, tasksFile({}), false},
    };
    addEntry("Work");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        CDialerDlg window(service);
        ASSERT_TRUE(openScheduled(window, one, {{"Work", "ann", "one"}}, {.dialBySchedule = 1}));
        driver.onModal(IDD_OPTIONS, [&](Driver& d, fw::Dialog& dialog) {
            auto& options = static_cast<COptionsDlg&>(dialog);
            EXPECT_EQ(options.m_aTasks, window.m_aTasks);
            // The tray menu still answers, but its "Options..." opens no second dialog (the
            // driver would stop on one without a script).
            d.answerMenu(IDC_OPTIONS);
            d.send(window, WM_TRAY_NOTIFY, kTrayIconId, fw::mouse::kRightDown);
            // The task's time comes and goes while the dialog is open.
            d.advance(90'000);
            options.m_aTasks.clear();
            d.click(options, row.end);
        });
        driver.click(window, IDC_OPTIONS);
        EXPECT_EQ(tasks(), row.file);
        EXPECT_EQ(window.m_aTasks.size(), row.waits ? 1u : 0u);
        EXPECT_EQ(window.m_pSchedulerThread != nullptr, row.waits);
        // Less than 2 minutes late, the task kept fires now and dials.
        driver.advance(1);
        EXPECT_EQ(window.item(fw::kIdOk).text(), row.waits ? "Cancel Call" : "&Connect");
        window.m_settings.m_bDialBySchedule = 0;
        if (window.item(fw::kIdOk).text() == "Cancel Call") {
            driver.click(window, fw::kIdOk);
        }
        driver.click(window, fw::kIdCancel);
        driver.clearRecords();
        fw::deleteFile(tasksPath());
    }
}

}  // namespace
