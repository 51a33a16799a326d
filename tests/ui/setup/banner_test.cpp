// Setup's start-up: its full-screen banner under its caption, the banner's timers one after the
// other, where the lines slide and stop, the wizard started once after the pause and not while the
// About box is up, and (headless only) what is drawn where.
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/frame.h"
#include "setup_fixture.h"

namespace {

using Banner = SetupAppTest;

constexpr const char* kTitle = "Ondrel v1.3 Setup";
constexpr const char* kSecondLine = "by Kestrune Software";

// A tick of the pause while the About box is up waits for it to close, and a dialog in front of the
// banner keeps its owner: the banner's Exit and close box do nothing meanwhile.
TEST_F(Banner, TheWizardWaitsForTheAboutBoxAndNeitherCanBeClosedBehind) {
    while (runningTimer() != 4) {
        driver.advance(50);
    }
    driver.onModal(ids::kAbout, [&](fw::test::Driver& d, fw::Dialog& about) {
        d.advance(2000);
        EXPECT_EQ(wizardRuns, 0);
        d.command(frame(), fw::kCommandAppExit);
        d.close(frame());
        EXPECT_TRUE(frame().exists());
        d.click(about, fw::kIdOk);
    });
    driver.command(frame(), ids::kAboutCommand);
    driver.advance(500);
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(runningTimer(), 0u);
}

// Start-up shows the banner over the whole screen under its caption, painted at once.
TEST_F(Banner, TheLinesSlideInOneAfterTheOtherAndTheWizardStartsOnceHalfASecondLater) {
    EXPECT_EQ(app.mainWindow, &frame());
    EXPECT_EQ(app.title, "Setup");
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(frame().windowRect(), (fw::Rect{0, 0, fw::screenWidth(), fw::screenHeight()}));
    EXPECT_LT(view().clientRect().height(), fw::screenHeight());  // under the caption and menu
    EXPECT_EQ(frame().text(), kTitle);
    frame().setText("Setup");
    view().invalidate();
    view().update();
    EXPECT_EQ(frame().text(), kTitle);

    // The timer that runs and its interval.
    const auto timer = [this] {
        const unsigned id = runningTimer();
        return std::to_string(id) + " every " +
               std::to_string(id == 0 ? 0 : driver.timerInterval(view(), id));
    };
    EXPECT_EQ(timer(), "1 every 1");
    driver.advance(1);
    EXPECT_EQ(timer(), "2 every 50");
    // Where the title is drawn at each tick, the headless test below holds.
    EXPECT_EQ(slide(2).size(), 25u);

    // The second line stops once its next step would reach its place, at most 14 pixels short.
    EXPECT_EQ(timer(), "3 every 50");
    fw::DrawContext measure = fw::DrawContext::forClient(view());
    measure.selectFont(view().m_font);
    const int place = view().clientRect().width() - measure.textExtent(kSecondLine).width - 50;
    const std::vector<int> second = slide(3);
    ASSERT_GE(second.size(), 2u);
    EXPECT_EQ(second.front(), fw::screenWidth() + 50);
    for (std::size_t i = 1; i < second.size(); ++i) {
        EXPECT_EQ(second[i], second[i - 1] - 14) << i;
    }
    EXPECT_GT(second.back(), place);
    EXPECT_LE(second.back() - 14, place);

    EXPECT_EQ(timer(), "4 every 500");
    driver.advance(499);
    EXPECT_EQ(wizardRuns, 0);
    driver.advance(1);
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(timer(), "0 every 0");
}

#ifndef _WIN32
// Only the headless backend records what was drawn. Its screen is 640 by 480; the frame's borders,
// caption and menu bar leave the view 632 by 434; text is 20 pixels a character in the banner's
// font, so the second line is 400 wide and 40 high.
using BannerHeadlessOnly = SetupAppTest;

// A line of the banner drawn at x, y.
std::string text(const std::string& target, int x, int y, const std::string& line) {
    return "textOut(" + target + ", " + std::to_string(x) + "," + std::to_string(y) + ", \"" +
           line + "\", font \"Arial\" 40 weight 700 italic, rgb(255,255,255), transparent)";
}

TEST_F(BannerHeadlessOnly,
       TheGradientIsBuiltOnceAndTheLinesAreDrawnWhereTheySlideAndThenStandStill) {
    ASSERT_EQ(view().clientRect(), (fw::Rect{0, 0, 632, 434}));
    driver.clearRecords();
    driver.advance(1);
    std::vector<std::string> expected = {
        "usePalette(window, 64 entries)",
        "createCompatibleBitmap(window, 640,480): bitmap1",
        "createCompatibleBitmap(window, 640,480): bitmap2",
        "usePalette(bitmap1, 64 entries)",
    };
    // Bands of 434 / 64 + 1 = 7 pixels.
    for (int i = 0; i < 64; ++i) {
        expected.push_back("fillRect(bitmap1, 0," + std::to_string(7 * i) + ",632," +
                           std::to_string(7 * i + 7) + ", rgb(" + std::to_string(2 * i) + "," +
                           std::to_string(2 * i) + "," + std::to_string(4 * i) + "))");
    }
    EXPECT_EQ(driver.drawing(), expected);

    driver.clearRecords();
    slide(2);
    slide(3);
    // Each tick composes its frame on the gradient and copies it to the window once.
    std::vector<std::string> ticks;
    const auto tick = [&ticks](const std::vector<std::string>& texts) {
        ticks.insert(
            ticks.end(),
            {"usePalette(window, 64 entries)", "usePalette(bitmap2, 64 entries)",
             "usePalette(bitmap1, 64 entries)", "bitBlt(bitmap2, 0,0,640,480, bitmap1, 0,0)"});
        ticks.insert(ticks.end(), texts.begin(), texts.end());
        ticks.push_back("bitBlt(window, 0,0,640,480, bitmap2, 0,0)");
    };
    for (int x = -350; x <= 10; x += 15) {
        tick({text("bitmap2", x, 40, kTitle)});
    }
    // From 640 + 50 to 186, the last step before 632 - 400 - 50 = 182; 434 - 40 - 40 = 354.
    for (int x = 690; x >= 186; x -= 14) {
        tick({text("bitmap2", 20, 40, kTitle), text("bitmap2", x, 354, kSecondLine)});
    }
    EXPECT_EQ(driver.drawing(), ticks);
    // Nothing repaints when the sliding stops.
    driver.clearRecords();
    driver.advance(10'000);
    EXPECT_TRUE(driver.drawing().empty());
}

// Uncovering the window repaints the gradient once it exists, and the lines once they are placed.
TEST_F(BannerHeadlessOnly, ARepaintShowsWhatIsBuiltAndPlaced) {
    const std::vector<std::string> gradient = {
        "usePalette(window, 64 entries)",
        "usePalette(bitmap1, 64 entries)",
        "bitBlt(window, 0,0,640,480, bitmap1, 0,0)",
    };
    std::vector<std::string> placed = gradient;
    placed.push_back(text("window", 20, 40, kTitle));
    placed.push_back(text("window", 182, 354, kSecondLine));
    const struct {
        const char* moment;
        int ms;  // after the previous row
        std::vector<std::string> painted;
    } rows[] = {
        {"before the gradient exists", 0, {"usePalette(window, 64 entries)"}},
        {"while the title slides", 1 + 5 * 50, gradient},
        {"while the second line slides", 20 * 50 + 3 * 50, gradient},
        {"once the lines are placed", 34 * 50, placed},
        {"while the wizard runs", 500, placed},
    };
    for (const auto& row : rows) {
        driver.advance(row.ms);
        driver.clearRecords();
        view().invalidate();
        view().update();
        EXPECT_EQ(driver.drawing(), row.painted) << row.moment;
    }
    EXPECT_EQ(wizardRuns, 1);
}
#endif

}  // namespace
