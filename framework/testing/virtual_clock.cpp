#include "virtual_clock.h"

#include <algorithm>
#include <limits>

#include "driver_sys.h"
#include "framework/test_driver.h"
#include "sys.h"
#include "timer_queue.h"

namespace fw {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// A thread that stays busy this long (real time) is stuck; the test cannot go on.
constexpr std::int64_t kIdleLimitMs = 30'000;

}  // namespace

VirtualClock::VirtualClock(std::int64_t startMs, std::function<void()> afterMessage)
    : tick_(startMs), wallOffset_(0), afterMessage_(std::move(afterMessage)) {}

std::int64_t VirtualClock::nowMs() const {
    LockGuard guard(lock_);
    return tick_ + wallOffset_;
}

std::int64_t VirtualClock::tickMs() const {
    LockGuard guard(lock_);
    return tick_;
}

std::int64_t VirtualClock::advance(std::int64_t ms, const std::function<bool()>& stop) {
    std::int64_t target;
    {
        LockGuard guard(lock_);
        target = tick_ + ms;
    }
    for (;;) {
        settle();
        if (stop && stop()) {
            LockGuard guard(lock_);
            return std::max<std::int64_t>(target - tick_, 0);
        }
        lock_.acquire();
        const std::int64_t next = nextEvent();
        if (next > target) {
            lock_.release();
            break;
        }
        tick_ = std::max(tick_, next);
        if (releaseDue()) {
            lock_.release();
            continue;
        }
        const std::int64_t now = tick_;
        lock_.release();
        // Timers run on the windows' thread, which is this one.
        if (detail::timerQueue().fireNext(now)) {
            afterMessage_();
        }
    }
    {
        // A handler may have moved the clock past the target already (a nested advance).
        LockGuard guard(lock_);
        tick_ = std::max(tick_, target);
    }
    settle();
    return 0;
}

void VirtualClock::setNow(std::int64_t wallMs) {
    {
        LockGuard guard(lock_);
        wallOffset_ = wallMs - tick_;
        releaseDue();
    }
    settle();
}

void VirtualClock::settle() {
    do {
        LockGuard guard(lock_);
        waitIdle();
    } while (sys::deliverPosted(afterMessage_) > 0);
}

void VirtualClock::sleep(std::int64_t ms) {
    LockGuard guard(lock_);
    const std::int64_t target = tick_ + ms;
    waitIdle();
    while (tick_ < target) {
        std::int64_t next = target;
        for (const auto& [thread, state] : threads_) {
            if (state.waiting) {
                next = std::min(next, tickOf(state.deadline));
            }
        }
        tick_ = std::max(tick_, next);
        releaseDue();
        waitIdle();
    }
}

void VirtualClock::threadStarted(Thread& thread) {
    LockGuard guard(lock_);
    threads_[&thread] = ThreadState{};
}

void VirtualClock::threadFinished(Thread& thread) {
    LockGuard guard(lock_);
    threads_.erase(&thread);
    changed_.set();
}

bool VirtualClock::waitThread(Thread& thread, std::int64_t deadlineMs) {
    std::shared_ptr<Event> released;
    {
        LockGuard guard(lock_);
        ThreadState& state = threads_[&thread];
        if (state.woken) {
            state.woken = false;
            return false;
        }
        if (deadlineMs <= tick_ + wallOffset_) {
            return true;
        }
        state.waiting = true;
        state.deadline = deadlineMs;
        released = state.released;
        changed_.set();
    }
    released->wait();
    LockGuard guard(lock_);
    ThreadState& state = threads_[&thread];
    if (state.woken) {
        state.woken = false;
        return false;
    }
    return true;
}

void VirtualClock::wakeThread(Thread& thread) {
    LockGuard guard(lock_);
    const auto it = threads_.find(&thread);
    if (it == threads_.end()) {
        return;
    }
    it->second.woken = true;
    if (it->second.waiting) {
        it->second.waiting = false;
        it->second.released->set();
    }
}

void VirtualClock::waitIdle() {
    for (;;) {
        const bool idle = std::all_of(threads_.begin(), threads_.end(),
                                      [](const auto& entry) { return entry.second.waiting; });
        if (idle) {
            return;
        }
        lock_.release();
        const bool changed = changed_.wait(kIdleLimitMs);
        lock_.acquire();
        if (!changed) {
            test::Driver::fail("a worker thread stayed busy for 30 s without waiting on the clock");
        }
    }
}

bool VirtualClock::releaseDue() {
    bool released = false;
    for (auto& [thread, state] : threads_) {
        if (state.waiting && state.deadline <= tick_ + wallOffset_) {
            state.waiting = false;
            state.released->set();
            released = true;
        }
    }
    return released;
}

std::int64_t VirtualClock::tickOf(std::int64_t wallMs) const {
    // A wait without end stays without end.
    return wallMs >= kNever / 2 ? kNever : wallMs - wallOffset_;
}

std::int64_t VirtualClock::nextEvent() const {
    std::int64_t next = detail::timerQueue().nextDue().value_or(kNever);
    for (const auto& [thread, state] : threads_) {
        if (state.waiting) {
            next = std::min(next, tickOf(state.deadline));
        }
    }
    return next;
}

}  // namespace fw
