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
    while (g_bSchedulerRun != 0 && fw::nowMs() < dueMs) {
        // Woken before its time: the scheduler stops, or the thread object is going.
        if (!self.waitUntil(dueMs)) {
            return;
        }
    }
    if (g_bSchedulerRun != 0) {
        fw::postMessage(g_hMainWnd, WM_TASK_DUE, g_nDueTimerId, 0);
    }
}

void StartSchedulerWorker(std::unique_ptr<fw::Thread>& worker, std::int32_t dueTime) {
    StopSchedulerWorker(worker);
    g_nDueTimerId = TIMER_TASK_DUE;
    g_tDueTime = dueTime;
    g_bSchedulerRun = 1;
    worker = std::make_unique<fw::Thread>();
    worker->start(SchedulerThreadProc, fw::Thread::Priority::lowest);
}

void StopSchedulerWorker(std::unique_ptr<fw::Thread>& worker) {
    g_bSchedulerRun = 0;
    if (worker) {
        worker->wake();
        worker->join();
        worker.reset();
    }
}
