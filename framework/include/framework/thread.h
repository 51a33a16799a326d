// Worker threads that wait on the clock, and the locks and events between threads: on Windows the
// platform's own threads, critical sections, events and waitable timers. Every wait of a worker
// goes through its own object, so a stop request wakes it at once and, under test, the virtual
// clock knows when it is idle.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/types.h"

namespace fw {

namespace detail {
class Host;
}

// Mutual exclusion between threads.
class Lock {
  public:
    Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock();

    void acquire();
    void release();

  private:
    Handle lock_;
};

// Holds a lock for its own lifetime.
class LockGuard {
  public:
    explicit LockGuard(Lock& lock) : lock_(lock) { lock_.acquire(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
    ~LockGuard() { lock_.release(); }

  private:
    Lock& lock_;
};

// A signal one thread waits for and others give: it stays set until a wait takes it.
class Event {
  public:
    Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    ~Event();

    void set();
    // True when set, false when timeoutMs passed first; a negative time waits without limit.
    bool wait(std::int64_t timeoutMs = -1);

  private:
    friend class detail::Host;
    Handle event_;
};

class Thread {
  public:
    enum class Priority { normal, lowest };

    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // Wakes and joins a thread still running.
    ~Thread();

    // Starts body on a new thread. A body that is still running must have been stopped first:
    // start waits for it to end.
    void start(std::function<void(Thread&)> body, Priority priority = Priority::normal);
    bool running() const;
    // Waits without a time limit until the thread has ended.
    void join();

    // Called by the body: blocks until the wall clock reaches deadlineMs (true) or wake() was
    // called (false). A wake before the wait makes the next wait return false at once.
    bool waitUntil(std::int64_t deadlineMs);
    // Called by any thread: ends the current or next wait.
    void wake();

    // The framework thread running the caller, or null.
    static Thread* current();

  private:
    friend class detail::Host;
    static void run(void* thread);

    std::function<void(Thread&)> body_;
    Priority priority_ = Priority::normal;
    Handle thread_ = nullptr;
    mutable Lock lock_;
    bool finished_ = true;
    // Set by wake(); the platform's waits end on it.
    Event woken_;
};

}  // namespace fw
