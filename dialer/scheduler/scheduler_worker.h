// The scheduler's worker thread: it waits until the due time of the task the main window waits
// for, or until it is stopped, and then hands the firing to the main window's thread.
#pragma once

#include <cstdint>
#include <memory>

namespace fw {
class Thread;
}

// Sleeps until the second g_tDueTime begins, or until it is woken to stop; when g_bSchedulerRun
// is still set at the due time, posts WM_TASK_DUE with g_nDueTimerId to g_hMainWnd.
void SchedulerThreadProc(fw::Thread& self);

// The user-interface thread owns the worker through these two. Start makes a worker that waits
// for dueTime at the lowest priority; the worker before it, if any, is stopped and joined first,
// so at most one waits and none is freed while it still runs.
void StartSchedulerWorker(std::unique_ptr<fw::Thread>& worker, std::int32_t dueTime);
// Clears g_bSchedulerRun, wakes the worker and waits for its end, then frees it. A notice it
// posted before the stop is the window's to drop.
void StopSchedulerWorker(std::unique_ptr<fw::Thread>& worker);
