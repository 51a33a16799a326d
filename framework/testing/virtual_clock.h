// The clock under test: it stands still until the driver moves it, fires the window timers of the
// timer queue in time order and releases the framework's threads whose waits run out, waiting
// for them to go idle again before anything else happens, so that a test sees one order of
// events on every run.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace fw {

class Thread;

class VirtualClock {
  public:
    // afterMessage runs after each message the clock delivers (the driver's step).
    VirtualClock(std::int64_t startMs, std::function<void()> afterMessage);

    std::int64_t nowMs() const;

    // Moves the clock on by ms: releases waiting threads and fires timers as their times come,
    // delivering posted messages in between.
    void advance(std::int64_t ms);
    // Waits for the threads to go idle and delivers posted messages until nothing moves.
    void settle();
    // The windows' thread holds still for ms: the clock moves on, releasing waiting threads as
    // their times come, while messages and timers wait for the thread to return.
    void sleep(std::int64_t ms);

    // Called by threads through the host.
    void threadStarted(Thread& thread);
    void threadFinished(Thread& thread);
    // Blocks the calling thread until the clock reaches deadlineMs (true) or the thread is woken
    // (false).
    bool waitThread(Thread& thread, std::int64_t deadlineMs);
    void wakeThread(Thread& thread);

  private:
    struct ThreadState {
        bool waiting = false;
        bool woken = false;
        std::int64_t deadline = 0;
    };

    // Under the lock: blocks until every thread waits.
    void waitIdle(std::unique_lock<std::mutex>& lock);
    // Under the lock: releases the threads whose deadline has come; true when any was.
    bool releaseDue();
    // Under the lock: the earliest thread deadline or timer.
    std::int64_t nextEvent() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t now_;
    std::map<Thread*, ThreadState> threads_;
    std::function<void()> afterMessage_;
};

}  // namespace fw
