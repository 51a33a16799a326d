#include "dialer/scheduler/scheduler_worker.h"

#include "dialer/dialer_dlg.h"
#include "framework/clock.h"
#include "framework/thread.h"
#include "framework/window.h"

std::atomic<std::int32_t> g_bSchedulerRun{1};
std::atomic<std::uint32_t> g_nDueTimerId{TIMER_TASK_DUE};
std::atomic<std::int32_t> g_tDueTime{0};

void SchedulerThreadProc(fw::Thread& self) {
    const std::int64_t dueMs = std::int64_t{g_tDueTime} * 1000;
    // A wait ends at the due time or when the thread is woken to stop.
    while (g_bSchedulerRun != 0 && fw::nowMs() < dueMs) {
        self.waitUntil(dueMs);
    }
    if (g_bSchedulerRun != 0) {
        fw::postMessage(g_hMainWnd, WM_TASK_DUE, g_nDueTimerId, 0);
    }
}
