// Messages from other threads, timers on the virtual clock and the tray, the same on both
// backends.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <utility>
#include <vector>

#include "framework/resources.h"
#include "framework/shell.h"
#include "framework/test_driver.h"
#include "framework/thread.h"
#include "sample_dialog.h"

namespace {

using Messages = SampleDialogTest;
using Shell = SampleDialogTest;

constexpr unsigned kProgress = fw::wm::kUser + 1;

TEST_F(Messages, PostedFromAnotherThreadArriveInOrderAndAFinishedWorkerStartsAgain) {
    const auto post = [this](fw::Thread&) {
        for (int i = 0; i < 50; ++i) {
            dialog.post(kProgress, static_cast<std::uintptr_t>(i), -i);
        }
    };
    fw::Thread worker;
    worker.start(post);
    worker.join();
    EXPECT_TRUE(dialog.log.empty());  // nothing arrives until the window's thread takes it
    driver.pump();
    std::vector<std::string> expected;
    for (int i = 0; i < 50; ++i) {
        expected.push_back("message 1 " + std::to_string(i) + " " + std::to_string(-i));
    }
    EXPECT_EQ(dialog.log, expected);
    for (int round = 0; round < 2; ++round) {
        worker.start(post);
        driver.pump();  // the body has run and finished; nobody joined it
    }
    worker.join();
    EXPECT_EQ(dialog.log.size(), 150u);
}

TEST_F(Messages, TimersFireInTimeOrderOnTheVirtualClock) {
    dialog.setTimer(3, 500);
    dialog.setTimer(2, 4000);
    dialog.setTimer(4, 7500);

    // What arrived since the last look.
    const auto arrived = [this] { return std::exchange(dialog.log, {}); };
    driver.advance(2000);
    EXPECT_EQ(arrived(), std::vector<std::string>(4, "timer 3"));
    driver.advance(2000);  // 4000 ms: both are due; timer 3 was set first
    EXPECT_EQ(arrived(),
              (std::vector<std::string>{"timer 3", "timer 3", "timer 3", "timer 3", "timer 2"}));
    dialog.killTimer(2);
    dialog.killTimer(3);
    driver.advance(3500);
    EXPECT_EQ(arrived(), std::vector<std::string>{"timer 4"});
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

// The programs cut their own tips; the framework does too, for the platform's 64-character field.
TEST_F(Shell, TheTrayTipIsCutAtSixtyThreeCharacters) {
    const fw::Icon icon = fw::Icon::load(IDI_SAMPLE);
    EXPECT_TRUE(icon.valid());
    for (const std::size_t length : {63, 64}) {
        const std::string tip(length, 'x');
        EXPECT_TRUE(fw::trayNotify(fw::TrayOp::modify, dialog, 128, 0x8064, icon, tip));
        EXPECT_EQ(driver.tray().back().tip, tip.substr(0, 63));
    }
}

}  // namespace
