// Setup started as the program starts it, with a wizard that only counts its runs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/test_driver.h"
#include "setup/setup_app.h"

class SetupAppTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app.initInstance()); }

    CMainFrame& frame() { return *app.m_pMainFrame; }
    CSetupView& view() { return *app.m_pView; }

    // The banner's timer that runs, 0 for none; the test fails when more than one runs.
    unsigned runningTimer() {
        std::vector<unsigned> running;
        for (unsigned id : {TIMER_BACKGROUND, TIMER_TITLE, TIMER_SECOND_LINE, TIMER_PAUSE}) {
            if (driver.timerRunning(view(), id)) {
                running.push_back(id);
            }
        }
        EXPECT_LE(running.size(), 1u);
        return running.empty() ? 0 : running.front();
    }
    // Ticks a sliding timer until it stops; returns m_xText before each tick, which is where the
    // tick drew the moving line.
    std::vector<int> slide(unsigned timer) {
        std::vector<int> positions;
        while (runningTimer() == timer && positions.size() < 1000) {
            positions.push_back(view().m_xText);
            driver.advance(driver.timerInterval(view(), timer));
        }
        return positions;
    }

    fw::test::Driver driver;
    int wizardRuns = 0;
    // What the wizard does while it runs, besides counting its runs.
    std::function<void()> wizard;
    CSetupApp app{[this] {
        ++wizardRuns;
        if (wizard) {
            wizard();
        }
    }};
};
