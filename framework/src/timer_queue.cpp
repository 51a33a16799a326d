#include "timer_queue.h"

#include <algorithm>

#include "host.h"
#include "sys.h"

namespace fw::detail {

void TimerQueue::set(Handle window, unsigned id, unsigned ms) {
    // The platform runs a timer of 0 ms at its shortest interval; never let one fire in place.
    const unsigned interval = std::max(ms, 1u);
    timers_[{window, id}] = Timer{host().tickMs() + interval, interval, nextOrder_++};
    arm();
}

void TimerQueue::kill(Handle window, unsigned id) {
    if (timers_.erase({window, id}) > 0) {
        arm();
    }
}

void TimerQueue::killAll(Handle window) {
    if (std::erase_if(timers_,
                      [window](const auto& entry) { return entry.first.first == window; }) > 0) {
        arm();
    }
}

bool TimerQueue::running(Handle window, unsigned id) const {
    return timers_.contains({window, id});
}

unsigned TimerQueue::interval(Handle window, unsigned id) const {
    const auto it = timers_.find({window, id});
    return it != timers_.end() ? it->second.interval : 0;
}

std::optional<std::int64_t> TimerQueue::nextDue() const {
    std::optional<std::int64_t> next;
    for (const auto& [key, timer] : timers_) {
        next = std::min(next.value_or(timer.due), timer.due);
    }
    return next;
}

bool TimerQueue::fireNext(std::int64_t now) {
    auto due = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Timer& timer = it->second;
        if (timer.due <= now &&
            (due == timers_.end() || timer.due < due->second.due ||
             (timer.due == due->second.due && timer.order < due->second.order))) {
            due = it;
        }
    }
    if (due == timers_.end()) {
        return false;
    }
    const auto [window, id] = due->first;
    // A late timer does not catch up: as on the platform, one tick however many were missed.
    due->second.due = now + due->second.interval;
    // The handler may set, kill or fire timers itself: nothing of the queue is held across it.
    sys::sendMessage(window, wm::kTimer, id, 0);
    return true;
}

void TimerQueue::fireDue() {
    const std::int64_t now = host().tickMs();
    while (fireNext(now)) {
    }
    arm();
}

void TimerQueue::arm() const {
    host().armTimer(nextDue());
}

TimerQueue& timerQueue() {
    static TimerQueue queue;
    return queue;
}

}  // namespace fw::detail
