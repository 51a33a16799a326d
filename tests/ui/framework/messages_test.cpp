// Messages from other threads, timers on the virtual clock, window states, menus and shell calls,
// the same on both backends.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <vector>

#include "framework/clock.h"
#include "framework/file_dialog.h"
#include "framework/inspect.h"
#include "framework/menu.h"
#include "framework/paths.h"
#include "framework/resources.h"
#include "framework/shell.h"
#include "framework/test_driver.h"
#include "framework/thread.h"
#include "sample_dialog.h"
#include "scratch_folder.h"

namespace {

using fw::test::Driver;

constexpr unsigned kProgress = fw::wm::kUser + 1;

TEST(Messages, PostedFromAnotherThreadArriveInOrderOnTheWindowsThread) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    fw::Thread worker;
    worker.start([&dialog](fw::Thread&) {
        for (int i = 0; i < 50; ++i) {
            dialog.post(kProgress, static_cast<std::uintptr_t>(i), -i);
        }
    });
    worker.join();
    EXPECT_TRUE(dialog.log.empty());  // nothing arrives until the window's thread takes it
    driver.pump();
    ASSERT_EQ(dialog.log.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(dialog.log[static_cast<std::size_t>(i)],
                  "message 1 " + std::to_string(i) + " " + std::to_string(-i));
    }
}

TEST(Messages, TimersFireInTimeOrderOnTheVirtualClock) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    dialog.setTimer(3, 500);
    dialog.setTimer(2, 4000);
    dialog.setTimer(1, 1);
    dialog.setTimer(4, 7500);
    EXPECT_TRUE(driver.timerRunning(dialog, 2));
    EXPECT_EQ(driver.timerInterval(dialog, 4), 7500u);

    driver.advance(1);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"timer 1"});
    dialog.killTimer(1);
    dialog.log.clear();

    driver.advance(1999);  // now at 2000 ms
    EXPECT_EQ(dialog.log, std::vector<std::string>(4, "timer 3"));
    dialog.log.clear();

    driver.advance(2000);  // 4000 ms: both are due; timer 3 was set first
    std::vector<std::string> expected(4, "timer 3");
    expected.push_back("timer 2");
    EXPECT_EQ(dialog.log, expected);
    dialog.killTimer(2);
    dialog.killTimer(3);
    EXPECT_FALSE(driver.timerRunning(dialog, 3));
    dialog.log.clear();

    driver.advance(3500);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"timer 4"});
    EXPECT_EQ(driver.nowMs(), 946'684'800'000 + 7500);
}

TEST(Messages, ThreadsWaitOnTheVirtualClockAndStopAtOnce) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    std::int64_t start = fw::nowMs();

    // A worker that reports twice, 3 and 5 seconds after it starts, like a line being dialled.
    fw::Thread dialer;
    dialer.start([&dialog, start](fw::Thread& self) {
        if (self.waitUntil(start + 3000)) {
            dialog.post(kProgress, 3, 0);
        }
        if (self.waitUntil(start + 5000)) {
            dialog.post(kProgress, 5, 0);
        }
    });
    driver.advance(2999);
    EXPECT_TRUE(dialog.log.empty());
    driver.advance(1);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"message 1 3 0"});
    driver.advance(2000);
    EXPECT_EQ(dialog.log.size(), 2u);
    dialer.join();

    // A waiting worker woken before its time ends at once, without reporting.
    fw::Thread waiter;
    waiter.start(
        [&dialog](fw::Thread& self) {
            if (self.waitUntil(fw::nowMs() + 60'000)) {
                dialog.post(kProgress, 60, 0);
            }
        },
        fw::Thread::Priority::lowest);
    driver.advance(1000);
    waiter.wake();
    waiter.join();
    driver.advance(120'000);
    EXPECT_EQ(dialog.log.size(), 2u);
}

TEST(Messages, AWorkerThatFinishedCanBeStartedAgain) {
    Driver driver;
    fw::Thread worker;
    int runs = 0;
    for (int round = 0; round < 3; ++round) {
        worker.start([&runs](fw::Thread&) { ++runs; });
        driver.pump();  // the body has run and finished; nobody joined it
    }
    worker.join();
    EXPECT_EQ(runs, 3);
}

#ifdef _WIN32
// The programs' own path, without the driver: the platform's modal loop, with the window timers
// on the one thread timer the platform host arms.
TEST(PlatformHost, ModalLoopFiresTheWindowTimers) {
    // Timer 1 ticks three times, then hands over to timer 2, which ends the dialog.
    class TimedDialog : public SampleDialog {
      protected:
        bool onInitDialog() override {
            setTimer(1, 20);
            return SampleDialog::onInitDialog();
        }
        void onTimer(unsigned id) override {
            SampleDialog::onTimer(id);
            if (id == 1 && ++ticks_ == 3) {
                killTimer(1);
                setTimer(2, 30);
            } else if (id == 2) {
                killTimer(2);
                endDialog(7);
            }
        }

      private:
        int ticks_ = 0;
    };
    TimedDialog dialog;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(dialog.doModal(), 7);
    // No tick comes before its time.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
    std::vector<std::string> timers;
    std::copy_if(dialog.log.begin(), dialog.log.end(), std::back_inserter(timers),
                 [](const std::string& entry) { return entry.starts_with("timer"); });
    EXPECT_EQ(timers, (std::vector<std::string>{"timer 1", "timer 1", "timer 1", "timer 2"}));
}
#endif

TEST(Window, MinimiseRestoreShowAndHide) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    dialog.minimize();
    EXPECT_TRUE(dialog.isMinimized());
    ASSERT_FALSE(dialog.log.empty());
    EXPECT_EQ(dialog.log.back(), "size 1");
    dialog.hide();
    EXPECT_FALSE(dialog.isVisible());
    dialog.restore();
    EXPECT_FALSE(dialog.isMinimized());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.log.back(), "size 0");
    dialog.setText("Ondrel v1.3 (Dialing)");
    EXPECT_EQ(dialog.text(), "Ondrel v1.3 (Dialing)");
    dialog.item(IDC_NAME).enable(false);
    EXPECT_FALSE(dialog.item(IDC_NAME).isEnabled());
    EXPECT_EQ(dialog.item(IDC_NAME).text(), "Ada");  // a disabled edit keeps its text
}

TEST(Menu, PopupStatesAndTheChosenCommand) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    fw::Menu menu;
    ASSERT_TRUE(menu.createPopup());
    menu.appendItem(32773, "Connect");
    menu.appendItem(32772, "Disconnect");
    menu.appendSeparator();
    menu.appendItem(1004, "Options...");
    menu.enableAt(1, false);
    menu.checkItem(1004, true);
    ASSERT_EQ(menu.itemCount(), 4);
    EXPECT_TRUE(fw::test::itemAt(menu, 1).grayed);
    EXPECT_TRUE(fw::test::itemAt(menu, 2).separator);
    EXPECT_TRUE(fw::test::itemAt(menu, 3).checked);
    EXPECT_EQ(fw::test::itemAt(menu, 3).text, "Options...");

    driver.answerMenu(32773);
    menu.track(dialog, {40, 50}, fw::kTrackRightButton);
    ASSERT_EQ(driver.menus().size(), 1u);
    EXPECT_EQ(driver.menus()[0].items.size(), 4u);
    EXPECT_EQ(driver.menus()[0].at, (fw::Point{40, 50}));
    EXPECT_EQ(dialog.log.back(), "command 32773/0");

    menu.enableAt(1, true);
    menu.enableItem(32773, false);
    EXPECT_FALSE(fw::test::itemAt(menu, 1).grayed);
    EXPECT_TRUE(fw::test::itemAt(menu, 0).grayed);

    fw::Menu system = dialog.systemMenu();
    int before = system.itemCount();
    system.appendSeparator();
    system.appendItem(16, "&About Ondrel...");
    EXPECT_EQ(system.itemCount(), before + 2);
    EXPECT_EQ(fw::test::itemAt(system, before + 1).id, 16u);
}

TEST(Shell, TheTrayTipIsCutAtSixtyThreeCharacters) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    fw::Icon icon = fw::Icon::load(IDI_SAMPLE);
    EXPECT_TRUE(icon.valid());
    EXPECT_FALSE(fw::Icon::load(9999).valid());
    for (const std::size_t length : {62, 63, 64, 100}) {
        const std::string tip(length, 'x');
        EXPECT_TRUE(fw::trayNotify(fw::TrayOp::modify, dialog, 128, 0x8064, icon, tip));
        EXPECT_EQ(driver.tray().back().tip, tip.substr(0, 63));
        EXPECT_EQ(driver.tray().back().iconId, IDI_SAMPLE);
    }
}

TEST(FileDialogs, AChosenFileMakesItsFolderCurrentAsBrowsingThereDoes) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    ScratchFolder folder;
    ASSERT_TRUE(fw::createDirectory("Sounds"));
    const std::string chosen = folder.path + "\\Sounds\\ring.wav";
    driver.answerFileDialog(chosen);
    fw::FileDialogRequest request;
    request.filter = "Wave Files (*.wav) | *.wav; ||";
    EXPECT_EQ(fw::runFileDialog(&dialog, request), chosen);
    EXPECT_EQ(fw::currentDirectory(), folder.path + "\\Sounds");
    ASSERT_TRUE(fw::setCurrentDirectory(folder.path));
    EXPECT_EQ(fw::runFileDialog(&dialog, request), std::nullopt);
    EXPECT_EQ(fw::currentDirectory(), folder.path);
    EXPECT_EQ(driver.fileDialogs().size(), 2u);
    EXPECT_EQ(driver.fileDialogs()[0].filter, request.filter);
}

TEST(Resources, StringTable) {
    EXPECT_EQ(fw::loadString(IDS_HELLO), "Hello from the string table");
    EXPECT_EQ(fw::loadString(IDS_LONG), "Line one\nLine two");
    EXPECT_EQ(fw::loadString(12345), "");
}

}  // namespace
