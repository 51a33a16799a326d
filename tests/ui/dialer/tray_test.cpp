// The tray icon and the window around it: the animation, the tip, the mouse messages and the
// tray menu, minimising into the tray, the About box, the help command, minimised painting.
#include <functional>

#include "dialer_fixture.h"
#include "framework/gdi.h"
#include "resource.h"
#include "settings_bytes.h"

namespace {

class TrayTest : public DialerTest {
  protected:
    // Opens past the start-up tick with this entry current.
    void openOn(const std::string& name) {
        addEntry(name);
        writeSettings(settingsFile({}, 1, 0, {{name, "", ""}}));
        ASSERT_TRUE(openDialer());
        driver.advance(1);
    }
    void trayMouse(unsigned mouseMessage) {
        driver.send(dialer, WM_TRAY_NOTIFY, kTrayIconId, mouseMessage);
    }
};

TEST_F(TrayTest, TheAnimationSwingsBetweenTheEndFramesShowingEachTwice) {
    ASSERT_TRUE(openDialer());
    driver.clearRecords();
    for (int step = 0; step < 10; ++step) {
        driver.send(dialer, fw::wm::kTimer, TIMER_ANIMATE, 0);
    }
    std::vector<int> shown;
    for (const fw::test::TrayRecord& record : driver.tray()) {
        EXPECT_EQ(record.op, 1);
        shown.push_back(record.iconId);
    }
    const int idle = IDI_TRAY_IDLE, one = IDI_TRAY_DIALING_1, two = IDI_TRAY_DIALING_2,
              connected = IDI_TRAY_CONNECTED;
    EXPECT_EQ(shown,
              (std::vector<int>{one, two, connected, connected, two, one, idle, idle, one, two}));
    EXPECT_EQ(dialer.m_nTrayFrame, 2);
    EXPECT_EQ(dialer.m_bTrayReverse, 0);
}

TEST_F(TrayTest, TheTipIsTheTitleCutAtSixtyThreeCharacters) {
    const std::string name = "Kestrune Dial-Up Networking, Second Office Line";
    openOn(name);
    driver.click(dialer, fw::kIdOk);
    driver.advance(4000);
    const std::string title = "Ondrel v1.3 (Connected to " + name + ")";
    ASSERT_GT(title.size(), 63u);
    EXPECT_EQ(dialer.text(), title);
    EXPECT_EQ(driver.tray().back().iconId, IDI_TRAY_CONNECTED);
    EXPECT_EQ(driver.tray().back().tip, title.substr(0, 63));
}

TEST_F(TrayTest, ARightClickOffersTheMenuAndRunsTheChosenCommand) {
    openOn("Work");
    driver.setCursor({600, 740});
    trayMouse(fw::mouse::kRightDown);
    driver.click(dialer, fw::kIdOk);
    // While dialing the tray menu's "Disconnect" cancels the call.
    driver.answerMenu(ID_TRAY_DISCONNECT);
    trayMouse(fw::mouse::kRightDown);

    ASSERT_EQ(driver.menus().size(), 2u);
    const struct {
        bool connect;
        bool disconnect;
    } states[] = {{true, false}, {false, true}};
    for (std::size_t i = 0; i < 2; ++i) {
        const fw::test::MenuRecord& menu = driver.menus()[i];
        EXPECT_EQ(menu.at, (fw::Point{600, 740}));
        EXPECT_EQ(menu.flags, fw::kTrackRightButton);
        EXPECT_EQ(menu.owner, dialer.handle());
        ASSERT_EQ(menu.items.size(), 5u);
        EXPECT_EQ(!menu.items[0].grayed, states[i].connect) << i;
        EXPECT_EQ(!menu.items[1].grayed, states[i].disconnect) << i;
    }
    EXPECT_EQ(dialer.item(fw::kIdOk).text(), "Connect");
    EXPECT_EQ(dialer.item(IDC_STATUS).text(), "Disconnected");

    // Other mouse messages do nothing.
    for (unsigned mouseMessage : {fw::mouse::kMove, fw::mouse::kLeftDown, fw::mouse::kRightUp}) {
        trayMouse(mouseMessage);
    }
    EXPECT_EQ(driver.menus().size(), 2u);
}

TEST_F(TrayTest, ARestartedShellGetsTheIconBackAsItWasUntilTheEnd) {
    openOn("Work");
    const unsigned taskbarCreated = fw::registerMessage("TaskbarCreated");
    const auto shellRestarts = [&] {
        driver.clearRecords();
        driver.send(dialer, taskbarCreated, 0, 0);
        return driver.tray();
    };
    driver.click(dialer, fw::kIdOk);
    driver.advance(4000);
    ASSERT_EQ(shellRestarts().size(), 1u);
    const fw::test::TrayRecord& added = driver.tray()[0];
    EXPECT_EQ(added.op, 0);
    EXPECT_EQ(added.owner, dialer.handle());
    EXPECT_EQ(added.id, 128u);
    EXPECT_EQ(added.callbackMessage, 0x8064u);
    EXPECT_EQ(added.iconId, IDI_TRAY_CONNECTED);
    EXPECT_EQ(added.tip, "Ondrel v1.3 (Connected to Work)");
    // A hang-up shows the idle frame, whatever frame the animation stopped at.
    driver.command(dialer, ID_TRAY_DISCONNECT);
    ASSERT_EQ(shellRestarts().size(), 1u);
    EXPECT_EQ(driver.tray()[0].iconId, IDI_TRAY_IDLE);
    // Once the end has removed it, the icon stays away.
    trayMouse(fw::mouse::kLeftDoubleClick);
    driver.click(dialer, fw::kIdOk);
    driver.advance(4000);
    driver.onModal(IDD_KEEP_CONNECTION, [&](fw::test::Driver& d, fw::Dialog& question) {
        EXPECT_TRUE(shellRestarts().empty());
        d.click(question, fw::kIdOk);
    });
    trayMouse(fw::mouse::kLeftDoubleClick);
    driver.click(dialer, fw::kIdCancel);
}

TEST_F(TrayTest, MinimisingHidesAndTheTrayBringsTheWindowBack) {
    const struct {
        const char* how;
        std::function<void()> restore;
    } rows[] = {
        {"double-click", [this] { trayMouse(fw::mouse::kLeftDoubleClick); }},
        {"Open", [this] { driver.command(dialer, ID_TRAY_OPEN); }},
    };
    openOn("Work");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        driver.sysCommand(dialer, fw::kScMinimize);
        EXPECT_TRUE(dialer.isMinimized());
        EXPECT_FALSE(dialer.isVisible());
        row.restore();
        EXPECT_FALSE(dialer.isMinimized());
        EXPECT_TRUE(dialer.isVisible());
    }
    // A left click alone leaves the window in the tray.
    driver.sysCommand(dialer, fw::kScMinimize);
    trayMouse(fw::mouse::kLeftDown);
    EXPECT_FALSE(dialer.isVisible());
}

TEST_F(TrayTest, TheSystemMenuOpensTheAboutBoxAndF1TheHelpFile) {
    openOn("Work");
    int shown = 0;
    driver.onModal(IDD_ABOUTBOX, [&](fw::test::Driver& d, fw::Dialog& about) {
        ++shown;
        EXPECT_EQ(about.parent(), &dialer);
        EXPECT_EQ(about.text(), "About Ondrel");
        d.click(about, fw::kIdOk);
    });
    // The low four bits are the platform's own.
    driver.sysCommand(dialer, IDM_ABOUTBOX | 0x3);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(dialer.isVisible());

    driver.pressKey(dialer, fw::kKeyF1);
    ASSERT_EQ(driver.shell().size(), 1u);
    EXPECT_EQ(driver.shell()[0].kind, "help");
    EXPECT_EQ(driver.shell()[0].target, "Ondrel.hlp");
}

#ifndef _WIN32
// Only the headless backend records drawing; a hidden window is never painted on its own.
TEST_F(TrayTest, PaintingHeadlessOnlyDrawsTheIdleFrameCentredWhileMinimised) {
    openOn("Work");
    dialer.m_nTrayFrame = 2;  // the idle frame whatever the tray shows
    auto paint = [this] {
        driver.clearRecords();
        fw::DrawContext dc = fw::DrawContext::forClient(dialer);
        driver.send(dialer, fw::wm::kPaint, 0, reinterpret_cast<std::intptr_t>(&dc));
        std::string calls;
        for (const std::string& call : driver.drawing()) {
            calls += call + ";";
        }
        return calls;
    };
    EXPECT_EQ(paint().find("drawIcon"), std::string::npos);
    dialer.minimize();
    const fw::Rect client = dialer.clientRect();
    const std::string drawn = paint();
    const std::size_t icon = drawn.find("drawIcon(");
    EXPECT_LT(drawn.find("eraseIconBackground"), icon) << drawn;
    EXPECT_NE(drawn.find("drawIcon(" + std::to_string((client.width() - 31) / 2) + "," +
                         std::to_string((client.height() - 31) / 2) + ", icon 136)"),
              std::string::npos)
        << drawn;
    EXPECT_EQ(driver.send(dialer, fw::wm::kQueryDragIcon, 0, 0),
              reinterpret_cast<std::intptr_t>(dialer.m_ahTrayIcons[0].handle()));
}
#endif

}  // namespace
