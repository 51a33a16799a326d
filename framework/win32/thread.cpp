// Time, threads, locks and events, with the calls every 32-bit Windows since 98 and NT 4 has:
// threads, critical sections, auto-reset events and waitable timers.
#include <windows.h>

#include <algorithm>

#include "sys.h"

namespace fw::sys {

namespace {

// From 1601-01-01 (file times) to 1970-01-01, in milliseconds.
constexpr std::int64_t kFileTimeTo1970Ms = 11'644'473'600'000;
// Deadlines beyond this wait without limit (year 30,000 or so: past any file time's reach).
constexpr std::int64_t kFarMs = std::int64_t{1} << 49;

struct ThreadStart {
    void (*entry)(void*);
    void* argument;
};

DWORD WINAPI threadEntry(LPVOID parameter) {
    const ThreadStart start = *static_cast<ThreadStart*>(parameter);
    delete static_cast<ThreadStart*>(parameter);
    start.entry(start.argument);
    return 0;
}

DWORD timeoutOf(std::int64_t ms) {
    return ms < 0 || ms >= INFINITE ? INFINITE : static_cast<DWORD>(ms);
}

}  // namespace

std::int64_t wallClockMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10'000) - kFileTimeTo1970Ms;
}

std::int64_t tickMs() {
    // GetTickCount wraps every 49.7 days; the wraps seen are counted (the windows' thread reads
    // it whenever a timer is armed or fires, far more often than that).
    static DWORD last = 0;
    static std::int64_t wraps = 0;
    const DWORD now = GetTickCount();
    if (now < last) {
        ++wraps;
    }
    last = now;
    return (wraps << 32) + now;
}

Handle startThread(void (*entry)(void*), void* argument) {
    auto* start = new ThreadStart{entry, argument};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, threadEntry, start, 0, &id);
    if (thread == nullptr) {
        delete start;
    }
    return thread;
}

void joinThread(Handle thread) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

void setCurrentThreadLowestPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
}

void sleep(std::int64_t ms) {
    Sleep(timeoutOf(ms));
}

Handle createLock() {
    auto* section = new CRITICAL_SECTION;
    InitializeCriticalSection(section);
    return section;
}

void destroyLock(Handle lock) {
    auto* section = static_cast<CRITICAL_SECTION*>(lock);
    DeleteCriticalSection(section);
    delete section;
}

void acquireLock(Handle lock) {
    EnterCriticalSection(static_cast<CRITICAL_SECTION*>(lock));
}

void releaseLock(Handle lock) {
    LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(lock));
}

Handle createEvent() {
    return CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

void destroyEvent(Handle event) {
    CloseHandle(event);
}

void setEvent(Handle event) {
    SetEvent(event);
}

bool waitEvent(Handle event, std::int64_t timeoutMs) {
    return WaitForSingleObject(event, timeoutOf(timeoutMs)) == WAIT_OBJECT_0;
}

bool waitEventUntil(Handle event, std::int64_t deadlineMs) {
    if (deadlineMs >= kFarMs) {
        return waitEvent(event, -1);
    }
    // A timer due at an absolute time (a positive file time, UTC) follows the clock when it is
    // set, and fires on resume when its time passed while the computer slept; a relative
    // timeout would do neither.
    HANDLE timer = CreateWaitableTimerA(nullptr, TRUE, nullptr);
    LARGE_INTEGER due;
    due.QuadPart = (std::max<std::int64_t>(deadlineMs, 0) + kFileTimeTo1970Ms) * 10'000;
    if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        // No timer: the relative wait is the best there is.
        if (timer != nullptr) {
            CloseHandle(timer);
        }
        return waitEvent(event, std::max<std::int64_t>(deadlineMs - wallClockMs(), 0));
    }
    const HANDLE handles[] = {event, timer};
    const DWORD woken = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    CloseHandle(timer);
    return woken == WAIT_OBJECT_0;
}

}  // namespace fw::sys
