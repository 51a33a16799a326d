// Generated orders of events. RapidCheck draws a list of steps (what a user, the clock, the line or
// the disk can do); the explorer runs them in order against a program under the test driver and
// checks its invariants after each one. Modal dialogs and message boxes take their actions from
// the same list, so any step can happen inside any of them. A failing list shrinks, and RapidCheck
// prints the seed and the shrunk list that replay it ("RC_PARAMS=reproduce=...").
#pragma once

#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "framework/test_driver.h"

namespace explore {

// The steps run in this process, for a long run's report.
inline std::uint64_t stepsRun = 0;

// The steps of one generated case, consumed in order by whichever loop is running: the program's
// own, a modal dialog's or a message box's.
template <class Step>
class Script {
  public:
    explicit Script(const std::vector<Step>& steps) : steps_(steps) {}
    bool done() const { return next_ == steps_.size(); }
    // The step that comes next, left in place (a loop that takes only some kinds of step).
    const Step& peek() const { return steps_[next_]; }
    const Step& take() {
        ++stepsRun;
        return steps_[next_++];
    }

  private:
    const std::vector<Step>& steps_;
    std::size_t next_ = 0;
};

// Runs a property with the driver's failures thrown rather than aborting, so that a misuse or an
// unanswered question also shrinks. RC_PARAMS sets the budget (ctest gives the ui tier's; the long
// run of scripts/explore.sh gives its own); the steps run are printed at the end.
template <class Property>
void check(const char* name, Property property) {
    fw::test::Driver::failuresThrow = true;
    const std::uint64_t before = stepsRun;
    const bool passed = rc::check(name, property);
    fw::test::Driver::failuresThrow = false;
    std::printf("%s: %llu steps\n", name, static_cast<unsigned long long>(stepsRun - before));
    EXPECT_TRUE(passed) << name;
}

}  // namespace explore
