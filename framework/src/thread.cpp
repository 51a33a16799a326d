#include "framework/thread.h"

#include "host.h"
#include "sys.h"

namespace fw {

namespace {
thread_local Thread* currentThread = nullptr;
}

Lock::Lock() : lock_(sys::createLock()) {}

Lock::~Lock() {
    sys::destroyLock(lock_);
}

void Lock::acquire() {
    sys::acquireLock(lock_);
}

void Lock::release() {
    sys::releaseLock(lock_);
}

Event::Event() : event_(sys::createEvent()) {}

Event::~Event() {
    sys::destroyEvent(event_);
}

void Event::set() {
    sys::setEvent(event_);
}

bool Event::wait(std::int64_t timeoutMs) {
    return sys::waitEvent(event_, timeoutMs);
}

Thread* Thread::current() {
    return currentThread;
}

Thread::~Thread() {
    if (thread_ != nullptr) {
        wake();
        join();
    }
}

void Thread::start(std::function<void(Thread&)> body, Priority priority) {
    // A body that finished is joined here, so a worker can be started again.
    join();
    {
        LockGuard guard(lock_);
        finished_ = false;
    }
    // A wake meant for the body before is no stop request for this one.
    woken_.wait(0);
    body_ = std::move(body);
    priority_ = priority;
    detail::host().threadStarted(*this);
    thread_ = sys::startThread(&Thread::run, this);
    if (thread_ == nullptr) {
        LockGuard guard(lock_);
        finished_ = true;
        detail::host().threadFinished(*this);
    }
}

void Thread::run(void* argument) {
    auto& self = *static_cast<Thread*>(argument);
    currentThread = &self;
    if (self.priority_ == Priority::lowest) {
        sys::setCurrentThreadLowestPriority();
    }
    self.body_(self);
    {
        LockGuard guard(self.lock_);
        self.finished_ = true;
    }
    // Last: from here on a test may go on as if this thread had never been.
    detail::host().threadFinished(self);
}

bool Thread::running() const {
    LockGuard guard(lock_);
    return !finished_;
}

void Thread::join() {
    if (thread_ != nullptr) {
        sys::joinThread(thread_);
        thread_ = nullptr;
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
    return !sys::waitEventUntil(thread.woken_.event_, deadlineMs);
}

void Host::wakeThread(Thread& thread) {
    thread.woken_.set();
}

void Host::sleep(std::int64_t ms) {
    sys::sleep(ms);
}

}  // namespace fw::detail
