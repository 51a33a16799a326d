// Setup's start-up, its full-screen frame and caption, and the About box, which the wizard waits
// for.
#include "framework/dialog.h"
#include "framework/frame.h"
#include "setup_fixture.h"

namespace {

using SetupApp = SetupAppTest;

TEST_F(SetupApp, StartUpShowsTheBannerOverTheWholeScreenUnderItsCaption) {
    EXPECT_EQ(app.mainWindow, &frame());
    EXPECT_EQ(app.title, "Setup");
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(frame().windowRect(), (fw::Rect{0, 0, fw::screenWidth(), fw::screenHeight()}));
    EXPECT_TRUE(view().isVisible());
    EXPECT_EQ(view().frame(), &frame());
    EXPECT_EQ(view().clientRect(), frame().clientRect());
    EXPECT_LT(view().clientRect().height(), fw::screenHeight());  // under the caption and menu
    // Painted at once: the caption is the banner's.
    EXPECT_EQ(frame().text(), "Ondrel v1.3 Setup");
    frame().setText("Setup");
    view().invalidate();
    view().update();
    EXPECT_EQ(frame().text(), "Ondrel v1.3 Setup");
}

// A tick of the pause while the About box is up waits for it to close, and a dialog in front of the
// banner keeps its owner: the banner's Exit and close box do nothing meanwhile.
TEST_F(SetupApp, TheWizardWaitsForTheAboutBoxAndNeitherCanBeClosedBehind) {
    while (runningTimer() != 4) {
        driver.advance(50);
    }
    driver.onModal(ids::kAbout, [&](fw::test::Driver& d, fw::Dialog& about) {
        EXPECT_EQ(about.text(), "About Ondrel v1.0 Setup");
        EXPECT_EQ(about.parent(), &frame());
        d.advance(2000);
        EXPECT_EQ(wizardRuns, 0);
        d.command(frame(), fw::kCommandAppExit);
        d.close(frame());
        EXPECT_TRUE(frame().exists());
        d.click(about, fw::kIdOk);
    });
    driver.command(frame(), ids::kAboutCommand);
    wizard = [this] {
        driver.command(frame(), fw::kCommandAppExit);
        driver.close(frame());
        EXPECT_TRUE(frame().exists());
    };
    driver.advance(500);
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_TRUE(driver.shell().empty());
    EXPECT_EQ(runningTimer(), 0u);
}

}  // namespace
