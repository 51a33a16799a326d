#include "framework/thread.h"

#include <chrono>

#include "sys.h"
#include "virtual_clock.h"

namespace fw {

namespace {
thread_local Thread* currentThread = nullptr;
}

Thread* Thread::current() {
    return currentThread;
}

Thread::~Thread() {
    if (thread_.joinable()) {
        wake();
        thread_.join();
    }
}

void Thread::start(std::function<void(Thread&)> body, Priority priority) {
    {
        std::lock_guard lock(mutex_);
        finished_ = false;
        woken_ = false;
    }
    VirtualClock* clock = VirtualClock::active();
    if (clock != nullptr) {
        clock->threadStarted(*this);
    }
    thread_ = std::thread([this, clock, priority, body = std::move(body)] {
        currentThread = this;
        if (priority == Priority::lowest) {
            sys::setCurrentThreadLowestPriority();
        }
        body(*this);
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        // Last: from here on the test may go on as if this thread had never been.
        if (clock != nullptr) {
            clock->threadFinished(*this);
        }
    });
}

bool Thread::running() const {
    std::lock_guard lock(mutex_);
    return !finished_;
}

void Thread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool Thread::waitUntil(std::int64_t deadlineMs) {
    if (auto* clock = VirtualClock::active()) {
        return clock->waitThread(*this, deadlineMs);
    }
    std::unique_lock lock(mutex_);
    auto deadline = std::chrono::system_clock::time_point(std::chrono::milliseconds(deadlineMs));
    bool woken = cv_.wait_until(lock, deadline, [this] { return woken_; });
    woken_ = false;
    return !woken;
}

void Thread::wake() {
    if (auto* clock = VirtualClock::active()) {
        clock->wakeThread(*this);
        return;
    }
    std::lock_guard lock(mutex_);
    woken_ = true;
    cv_.notify_all();
}

}  // namespace fw
