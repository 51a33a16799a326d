// The clock under test: it stands still until the driver moves it, fires window timers in time
// order and releases the framework's threads whose waits run out, waiting for them to go idle
// again before anything else happens, so that a test sees one order of events on every run.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "framework/types.h"

namespace fw {

class Thread;

class VirtualClock {
  public:
    explicit VirtualClock(std::int64_t startMs);
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    ~VirtualClock();

    // The clock of the running test, or null outside tests.
    static VirtualClock* active();

    std::int64_t nowMs() const;

    void setTimer(Handle window, unsigned id, unsigned ms);
    void killTimer(Handle window, unsigned id);
    void killTimers(Handle window);
    bool timerRunning(Handle window, unsigned id) const;
    unsigned timerInterval(Handle window, unsigned id) const;

    // Called on the driver's thread.
    void advance(std::int64_t ms);
    // Waits for the threads to go idle and delivers posted messages until nothing moves.
    void settle();
    // The driver's thread pauses: time moves on, threads run, but no message is delivered.
    void sleepOnDriverThread(unsigned ms);
    bool isDriverThread() const { return std::this_thread::get_id() == driverThread_; }

    // Called by Thread.
    void threadStarted(Thread& thread);
    void threadFinished(Thread& thread);
    // Blocks the calling thread until the clock reaches deadlineMs (true) or the thread is woken
    // (false).
    bool waitThread(Thread& thread, std::int64_t deadlineMs);
    void wakeThread(Thread& thread);

  private:
    struct Timer {
        std::int64_t due;
        unsigned interval;
        std::uint64_t order;  // timers due at the same moment fire in the order they were set
    };
    struct ThreadState {
        bool waiting = false;
        bool woken = false;
        std::int64_t deadline = 0;
    };

    // Under the lock: blocks until every thread waits.
    void waitIdle(std::unique_lock<std::mutex>& lock);
    // Under the lock: releases the threads whose deadline has come; true when any was.
    bool releaseDue();
    std::int64_t nextEvent() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t now_;
    std::uint64_t nextOrder_ = 0;
    std::map<std::pair<Handle, unsigned>, Timer> timers_;
    std::map<Thread*, ThreadState> threads_;
    std::thread::id driverThread_;
};

}  // namespace fw
