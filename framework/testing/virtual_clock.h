// The clock under test: it stands still until the driver moves it, fires the window timers of the
// timer queue in time order and releases the framework's threads whose waits run out, waiting
// for them to go idle again before anything else happens, so that a test sees one order of
// events on every run. Window timers run on its tick, which only moves forward; the threads wait
// for times on its wall clock, which a test may also set forward or back, as a user sets the
// computer's clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "framework/thread.h"

namespace fw {

class VirtualClock {
  public:
    // afterMessage runs after each message the clock delivers (the driver's step).
    VirtualClock(std::int64_t startMs, std::function<void()> afterMessage);

    // Milliseconds since 1970 on the wall clock.
    std::int64_t nowMs() const;
    std::int64_t tickMs() const;

    // Moves both clocks on by ms: releases waiting threads and fires timers as their times come,
    // delivering posted messages in between. With stop, ends early once stop() holds after a
    // message, and returns the time left.
    std::int64_t advance(std::int64_t ms, const std::function<bool()>& stop = nullptr);
    // Sets the wall clock alone; threads whose time has come are released at once.
    void setNow(std::int64_t wallMs);
    // Waits for the threads to go idle and delivers posted messages until nothing moves.
    void settle();
    // The windows' thread holds still for ms: the clock moves on, releasing waiting threads as
    // their times come, while messages and timers wait for the thread to return.
    void sleep(std::int64_t ms);

    // Called by threads through the host.
    void threadStarted(Thread& thread);
    void threadFinished(Thread& thread);
    // Blocks the calling thread until the wall clock reaches deadlineMs (true) or the thread is
    // woken (false).
    bool waitThread(Thread& thread, std::int64_t deadlineMs);
    void wakeThread(Thread& thread);

  private:
    struct ThreadState {
        bool waiting = false;
        bool woken = false;
        std::int64_t deadline = 0;  // wall clock
        // Set when the thread may go on.
        std::shared_ptr<Event> released = std::make_shared<Event>();
    };

    // Under the lock (released while it waits): blocks until every thread waits.
    void waitIdle();
    // Under the lock: releases the threads whose deadline has come; true when any was.
    bool releaseDue();
    // Under the lock: the earliest thread deadline or timer, on the tick.
    std::int64_t nextEvent() const;
    // Under the lock: a wall-clock time on the tick.
    std::int64_t tickOf(std::int64_t wallMs) const;

    mutable Lock lock_;
    // Set whenever a thread starts waiting or ends.
    Event changed_;
    std::int64_t tick_;
    std::int64_t wallOffset_;  // wall clock minus tick
    std::map<Thread*, ThreadState> threads_;
    std::function<void()> afterMessage_;
};

}  // namespace fw
