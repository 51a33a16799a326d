// Worker threads that wait on the clock. Every wait goes through the thread's own object, so
// a stop request wakes it at once and, under test, the virtual clock knows when it is idle.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace fw {

namespace detail {
class Host;
}

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

    // Called by the body: blocks until the clock reaches deadlineMs (true) or wake() was
    // called (false). A wake before the wait makes the next wait return false at once.
    bool waitUntil(std::int64_t deadlineMs);
    // Called by any thread: ends the current or next wait.
    void wake();

    // The framework thread running the caller, or null.
    static Thread* current();

  private:
    // The platform's host waits and wakes on the thread's own condition.
    friend class detail::Host;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool woken_ = false;
    bool finished_ = true;
};

}  // namespace fw
