// The main window opened on one phonebook entry, and what it shows in each connection state:
// button 1, the account edits, the tray menu as a right click offers it, and the timers.
#pragma once

#include <string>

#include "dialer_fixture.h"

// The simulated line's timing (platform/ras/dial_script.h): a line that answers reports open
// port 100 ms after the dial, authenticate at 2.5 s, authenticated at 3.4 s and connected at
// 3.7 s; a busy line fails 3 s after the dial.
constexpr std::int64_t kConnectMs = 4000;
constexpr std::int64_t kBusyMs = 3000;

constexpr const char* kDialingTitle = "Ondrel v1.3 (Dialing)";
constexpr const char* kFailedStatus = "Connection attempt failed. Try again later.";
constexpr const char* kRetryStatus = "Connection attempt failed, trying again...";

enum class Look { start, idle, dialing, waiting, connected };

class DialingTest : public DialerTest {
  protected:
    // Opens the window past its start-up tick, with entryName shown as the current entry.
    void openOn(const std::string& entryName) {
        ASSERT_TRUE(driver.open(dialer));
        driver.advance(1);
        dialer.m_strEntryName = entryName;
        dialer.updateData(false);
    }

    void clickConnect() { driver.click(dialer, fw::kIdOk); }
    std::string button() const { return dialer.item(fw::kIdOk).text(); }
    // A mouse message of the tray icon.
    void trayMouse(unsigned mouseMessage) {
        driver.send(dialer, WM_TRAY_NOTIFY, kTrayIconId, mouseMessage);
    }
    // A double click on the tray icon, which brings the hidden window back.
    void restore() { trayMouse(fw::mouse::kLeftDoubleClick); }
    // Chooses an item of the tray menu.
    void trayCommand(unsigned command) {
        driver.answerMenu(command);
        trayMouse(fw::mouse::kRightDown);
    }
    // Presses "E&rror Details..." and returns the message box's text.
    std::string errorDetails() {
        if (!dialer.isVisible()) {
            restore();
        }
        const std::size_t before = driver.messageBoxes().size();
        driver.click(dialer, IDC_ERROR_DETAILS);
        EXPECT_EQ(driver.messageBoxes().size(), before + 1);
        const fw::test::MessageBoxRecord& box = driver.messageBoxes().back();
        EXPECT_EQ(box.caption, "Error Details");
        EXPECT_EQ(box.type, fw::mb::kOk);
        return box.text;
    }

    // The state the service reports for a connection, or 0x2001 when it knows it no more.
    std::uint32_t lineState(ras::Connection connection) {
        ras::ConnStatus status{};
        status.dwSize = sizeof status;
        return service.RasGetConnectStatusA(connection, ras::platformRecord(&status)) ==
                       ras::kSuccess
                   ? status.rasconnstate
                   : ras::kDisconnected;
    }
    std::string title() const { return dialer.text(); }
    std::string status() const { return dialer.item(IDC_STATUS).text(); }
    int trayIcon() const { return driver.tray().empty() ? 0 : driver.tray().back().iconId; }
    std::string trayTip() const { return driver.tray().empty() ? "" : driver.tray().back().tip; }

    // Button 1, the edits, the tray menu and the timers as the state shows them; the title and
    // the status line as given.
    void expectLook(Look look, const std::string& expectedTitle,
                    const std::string& expectedStatus) {
        struct Row {
            const char* button;
            bool idle;  // edits enabled, tray Connect on and Disconnect grey
            bool redialTimer, animateTimer, pollTimer;
        };
        static const Row rows[] = {
            {"&Connect", true, false, false, false},     // start
            {"Connect", true, false, false, false},      // idle
            {"Cancel Call", false, false, true, false},  // dialing
            {"Cancel Call", false, true, true, false},   // waiting to redial
            {"Disconnect", false, false, false, true},   // connected
        };
        const Row& row = rows[static_cast<int>(look)];
        EXPECT_EQ(button(), row.button);
        EXPECT_EQ(dialer.item(IDC_USER_ID).isEnabled(), row.idle);
        EXPECT_EQ(dialer.item(IDC_PASSWORD).isEnabled(), row.idle);
        // The tray menu's Connect and Disconnect as a right click shows them.
        trayMouse(fw::mouse::kRightDown);
        const auto& items = driver.menus().back().items;
        EXPECT_EQ(std::pair(!items.at(0).grayed, !items.at(1).grayed),
                  std::pair(row.idle, !row.idle));
        // (Its 8 s are the busy line's test's, to the millisecond.)
        EXPECT_EQ(driver.timerRunning(dialer, 2), row.redialTimer);
        EXPECT_EQ(driver.timerRunning(dialer, 3), row.animateTimer);
        EXPECT_EQ(driver.timerRunning(dialer, 4), row.pollTimer);
        for (const int other : {fw::kIdCancel, IDC_OPTIONS, IDC_PROPERTIES, IDC_ERROR_DETAILS}) {
            EXPECT_TRUE(dialer.item(other).isEnabled()) << "button " << other;
        }
        EXPECT_EQ(title(), expectedTitle);
        EXPECT_EQ(status(), expectedStatus);
    }

    // The final failure's look, kept: nothing redials.
    void expectFailedForGood() {
        expectLook(Look::idle, kIdleTitle, kFailedStatus);
        EXPECT_EQ(trayIcon(), 136);  // the idle frame
        driver.advance(20'000);
        expectLook(Look::idle, kIdleTitle, kFailedStatus);
    }
};
