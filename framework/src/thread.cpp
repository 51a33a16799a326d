#include "framework/thread.h"

#include <chrono>

#include "host.h"
#include "sys.h"

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
    // A body that finished is joined here, so a worker can be started again.
    join();
    {
        std::lock_guard lock(mutex_);
        finished_ = false;
        woken_ = false;
    }
    detail::host().threadStarted(*this);
    thread_ = std::thread([this, priority, body = std::move(body)] {
        currentThread = this;
        if (priority == Priority::lowest) {
            sys::setCurrentThreadLowestPriority();
        }
        body(*this);
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        // Last: from here on a test may go on as if this thread had never been.
        detail::host().threadFinished(*this);
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
    return detail::host().waitThread(*this, deadlineMs);
}

void Thread::wake() {
    detail::host().wakeThread(*this);
}

}  // namespace fw

namespace fw::detail {

bool Host::waitThread(Thread& thread, std::int64_t deadlineMs) {
    std::unique_lock lock(thread.mutex_);
    const auto deadline =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(deadlineMs));
    const bool woken = thread.cv_.wait_until(lock, deadline, [&thread] { return thread.woken_; });
    thread.woken_ = false;
    return !woken;
}

void Host::wakeThread(Thread& thread) {
    std::lock_guard lock(thread.mutex_);
    thread.woken_ = true;
    thread.cv_.notify_all();
}

}  // namespace fw::detail
