// Dialing, cancelling, hanging up and redialing, as the window shows them after each event, on the
// virtual clock.
#include <functional>
#include <string>

#include "dialing_fixture.h"
#include "framework/save_file.h"
#include "settings_bytes.h"

namespace {

using ras::sim::Line;

TEST_F(DialingTest, ADialShowsEachReportedStateAndConnects) {
    addEntry("Work");
    openOn("Work");
    clickConnect();
    SCOPED_TRACE("just dialed");
    expectLook(Look::dialing, kIdleTitle, "Disconnected");

    const struct {
        std::int64_t atMs;
        const char *title, *status;
        std::int64_t tipAtMs;  // the tip takes the title at the animation's next step
    } steps[] = {
        {100, kDialingTitle, "Dialing...", 600},
        {2300, kDialingTitle, "Dialing...", 2400},  // the device states change nothing
        {2500, "Ondrel v1.3 (Verifying User ID and Password)", "Verifying User ID and Password...",
         3100},
        {3400, "Ondrel v1.3 (Logging onto Network...)", "Logging onto Network...", 3600},
    };
    std::int64_t now = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.atMs);
        driver.advance(step.atMs - now);
        expectLook(Look::dialing, step.title, step.status);
        driver.advance(step.tipAtMs - step.atMs);
        now = step.tipAtMs;
        EXPECT_EQ(trayTip(), step.title);
    }

    driver.advance(kConnectMs - now);
    SCOPED_TRACE("connected");
    expectLook(Look::connected, "Ondrel v1.3 (Connected to Work)", "Connected");
    EXPECT_EQ(trayTip(), "Ondrel v1.3 (Connected to Work)");
    EXPECT_EQ(driver.timerInterval(dialer, 4), 7500u);
}

TEST_F(DialingTest, AFailedAttemptWithoutKeepDialingEndsIdle) {
    const struct {
        const char* entry;
        Line line;
        std::int64_t failsAtMs;
        const char* text;  // the service's for the error kept, which Error Details shows
    } rows[] = {
        {"Busy", Line::busy, kBusyMs, "The line is busy."},
        {"Silent", Line::noDialTone, 1400, "There is no dial tone."},
        {"Strict", Line::rejectsLogin, 4000,
         "Access was denied because the user name or password is not valid on the domain."},
    };
    openOn("");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        addEntry(row.entry, row.line);
        dialer.m_strEntryName = row.entry;
        dialer.updateData(false);
        clickConnect();
        driver.advance(row.failsAtMs - 1);
        EXPECT_EQ(dialer.item(fw::kIdOk).text(), "Cancel Call");
        driver.advance(1);
        expectFailedForGood();
        EXPECT_EQ(errorDetails(), row.text);
    }
}

TEST_F(DialingTest, ABusyLineWithKeepDialingRedialsEightSecondsLaterAndItsErrorOutlastsTheCall) {
    addEntry("Work", Line::busyFirst, 2);
    openOn("Work");
    EXPECT_EQ(errorDetails(), "No errors to report.");
    dialer.m_settings.m_bKeepDialing = 1;
    clickConnect();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        driver.advance(kBusyMs);
        expectLook(Look::waiting, kDialingTitle, kRetryStatus);
        driver.advance(8000 - 1);
        expectLook(Look::waiting, kDialingTitle, kRetryStatus);
        // The next attempt; its texts come with its first report.
        driver.advance(1);
        expectLook(Look::dialing, kDialingTitle, kRetryStatus);
        EXPECT_FALSE(dialer.m_bRedialRequest);
    }
    driver.advance(kConnectMs);
    expectLook(Look::connected, "Ondrel v1.3 (Connected to Work)", "Connected");
    // The last failure's text stays through the connection and the user's hang-up, which is no
    // error.
    EXPECT_EQ(errorDetails(), "The line is busy.");
    clickConnect();
    EXPECT_EQ(errorDetails(), "The line is busy.");
}

TEST_F(DialingTest, ARedialThatCannotStartLeavesTheWindowIdle) {
    addEntry("Work", Line::busy);
    openOn("Work");
    dialer.m_settings.m_bKeepDialing = 1;
    const struct {
        const char* why;
        std::function<void()> during;  // while the redial waits
        const char* caption;  // of the box that says why (its text is the command's own test's)
    } rows[] = {
        {"the entry cleared in Options",
         [this] {
             driver.onModal(IDD_OPTIONS, [](fw::test::Driver& d, fw::Dialog& options) {
                 d.choose(options, IDC_ENTRY_LIST, -1);
                 d.click(options, fw::kIdOk);
             });
             driver.click(dialer, IDC_OPTIONS);
         },
         "Error: No Connection Selected"},
        {"the settings cannot be saved",
         [this] {
             dialer.m_settings.m_bSaveUserAndPassword = 1;
             // A folder where the file is to be written.
             ASSERT_TRUE(fw::createDirectory(settingsPath() + fw::kSaveSuffix));
         },
         "Ondrel"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        dialer.m_strEntryName = "Work";
        dialer.updateData(false);
        clickConnect();
        driver.advance(kBusyMs);
        expectLook(Look::waiting, kDialingTitle, kRetryStatus);
        row.during();
        driver.clearRecords();
        driver.advance(8000);
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_EQ(driver.messageBoxes()[0].caption, row.caption);
        expectLook(Look::idle, kDialingTitle, "Disconnected");
        EXPECT_FALSE(dialer.m_bRedialRequest);
        // Nothing is pending: no further message, and Connect dials again at once.
        driver.advance(20'000);
        EXPECT_EQ(driver.messageBoxes().size(), 1u);
    }
}

// Whichever way the user ends a call, even with the service's next report already posted, the
// window is idle at once, with keep dialing on (that nothing redials after it, in any order, is the
// explorer's).
TEST_F(DialingTest, HangingUpOrCancellingEndsIdleAndAReportPostedBeforeChangesNothing) {
    openOn("Work");
    dialer.m_settings.m_bKeepDialing = 1;
    const auto click = [this] { clickConnect(); };
    const struct {
        const char* how;
        Line line;
        std::int64_t afterMs;  // after the dial; from kBusyMs on, waiting to redial
        std::function<void()> end;
        bool posted;        // the service posts its report while the window is busy: the end first
        const char* title;  // the last one shown before the end
    } rows[] = {
        {"Cancel Call, a state posted", Line::answers, 2500, click, true, kDialingTitle},
        {"Cancel Call, connected posted", Line::answers, 3700, click, true,
         "Ondrel v1.3 (Logging onto Network...)"},
        {"Cancel Call, a failure posted", Line::busy, kBusyMs, click, true, kDialingTitle},
        {"Disconnect button", Line::answers, kConnectMs, click, false, kIdleTitle},
        {"Enter while dialing", Line::busy, 1000,
         [this] { driver.pressKey(dialer, fw::kKeyReturn); }, false, kDialingTitle},
        {"tray Disconnect while waiting", Line::busy, kBusyMs + 4000,
         [this] { trayCommand(ID_TRAY_DISCONNECT); }, false, kDialingTitle},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        addEntry("Work", row.line);
        clickConnect();
        driver.advance(row.afterMs - (row.posted ? 1 : 0));
        if (row.posted) {
            driver.busy(1);
        }
        const bool connected = dialer.m_bConnected != 0;
        const std::size_t trayChanges = driver.tray().size();
        const std::uint32_t lastError = dialer.m_dwLastError;
        if (connected) {
            restore();
        }
        row.end();
        driver.pump();
        // A hang-up shows the idle frame and title; a cancelled attempt keeps its last title, and
        // the icon its frame.
        expectLook(Look::idle, row.title, "Disconnected");
        EXPECT_EQ(dialer.m_dwLastError, lastError);
        EXPECT_EQ(dialer.m_hRasConn, nullptr);
        if (connected) {
            EXPECT_EQ(trayIcon(), 136);  // the idle frame
            EXPECT_EQ(trayTip(), kIdleTitle);
            // The frame is only shown, not stored: the next dial animates on from frame 3.
            EXPECT_EQ(dialer.m_nTrayFrame, 3);
        } else {
            EXPECT_EQ(driver.tray().size(), trayChanges);
        }
    }
}

TEST_F(DialingTest, AnEntryThatDoesNotExistFailsAtOnce) {
    openOn("Gone");
    clickConnect();
    expectFailedForGood();
    EXPECT_EQ(errorDetails(), "The dial-up entry cannot be found in the phonebook.");
}

TEST_F(DialingTest, NoEntryChosenAsksForOneAndDialsNothing) {
    openOn("");
    const struct {
        const char* how;
        std::function<void()> connect;
    } ways[] = {
        {"Connect button", [this] { clickConnect(); }},
        {"tray Connect", [this] { trayCommand(ID_TRAY_CONNECT); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        driver.clearRecords();
        way.connect();
        EXPECT_EQ(boxes(),
                  std::vector{shownBox(
                      "You must select a dial-up connection to dial.\nClick Options, then choose a "
                      "connection from the drop down box.",
                      "Error: No Connection Selected", fw::mb::kOk | fw::mb::kIconExclamation)});
        expectLook(Look::start, kIdleTitle, "Disconnected");
    }
    EXPECT_FALSE(settings().has_value());
}

TEST_F(DialingTest, RememberedAccountsAreSavedBeforeDialing) {
    addEntry("Work");
    for (const std::int32_t save : {0, 1}) {
        SCOPED_TRACE(save);
        writeSettings(settingsFile({.saveUserAndPassword = save}, 3, 1, kThree));
        CDialerDlg window(service);
        ASSERT_TRUE(driver.open(window));
        driver.type(window, IDC_USER_ID, "alice");
        driver.type(window, IDC_PASSWORD, "secret");
        driver.click(window, fw::kIdOk);
        // Only with accounts to remember is the file written before the dial, with the typed
        // account in the current entry's triple alone.
        EXPECT_EQ(settings(),
                  save == 0 ? settingsFile({}, 3, 1, kThree)
                            : settingsFile({.saveUserAndPassword = 1}, 3, 1,
                                           {kThree[0], {"Work", "alice", "secret"}, kThree[2]}));
        EXPECT_EQ(window.item(fw::kIdOk).text(), "Cancel Call");
        driver.click(window, fw::kIdOk);
        window.m_settings.m_bSaveUserAndPassword = 0;  // the end writes nothing more
        window.m_settings.m_nCurrentEntry = 3;
        driver.click(window, fw::kIdCancel);
    }
}

}  // namespace
