#include "virtual_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "framework/test_driver.h"
#include "sys.h"
#include "timer_queue.h"

namespace fw {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// A thread that stays busy this long (real time) is stuck; the test cannot go on.
constexpr auto kIdleLimit = std::chrono::seconds(30);

}  // namespace

VirtualClock::VirtualClock(std::int64_t startMs, std::function<void()> afterMessage)
    : now_(startMs), afterMessage_(std::move(afterMessage)) {}

std::int64_t VirtualClock::nowMs() const {
    std::lock_guard lock(mutex_);
    return now_;
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
        const std::int64_t next = nextEvent();
        if (next > target) {
            break;
        }
        now_ = std::max(now_, next);
        if (releaseDue()) {
            continue;
        }
        const std::int64_t now = now_;
        lock.unlock();
        // Timers run on the windows' thread, which is this one.
        if (detail::timerQueue().fireNext(now)) {
            afterMessage_();
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
    } while (sys::deliverPosted(afterMessage_) > 0);
}

void VirtualClock::sleep(std::int64_t ms) {
    std::unique_lock lock(mutex_);
    const std::int64_t target = now_ + ms;
    waitIdle(lock);
    while (now_ < target) {
        std::int64_t next = target;
        for (const auto& [thread, state] : threads_) {
            if (state.waiting) {
                next = std::min(next, state.deadline);
            }
        }
        now_ = std::max(now_, next);
        releaseDue();
        waitIdle(lock);
    }
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
    const auto it = threads_.find(&thread);
    if (it == threads_.end()) {
        return;
    }
    it->second.woken = true;
    it->second.waiting = false;
    changed_.notify_all();
}

void VirtualClock::waitIdle(std::unique_lock<std::mutex>& lock) {
    const auto idle = [this] {
        return std::all_of(threads_.begin(), threads_.end(),
                           [](const auto& entry) { return entry.second.waiting; });
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
    std::int64_t next = detail::timerQueue().nextDue().value_or(kNever);
    for (const auto& [thread, state] : threads_) {
        if (state.waiting) {
            next = std::min(next, state.deadline);
        }
    }
    return next;
}

}  // namespace fw
