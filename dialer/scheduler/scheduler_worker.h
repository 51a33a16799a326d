// The scheduler's worker thread: it waits until the due time of the task the main window waits
// for, or until it is stopped, and then hands the firing to the main window's thread.
#pragma once

namespace fw {
class Thread;
}

// Sleeps until the second g_tDueTime begins or g_bSchedulerRun is cleared and the thread woken;
// when still running then, posts WM_TASK_DUE with g_nDueTimerId to g_hMainWnd.
void SchedulerThreadProc(fw::Thread& self);
