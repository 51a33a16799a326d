// Scheduled dialing: the task list read at start and written after each firing, the worker that
// waits for the next task, the firing itself, and the disconnect-after limit with its warning.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "dialer/dialer_dlg.h"
#include "dialer/scheduler/disconnect_warning_dlg.h"
#include "dialer/scheduler/schedule_arithmetic.h"
#include "dialer/scheduler/scheduler_worker.h"
#include "dialer/scheduler/task_store.h"
#include "framework/clock.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "framework/save_file.h"

namespace {

// The name the start reads the file by; the platform's file names ignore case.
constexpr const char* kTasksFileAtStart = "tasks.dat";

constexpr unsigned kTaskDueMs = 1;
// A task that fires this long after its time has passed unseen (the program was not running):
// it moves on without dialing.
constexpr std::int64_t kLateSeconds = 120;

// A limit in milliseconds. The minutes are a positive count, as the Task Properties dialog takes
// them; beyond 71,582 minutes the interval is the longest a timer takes.
unsigned LimitMs(std::int32_t minutes) {
    constexpr std::uint64_t kMinuteMs = 60'000;
    const std::uint64_t ms = std::uint64_t{static_cast<std::uint32_t>(minutes)} * kMinuteMs;
    return static_cast<unsigned>(std::min<std::uint64_t>(ms, std::numeric_limits<unsigned>::max()));
}

}  // namespace

void CDialerDlg::LoadTasks() {
    std::optional<CTaskList> tasks;
    {
        fw::File file;
        try {
            file.open(kTasksFileAtStart, fw::FileMode::read);
        } catch (const fw::FileError&) {
            // No file, or none that may be read: no tasks, and nothing to say.
            return;
        }
        fw::Archive ar(file, fw::Archive::Mode::load);
        tasks = ReadTasks(ar);
    }
    if (tasks) {
        m_aTasks = std::move(*tasks);
        return;
    }
    // Closed by now, so that it can go.
    fw::messageBox(this, "The Tasks.dat file has become corrupt and will be deleted.\n",
                   "Error: Invalid Tasks.dat File!", fw::mb::kOk | fw::mb::kIconExclamation);
    fw::deleteFile(kTasksFile);
    m_aTasks.clear();
}

std::optional<fw::FileError> CDialerDlg::SaveTasks(const std::string& path,
                                                   const CTaskList& tasks) {
    return TryWriteDataFile(path, [&tasks](fw::Archive& ar) { WriteTasks(ar, tasks); });
}

void CDialerDlg::StartScheduler() {
    m_nNextTask = PickNextTask(m_aTasks);
    if (m_nNextTask < 0) {
        // Every task is disabled or none is left: no worker waits.
        StopSchedulerWorker(m_pSchedulerThread);
        return;
    }
    StartSchedulerWorker(m_pSchedulerThread,
                         m_aTasks[static_cast<std::size_t>(m_nNextTask)].m_timeNext);
}

void CDialerDlg::StopScheduler() {
    StopSchedulerWorker(m_pSchedulerThread);
    // A firing the worker handed over before it stopped is void: no task fires after a stop.
    discardPosted(WM_TASK_DUE);
    killTimer(TIMER_TASK_DUE);
}

void CDialerDlg::OnTaskDueNotice(unsigned timerId) {
    // The worker may not set a timer on a window of another thread; the window sets it here.
    setTimer(timerId, kTaskDueMs);
}

void CDialerDlg::OnTaskDue() {
    killTimer(TIMER_TASK_DUE);
    // The list has changed since the worker started: the task it waited for is gone.
    if (m_nNextTask < 0 || static_cast<std::size_t>(m_nNextTask) >= m_aTasks.size()) {
        return;
    }
    const auto at = static_cast<std::size_t>(m_nNextTask);
    CTasks& task = m_aTasks[at];
    MakeTaskEntryCurrent(task.m_strEntry);
    updateData(false);

    const std::int32_t due = task.m_timeNext;
    const bool keep = AdvanceTask(task);
    const bool late = fw::now() - due >= kLateSeconds;
    // A limit replaces one still running; a task without one leaves it running.
    if (task.m_bDisconnectAfter != 0 && !late) {
        setTimer(TIMER_DISCONNECT_AFTER, LimitMs(task.m_nMinutes));
    }
    if (!keep) {
        m_aTasks.erase(m_aTasks.begin() + m_nNextTask);
    }
    // The schedule goes on from the list whether or not its file could be written.
    const std::optional<fw::FileError> failed =
        SaveTasks(m_strProgramFolder + "\\" + kTasksFile, m_aTasks);
    StartScheduler();
    // A connection up stays as it is; a call under way is cancelled.
    if (m_bConnected == 0 && !late) {
        OnConnect();
    }
    // Only now, so that a box left unanswered holds up neither the call nor the next wait.
    if (failed) {
        fw::reportFileError(this, *failed);
    }
}

void CDialerDlg::MakeTaskEntryCurrent(const std::string& entryName) {
    // What the user typed stays with the entry that was current.
    updateData(true);
    StoreTypedAccount();
    m_settings.m_nCurrentEntry = m_settings.rememberEntry(entryName);
    ShowCurrentEntry();
}

void CDialerDlg::OnDisconnectAfter() {
    killTimer(TIMER_DISCONNECT_AFTER);
    // A limit that runs out during the countdown (a task fired inside it) is served by the
    // warning already up: a second one beneath would go on counting down after the user kept the
    // connection in the first, and hang up.
    if (m_bConnected == 0 || m_bWarningOpen != 0) {
        return;
    }
    CDisconnectWarningDlg warning(this);
    m_bWarningOpen = 1;
    const int result = warning.doModal();
    m_bWarningOpen = 0;
    // The line may have dropped during the countdown; then hanging up would dial again.
    if (result == fw::kIdCancel && m_bConnected != 0) {
        OnConnect();
    }
}
