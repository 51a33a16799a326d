#include "virtual_clock.h"

#include <chrono>
#include <limits>

#include "framework/test_driver.h"
#include "framework/thread.h"
#include "sys.h"

namespace fw {

namespace {

VirtualClock* activeClock = nullptr;

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// A thread that stays busy this long (real time) is stuck; the test cannot go on.
constexpr auto kIdleLimit = std::chrono::seconds(30);

}  // namespace

VirtualClock::VirtualClock(std::int64_t startMs)
    : now_(startMs), driverThread_(std::this_thread::get_id()) {
    activeClock = this;
}

VirtualClock::~VirtualClock() {
    if (activeClock == this) {
        activeClock = nullptr;
    }
}

VirtualClock* VirtualClock::active() {
    return activeClock;
}

std::int64_t VirtualClock::nowMs() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void VirtualClock::setTimer(Handle window, unsigned id, unsigned ms) {
    std::lock_guard lock(mutex_);
    // The platform runs a timer of 0 ms at its shortest interval; never let one fire in place.
    unsigned interval = ms == 0 ? 1 : ms;
    timers_[{window, id}] = Timer{now_ + interval, interval, nextOrder_++};
}

void VirtualClock::killTimer(Handle window, unsigned id) {
    std::lock_guard lock(mutex_);
    timers_.erase({window, id});
}

void VirtualClock::killTimers(Handle window) {
    std::lock_guard lock(mutex_);
    std::erase_if(timers_, [window](const auto& entry) { return entry.first.first == window; });
}

bool VirtualClock::timerRunning(Handle window, unsigned id) const {
    std::lock_guard lock(mutex_);
    return timers_.contains({window, id});
}

unsigned VirtualClock::timerInterval(Handle window, unsigned id) const {
    std::lock_guard lock(mutex_);
    auto it = timers_.find({window, id});
    return it != timers_.end() ? it->second.interval : 0;
}

void VirtualClock::advance(std::int64_t ms) {
    std::int64_t target;
    {
        std::lock_guard lock(mutex_);
        target = now_ + ms;
    }
    for (;;) {
        settle();
        std::unique_lock lock(mutex_);
        std::int64_t next = nextEvent();
        if (next > target) {
            break;
        }
        now_ = std::max(now_, next);
        if (releaseDue()) {
            continue;
        }
        auto due = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= now_ &&
                (due == timers_.end() || it->second.due < due->second.due ||
                 (it->second.due == due->second.due && it->second.order < due->second.order))) {
                due = it;
            }
        }
        if (due == timers_.end()) {
            continue;
        }
        auto [window, id] = due->first;
        due->second.due = now_ + due->second.interval;
        lock.unlock();
        sys::sendMessage(window, wm::kTimer, id, 0);
        if (auto* driver = test::Driver::current()) {
            driver->afterMessage();
        }
    }
    {
        // A handler may have moved the clock past the target already (a nested advance).
        std::lock_guard lock(mutex_);
        now_ = std::max(now_, target);
    }
    settle();
}

void VirtualClock::settle() {
    do {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
    } while (sys::deliverPosted() > 0);
}

void VirtualClock::sleepOnDriverThread(unsigned ms) {
    std::unique_lock lock(mutex_);
    std::int64_t target = now_ + ms;
    for (;;) {
        waitIdle(lock);
        std::int64_t next = kNever;
        for (const auto& [thread, state] : threads_) {
            if (state.waiting) {
                next = std::min(next, state.deadline);
            }
        }
        if (next > target) {
            break;
        }
        now_ = std::max(now_, next);
        releaseDue();
    }
    now_ = std::max(now_, target);
}

void VirtualClock::threadStarted(Thread& thread) {
    std::lock_guard lock(mutex_);
    threads_[&thread] = ThreadState{};
}

void VirtualClock::threadFinished(Thread& thread) {
    std::lock_guard lock(mutex_);
    threads_.erase(&thread);
    changed_.notify_all();
}

bool VirtualClock::waitThread(Thread& thread, std::int64_t deadlineMs) {
    std::unique_lock lock(mutex_);
    ThreadState& state = threads_[&thread];
    if (state.woken) {
        state.woken = false;
        return false;
    }
    if (deadlineMs <= now_) {
        return true;
    }
    state.waiting = true;
    state.deadline = deadlineMs;
    changed_.notify_all();
    changed_.wait(lock, [&state] { return !state.waiting; });
    if (state.woken) {
        state.woken = false;
        return false;
    }
    return true;
}

void VirtualClock::wakeThread(Thread& thread) {
    std::lock_guard lock(mutex_);
    auto it = threads_.find(&thread);
    if (it == threads_.end()) {
        return;
    }
    it->second.woken = true;
    it->second.waiting = false;
    changed_.notify_all();
}

void VirtualClock::waitIdle(std::unique_lock<std::mutex>& lock) {
    auto idle = [this] {
        for (const auto& [thread, state] : threads_) {
            if (!state.waiting) {
                return false;
            }
        }
        return true;
    };
    if (!changed_.wait_for(lock, kIdleLimit, idle)) {
        test::Driver::fail("a worker thread stayed busy for 30 s without waiting on the clock");
    }
}

bool VirtualClock::releaseDue() {
    bool released = false;
    for (auto& [thread, state] : threads_) {
        if (state.waiting && state.deadline <= now_) {
            state.waiting = false;
            released = true;
        }
    }
    if (released) {
        changed_.notify_all();
    }
    return released;
}

std::int64_t VirtualClock::nextEvent() const {
    std::int64_t next = kNever;
    for (const auto& [key, timer] : timers_) {
        next = std::min(next, timer.due);
    }
    for (const auto& [thread, state] : threads_) {
        if (state.waiting) {
            next = std::min(next, state.deadline);
        }
    }
    return next;
}

}  // namespace fw
