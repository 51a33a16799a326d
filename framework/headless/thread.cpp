// Time, threads, locks and events of the host system, for test programs: the virtual clock
// decides when the framework's threads run, and real time uses these.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "sys.h"

namespace fw::sys {

namespace {

struct EventObject {
    std::mutex mutex;
    std::condition_variable changed;
    bool set = false;
};

// Later deadlines wait without limit (they would overflow the clocks' nanoseconds).
constexpr std::int64_t kFarMs = std::int64_t{1} << 52;

// Waits until the event is set or, with a time, until that time; takes the signal.
template <class Clock>
bool waitFor(Handle event, const std::chrono::time_point<Clock>* until) {
    auto& object = *static_cast<EventObject*>(event);
    std::unique_lock lock(object.mutex);
    const auto isSet = [&object] { return object.set; };
    bool set = true;
    if (until == nullptr) {
        object.changed.wait(lock, isSet);
    } else {
        set = object.changed.wait_until(lock, *until, isSet);
    }
    object.set = false;
    return set;
}

}  // namespace

std::int64_t wallClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t tickMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Handle startThread(void (*entry)(void*), void* argument) {
    return new std::thread(entry, argument);
}

void joinThread(Handle thread) {
    auto* object = static_cast<std::thread*>(thread);
    object->join();
    delete object;
}

// Under test the virtual clock decides when threads run; their priority changes nothing.
void setCurrentThreadLowestPriority() {}

void sleep(std::int64_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Handle createLock() {
    return new std::mutex;
}

void destroyLock(Handle lock) {
    delete static_cast<std::mutex*>(lock);
}

void acquireLock(Handle lock) {
    static_cast<std::mutex*>(lock)->lock();
}

void releaseLock(Handle lock) {
    static_cast<std::mutex*>(lock)->unlock();
}

Handle createEvent() {
    return new EventObject;
}

void destroyEvent(Handle event) {
    delete static_cast<EventObject*>(event);
}

void setEvent(Handle event) {
    auto& object = *static_cast<EventObject*>(event);
    {
        std::lock_guard lock(object.mutex);
        object.set = true;
    }
    object.changed.notify_all();
}

bool waitEvent(Handle event, std::int64_t timeoutMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    return waitFor(event, timeoutMs < 0 || timeoutMs >= kFarMs ? nullptr : &until);
}

bool waitEventUntil(Handle event, std::int64_t deadlineMs) {
    const auto until = std::chrono::system_clock::time_point(
        std::chrono::milliseconds(std::min(deadlineMs, kFarMs)));
    return waitFor(event, deadlineMs >= kFarMs ? nullptr : &until);
}

}  // namespace fw::sys
