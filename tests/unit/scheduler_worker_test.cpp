// The scheduler's worker with real threads on the real clock, as the program runs it: this thread
// plays the main window's, starting and stopping workers and taking the firings they hand over.
// Also built with ThreadSanitizer (scripts/test.sh).
#include "dialer/scheduler/scheduler_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "dialer/dialer_dlg.h"
#include "driver_sys.h"
#include "framework/clock.h"
#include "framework/real_time.h"
#include "framework/thread.h"
#include "sys.h"
#include "window_tree.h"

namespace {

// A window of the headless backend that only counts the due notices posted to it. No test
// driver runs here, so it is made and fed through the backend itself.
class NoticeSink : public fw::Window {
  public:
    NoticeSink() {
        auto node = std::make_unique<fw::headless::WindowNode>();
        node->owner = this;
        fw::detail::WindowAccess::setHandle(*this,
                                            fw::headless::addWindow(std::move(node), nullptr));
    }

    // The notices among the messages posted so far.
    int take() {
        notices_ = 0;
        fw::sys::deliverPosted([] {});
        return notices_;
    }
    // Waits (in real time, up to 10 s) for the one notice of a worker that fires.
    bool awaitNotice() {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        int got = 0;
        while ((got = take()) == 0 && std::chrono::steady_clock::now() < give_up) {
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        return got == 1;
    }

  protected:
    bool onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t /*lParam*/,
                   std::intptr_t& result) override {
        EXPECT_EQ(message, WM_TASK_DUE);
        EXPECT_EQ(wParam, 5u);
        ++notices_;
        result = 0;
        return true;
    }

  private:
    int notices_ = 0;
};

class SchedulerWorker : public ::testing::Test {
  protected:
    SchedulerWorker() { g_hMainWnd = window.handle(); }
    ~SchedulerWorker() override { StopSchedulerWorker(worker); }

    static std::int32_t nowSeconds() { return static_cast<std::int32_t>(fw::now()); }

    const fw::test::RealTime realTime;
    NoticeSink window;
    std::unique_ptr<fw::Thread> worker;
};

TEST_F(SchedulerWorker, StartsStopsAndFiresTenThousandTimes) {
    for (int cycle = 0; cycle < 10'000; ++cycle) {
        SCOPED_TRACE(cycle);
        if (cycle % 2 == 0) {
            // Waiting for a task a minute away: the stop ends it, and it posts nothing.
            StartSchedulerWorker(worker, nowSeconds() + 60);
            StopSchedulerWorker(worker);
            ASSERT_EQ(worker, nullptr);
            ASSERT_EQ(window.take(), 0);
        } else {
            // Its time has come: it hands the firing over once and ends by itself; the next
            // start joins it.
            StartSchedulerWorker(worker, nowSeconds());
            ASSERT_TRUE(window.awaitNotice());
        }
    }
}

TEST_F(SchedulerWorker, AWaitingWorkerFiresOnceItsSecondHasBegun) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const std::int32_t due = nowSeconds() + 1;
        StartSchedulerWorker(worker, due);
        ASSERT_TRUE(window.awaitNotice());
        EXPECT_GE(fw::nowMs(), std::int64_t{due} * 1000);
    }
}

}  // namespace
