// The main window's start and end: a first start, a start minimised with an automatic dial, and
// the end while connected, while dialing and with no entry ever chosen.
#include "dialer_fixture.h"
#include "framework/inspect.h"
#include "framework/menu.h"
#include "resource.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"

namespace {

// A line that answers has connected 4 seconds after the dial.
constexpr std::int64_t kConnectMs = 4000;

class StartupTest : public DialerTest {
  protected:
    // A settings file that makes this entry current.
    void rememberEntry(const std::string& name, const Options& options = {}) {
        addEntry(name);
        writeSettings(settingsFile(options, 1, 0, {{name, "ann", "one"}}));
    }
    std::string button() const { return dialer.item(fw::kIdOk).text(); }
    // The state the service reports for a connection, or 0x2001 when it knows it no more.
    std::uint32_t lineState(ras::Connection connection) {
        ras::ConnStatus status{};
        status.dwSize = sizeof status;
        return service.RasGetConnectStatusA(connection, ras::platformRecord(&status)) ==
                       ras::kSuccess
                   ? status.rasconnstate
                   : ras::kDisconnected;
    }
};

TEST_F(StartupTest, AFirstStartShowsTheIdleWindowAndWritesNothing) {
    ASSERT_TRUE(openDialer());
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(dialer.text(), "Ondrel v1.3 (Not Connected)");
    EXPECT_EQ(dialer.item(IDC_STATUS).text(), "Disconnected");
    for (int id : {IDC_ENTRY_NAME, IDC_USER_ID, IDC_PASSWORD}) {
        EXPECT_EQ(dialer.item(id).text(), "") << id;
    }
    EXPECT_EQ(dialer.m_strProgramFolder, fw::currentDirectory());

    ASSERT_EQ(driver.tray().size(), 1u);
    const fw::test::TrayRecord& added = driver.tray()[0];
    EXPECT_EQ(added.op, 0);
    EXPECT_EQ(added.owner, dialer.handle());
    EXPECT_EQ(added.id, 128u);
    EXPECT_EQ(added.callbackMessage, 0x8064u);
    EXPECT_EQ(added.iconId, IDI_TRAY_IDLE);
    EXPECT_EQ(added.tip, "Ondrel v1.3 (Not Connected)");

    fw::Menu system = dialer.systemMenu();
    const int last = system.itemCount() - 1;
    ASSERT_GE(last, 1);
    EXPECT_TRUE(fw::test::itemAt(system, last - 1).separator);
    EXPECT_EQ(fw::test::itemAt(system, last).id, 16u);
    EXPECT_EQ(fw::test::itemAt(system, last).text, "&About Ondrel...");

    driver.send(dialer, WM_TRAY_NOTIFY, kTrayIconId, fw::mouse::kRightDown);
    ASSERT_EQ(driver.menus().size(), 1u);
    const std::vector<fw::MenuItem>& items = driver.menus()[0].items;
    const fw::MenuItem expected[] = {
        {32773, "Connect"}, {32772, "Disconnect", false, true}, {0, "", true}, {1004, "Options..."},
        {32771, "Open"},
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].id) << i;
        EXPECT_EQ(items[i].separator, expected[i].separator) << i;
        if (!expected[i].separator) {
            EXPECT_EQ(items[i].text, expected[i].text) << i;
            EXPECT_EQ(items[i].grayed, expected[i].grayed) << i;
        }
    }

    // The start-up tick shows the window and arms nothing.
    EXPECT_EQ(driver.timerInterval(dialer, TIMER_STARTUP), 1u);
    driver.advance(1);
    EXPECT_FALSE(driver.timerRunning(dialer, TIMER_STARTUP));
    EXPECT_FALSE(driver.timerRunning(dialer, TIMER_AUTODIAL));
    EXPECT_TRUE(dialer.isVisible());

    // No entry was ever chosen: the end writes no file.
    driver.click(dialer, fw::kIdCancel);
    EXPECT_EQ(driver.tray().back().op, 2);
    EXPECT_EQ(driver.tray().back().iconId, IDI_TRAY_IDLE);
    EXPECT_EQ(settings(), std::nullopt);
}

TEST_F(StartupTest, StartingMinimisedHidesAtOnceAndDialsFourSecondsLater) {
    rememberEntry("Work", {.autoDial = 1, .startMinimized = 1});
    ASSERT_TRUE(openDialer());
    driver.advance(1);
    EXPECT_TRUE(dialer.isMinimized());
    EXPECT_FALSE(dialer.isVisible());
    driver.advance(3999);
    EXPECT_EQ(button(), "&Connect");
    driver.advance(1);
    EXPECT_EQ(button(), "Cancel Call");
    EXPECT_FALSE(driver.timerRunning(dialer, TIMER_AUTODIAL));
}

TEST_F(StartupTest, ADialByHandStopsThePendingStartUpDial) {
    // Pressed 100 ms after the start, the call connects before the start-up dial's 4 seconds are
    // up; pressed after 1 second it is still dialing then.
    for (const std::int64_t pressedAt : {100, 1000}) {
        SCOPED_TRACE(pressedAt);
        rememberEntry("Work", {.autoDial = 1});
        CDialerDlg window(service);
        ASSERT_TRUE(driver.open(window));
        driver.advance(pressedAt);
        ASSERT_TRUE(driver.timerRunning(window, TIMER_AUTODIAL));
        driver.click(window, fw::kIdOk);
        EXPECT_FALSE(driver.timerRunning(window, TIMER_AUTODIAL));
        const ras::Connection dialed = window.m_hRasConn;
        driver.advance(4000);
        EXPECT_EQ(window.m_hRasConn, dialed);
        driver.advance(kConnectMs);
        EXPECT_EQ(window.m_bConnected, 1);
        EXPECT_EQ(lineState(dialed), ras::kConnected);
        window.m_bConnected = 0;  // the end asks nothing
        driver.send(window, WM_TRAY_NOTIFY, kTrayIconId, fw::mouse::kLeftDoubleClick);
        driver.click(window, fw::kIdCancel);
        service.RasHangUpA(dialed);
        driver.advance(ras::sim::kLineCloseMs);
    }
}

TEST_F(StartupTest, AStartUpDialTickDuringADialOrAConnectionDoesNothing) {
    rememberEntry("Work");
    ASSERT_TRUE(openDialer());
    driver.click(dialer, fw::kIdOk);
    for (const std::int64_t when : {std::int64_t{1000}, kConnectMs}) {
        driver.advance(when);
        const ras::Connection dialed = dialer.m_hRasConn;
        const std::string status = dialer.item(IDC_STATUS).text();
        driver.send(dialer, fw::wm::kTimer, TIMER_AUTODIAL, 0);
        driver.pump();
        EXPECT_EQ(dialer.m_hRasConn, dialed);
        EXPECT_EQ(dialer.item(IDC_STATUS).text(), status);
        EXPECT_NE(lineState(dialed), ras::kDisconnected);
    }
    EXPECT_EQ(dialer.m_bConnected, 1);
    service.RasHangUpA(dialer.m_hRasConn);
    dialer.m_bConnected = 0;
}

TEST_F(StartupTest, EscapeAndTheCloseBoxEndTheWindowAsExitDoes) {
    for (const char* how : {"Exit", "Escape", "close box"}) {
        SCOPED_TRACE(how);
        rememberEntry("Work", {.saveUserAndPassword = 1});
        CDialerDlg window(service);
        ASSERT_TRUE(driver.open(window));
        driver.type(window, IDC_USER_ID, "typed");
        driver.clearRecords();
        if (how == std::string("Exit")) {
            driver.click(window, fw::kIdCancel);
        } else if (how == std::string("Escape")) {
            driver.pressKey(window, fw::kKeyEscape);
        } else {
            driver.close(window);
        }
        EXPECT_FALSE(window.exists());
        EXPECT_EQ(window.result(), fw::kIdCancel);
        ASSERT_EQ(driver.tray().size(), 1u);
        EXPECT_EQ(driver.tray()[0].op, 2);
        EXPECT_EQ(settings(), settingsFile({1}, 1, 0, {{"Work", "typed", "one"}}));
    }
}

TEST_F(StartupTest, TheEndWhileConnectedAsksWhetherToHangUpAndNoTaskFiresMeanwhile) {
    const struct {
        const char* answer;
        bool hangsUp;
    } rows[] = {{"&Disconnect", true}, {"&Keep Connection", false}, {"close box", false}};
    rememberEntry("Work", {.dialBySchedule = 1});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        // A task that comes due while the question is up.
        const auto due = static_cast<std::int32_t>(driver.nowMs() / 1000 + 60);
        const std::string tasks = tasksFile({{"Soon", "Work", due}});
        driver.writeFile(folder + "\\Tasks.dat", tasks);
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
            EXPECT_EQ(question.text(), "Keep Current Connection?");
            EXPECT_EQ(question.item(IDC_KEEP_CONNECTION_TEXT).text(),
                      "You are currently connected to Work, would you like to disconnect your "
                      "connection?");
            d.advance(60'000);
            for (int id : {fw::kIdOk, fw::kIdCancel}) {
                if (question.item(id).text() == row.answer) {
                    d.click(question, id);
                }
            }
            if (!question.ended()) {
                d.close(question);
            }
        });
        driver.click(window, fw::kIdCancel);
        EXPECT_TRUE(asked);
        EXPECT_EQ(driver.readFile(folder + "\\Tasks.dat"), tasks);
        EXPECT_EQ(lineState(connection), row.hangsUp ? ras::kDisconnected : ras::kConnected);
        service.RasHangUpA(connection);
        driver.advance(ras::sim::kLineCloseMs);
    }
}

TEST_F(StartupTest, TheEndWhileDialingNeitherAsksNorHangsUp) {
    rememberEntry("Work");
    ASSERT_TRUE(openDialer());
    driver.click(dialer, fw::kIdOk);
    driver.advance(1000);
    ASSERT_EQ(dialer.item(IDC_STATUS).text(), "Dialing...");
    // A question would stop the test: it has no script.
    driver.click(dialer, fw::kIdCancel);
    EXPECT_FALSE(dialer.exists());
    EXPECT_NE(lineState(dialer.m_hRasConn), ras::kDisconnected);
}

}  // namespace
