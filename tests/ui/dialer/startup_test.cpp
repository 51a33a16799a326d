// The main window's start and end: a first start, "Ondrel.dat" read into the fields and the typed
// account saved at the end, a start minimised with an automatic dial, and the end while connected,
// with a report inside it and with no entry ever chosen.
#include <functional>
#include <string>
#include <tuple>

#include "dialing_fixture.h"
#include "framework/menu.h"
#include "framework/save_file.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"

namespace {

using StartupTest = DialingTest;

TEST_F(StartupTest, AFirstStartShowsTheIdleWindowAndWritesNothing) {
    ASSERT_TRUE(driver.open(dialer));
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(account(dialer), "||");

    // The icon comes with the idle frame and the title (its owner, id and message are the same
    // whenever it is added, as after a restarted shell).
    ASSERT_EQ(driver.tray().size(), 1u);
    const fw::test::TrayRecord& added = driver.tray()[0];
    EXPECT_EQ(std::tie(added.op, added.iconId, added.tip),
              std::tuple(0, 136, std::string("Ondrel v1.3 (Not Connected)")));

    fw::Menu system = dialer.systemMenu();
    const int last = system.itemCount() - 1;
    ASSERT_GE(last, 1);
    EXPECT_TRUE(fw::test::itemAt(system, last - 1).separator);
    EXPECT_EQ(fw::test::itemAt(system, last).id, 16u);
    EXPECT_EQ(fw::test::itemAt(system, last).text, "&About Ondrel...");

    // The start-up tick arms nothing (that it shows the window, or hides it minimised, is the
    // explorer's to check).
    EXPECT_EQ(driver.timerInterval(dialer, 1), 1u);
    driver.advance(1);
    EXPECT_FALSE(driver.timerRunning(dialer, 1));
    EXPECT_FALSE(driver.timerRunning(dialer, 2));

    // No entry was ever chosen: the end writes no file.
    driver.click(dialer, fw::kIdCancel);
    EXPECT_EQ(settings(), std::nullopt);
}

TEST_F(StartupTest, TheCurrentEntryFillsTheFieldsAndTakesTheTypedAccountAtEveryEnd) {
    const struct {
        const char* what;
        std::string before;
        const char* shown;  // name|account ID|password
        std::string after;  // once "x" and "y" were typed and the window ended
    } rows[] = {
        {"the last of three current", settingsFile({1}, 3, 2, kThree), "Lab|cyd|three",
         settingsFile({1}, 3, 2, {kThree[0], kThree[1], {"Lab", "x", "y"}})},
        // Accounts not to be saved are shown as the file holds them, and written empty.
        {"not stored", settingsFile({0}, 2, 1, {kThree[0], kThree[1]}), "Work|bob|two",
         settingsFile({0}, 2, 1, {{"Home", "", ""}, {"Work", "", ""}})},
        // An index before the first entry is no entry: saved, but into no triple.
        {"negative index", settingsFile({1}, 3, -1, kThree) + "junk", "||",
         settingsFile({1}, 3, -1, kThree)},
        // An index past the end is not less than the count: nothing is saved.
        {"index past the end", settingsFile({1}, 3, 3, kThree) + "junk", "||",
         settingsFile({1}, 3, 3, kThree) + "junk"},
        {"bytes after the last entry", settingsFile({1}, 1, 0, {kThree[0]}) + "junk",
         "Home|ann|one", settingsFile({1}, 1, 0, {{"Home", "x", "y"}})},
    };
    // Exit, Escape and the close box end the window alike; the rows take them in turn.
    const std::function<void(CDialerDlg&)> ends[] = {
        [this](CDialerDlg& w) { driver.click(w, fw::kIdCancel); },
        [this](CDialerDlg& w) { driver.pressKey(w, fw::kKeyEscape); },
        [this](CDialerDlg& w) { driver.close(w); }};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].what);
        CDialerDlg window(service);
        ASSERT_TRUE(openWith(window, rows[i].before));
        EXPECT_EQ(account(window), rows[i].shown);
        EXPECT_TRUE(driver.messageBoxes().empty());
        driver.type(window, IDC_USER_ID, "x");
        driver.type(window, IDC_PASSWORD, "y");
        ends[i % std::size(ends)](window);
        EXPECT_FALSE(window.exists());
        EXPECT_EQ(window.result(), fw::kIdCancel);
        EXPECT_EQ(settings(), rows[i].after);
    }
}

TEST_F(StartupTest, StartingMinimisedHidesAtOnceAndDialsFourSecondsLater) {
    addEntry("Work");
    writeSettings(settingsFile({.autoDial = 1, .startMinimized = 1}, 1, 0, {{"Work", "", ""}}));
    ASSERT_TRUE(driver.open(dialer));
    driver.advance(1);
    EXPECT_TRUE(dialer.isMinimized());
    driver.advance(3999);
    EXPECT_EQ(button(), "&Connect");
    driver.advance(1);
    EXPECT_EQ(button(), "Cancel Call");
    EXPECT_FALSE(driver.timerRunning(dialer, 2));
}

TEST_F(StartupTest, TheEndWhileConnectedAsksWhetherToHangUpAndNoTaskFiresMeanwhile) {
    const struct {
        const char* answer;
        int button;  // 0: the close box
        bool hangsUp;
    } rows[] = {{"&Disconnect", fw::kIdOk, true},
                {"&Keep Connection", fw::kIdCancel, false},
                {"close box", 0, false}};
    addEntry("Work");
    writeSettings(settingsFile({.dialBySchedule = 1}, 1, 0, {{"Work", "", ""}}));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        // A task that comes due while the question is up.
        const auto due = static_cast<std::int32_t>(driver.nowMs() / 1000 + 60);
        const std::string taskFile = tasksFile({{"Soon", "Work", due}});
        driver.writeFile(tasksPath(), taskFile);
        CDialerDlg window(service);
        ASSERT_TRUE(driver.open(window));
        driver.click(window, fw::kIdOk);
        driver.advance(kConnectMs);
        ASSERT_EQ(window.m_bConnected, 1);
        const ras::Connection connection = window.m_hRasConn;
        driver.send(window, WM_TRAY_NOTIFY, kTrayIconId, fw::mouse::kLeftDoubleClick);

        bool asked = false;
        driver.onModal(IDD_KEEP_CONNECTION, [&](fw::test::Driver& d, fw::Dialog& question) {
            asked = true;
            EXPECT_EQ(question.owner(), window.handle());
            EXPECT_EQ(question.item(IDC_KEEP_CONNECTION_TEXT).text(),
                      "You are currently connected to Work, would you like to disconnect your "
                      "connection?");
            d.advance(60'000);
            if (row.button != 0) {
                d.click(question, row.button);
            } else {
                d.close(question);
            }
        });
        driver.click(window, fw::kIdCancel);
        EXPECT_TRUE(asked);
        EXPECT_EQ(tasks(), taskFile);
        EXPECT_EQ(lineState(connection), row.hangsUp ? ras::kDisconnected : ras::kConnected);
        service.RasHangUpA(connection);
        driver.advance(ras::sim::kLineCloseMs);
    }
}

#ifndef _WIN32
// An attempt under way at the end goes on without the program: its failure, reported while the
// end's failed save is still on the screen, neither hangs up nor redials (only this backend
// fails files).
TEST_F(StartupTest, HeadlessOnlyAReportInsideTheEndChangesNothing) {
    addEntry("Busy", ras::sim::Line::busy);
    writeSettings(settingsFile({.keepDialing = 1}, 1, 0, {{"Busy", "ann", "one"}}));
    ASSERT_TRUE(driver.open(dialer));
    clickConnect();
    driver.advance(500);
    ASSERT_EQ(status(), "Dialing...");
    const ras::Connection attempt = dialer.m_hRasConn;
    driver.injectFault({fw::temporaryName(settingsPath()), fw::test::FileFault::Op::create,
                        fw::FileError::Cause::accessDenied});
    driver.answerMessageBox(fw::kIdOk, 60'000);
    driver.click(dialer, fw::kIdCancel);
    EXPECT_FALSE(dialer.exists());
    EXPECT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(dialer.m_hRasConn, attempt);
}
#endif

}  // namespace
