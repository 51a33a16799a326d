// The tray icon and the window around it: the animation, the mouse messages and the tray menu, the
// icon after the shell restarts, the About box, the help command, minimised painting.
#include <string>
#include <tuple>
#include <vector>

#include "dialing_fixture.h"
#include "framework/gdi.h"

namespace {

using TrayTest = DialingTest;

TEST_F(TrayTest, TheAnimationSwingsBetweenTheEndFramesShowingEachTwice) {
    ASSERT_TRUE(driver.open(dialer));
    driver.clearRecords();
    for (int step = 0; step < 10; ++step) {
        driver.send(dialer, fw::wm::kTimer, 3, 0);
    }
    std::vector<int> shown;
    for (const fw::test::TrayRecord& record : driver.tray()) {
        EXPECT_EQ(record.op, 1);
        shown.push_back(record.iconId);
    }
    // Frames 0 to 3: 136 idle, 133 and 134 dialing, 130 connected.
    EXPECT_EQ(shown, (std::vector<int>{133, 134, 130, 130, 134, 133, 136, 136, 133, 134}));
}

TEST_F(TrayTest, ARightClickTracksTheIdleMenuAtThePointerAndOtherMouseMessagesDoNothing) {
    openOn("");
    // In the tray: a left click alone leaves the window there.
    driver.sysCommand(dialer, fw::kScMinimize);
    driver.setCursor({600, 740});
    for (unsigned mouseMessage :
         {fw::mouse::kMove, fw::mouse::kLeftDown, fw::mouse::kRightUp, fw::mouse::kRightDown}) {
        trayMouse(mouseMessage);
    }
    ASSERT_EQ(driver.menus().size(), 1u);
    const fw::test::MenuRecord& menu = driver.menus()[0];
    EXPECT_EQ(menu.at, (fw::Point{600, 740}));
    EXPECT_EQ(menu.flags, fw::kTrackRightButton);
    EXPECT_EQ(menu.owner, dialer.handle());
    std::vector<std::string> items;
    for (const fw::MenuItem& item : menu.items) {
        items.push_back(item.separator ? "-"
                                       : std::to_string(item.id) + " " + item.text +
                                             (item.grayed ? " (grey)" : ""));
    }
    EXPECT_EQ(items, (std::vector<std::string>{"32773 Connect", "32772 Disconnect (grey)", "-",
                                               "1004 Options...", "32771 Open"}));
    EXPECT_FALSE(dialer.isVisible());
}

TEST_F(TrayTest, ARestartedShellGetsTheIconBackAsItWas) {
    addEntry("Work");
    openOn("Work");
    const unsigned taskbarCreated = fw::registerMessage("TaskbarCreated");
    const auto shellRestarts = [&] {
        driver.clearRecords();
        driver.send(dialer, taskbarCreated, 0, 0);
        return driver.tray();
    };
    clickConnect();
    driver.advance(kConnectMs);
    ASSERT_EQ(shellRestarts().size(), 1u);
    const fw::test::TrayRecord& added = driver.tray()[0];
    EXPECT_EQ(std::make_tuple(added.op, added.owner, added.id, added.callbackMessage, added.iconId),
              std::make_tuple(0, dialer.handle(), 128u, 0x8064u, 130));
    EXPECT_EQ(added.tip, "Ondrel v1.3 (Connected to Work)");
    // A hang-up shows the idle frame, whatever frame the animation stopped at.
    trayCommand(ID_TRAY_DISCONNECT);
    ASSERT_EQ(shellRestarts().size(), 1u);
    EXPECT_EQ(driver.tray()[0].iconId, 136);
}

TEST_F(TrayTest, TheSystemMenuOpensTheAboutBoxAndF1TheHelpFile) {
    openOn("");
    int shown = 0;
    driver.onModal(IDD_ABOUTBOX, [&](fw::test::Driver& d, fw::Dialog& about) {
        ++shown;
        EXPECT_EQ(about.parent(), &dialer);
        d.click(about, fw::kIdOk);
    });
    // The low four bits are the platform's own.
    driver.sysCommand(dialer, 16 | 0x3);
    EXPECT_EQ(shown, 1);

    driver.pressKey(dialer, fw::kKeyF1);
    ASSERT_EQ(driver.shell().size(), 1u);
    EXPECT_EQ(driver.shell()[0].kind + " " + driver.shell()[0].target, "help Ondrel.hlp");
}

#ifndef _WIN32
// Only the headless backend records drawing; a hidden window is never painted on its own.
TEST_F(TrayTest, PaintingHeadlessOnlyDrawsTheIdleFrameCentredWhileMinimised) {
    openOn("");
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
