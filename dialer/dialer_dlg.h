// The dialer's main window: the settings record with the current entry's fields, dialing and the
// connection state, and the tray icon with its menu.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialer/ras/remote_access.h"
#include "dialer/scheduler/task_record.h"
#include "dialer/settings/settings_record.h"
#include "framework/archive.h"
#include "framework/dialog.h"
#include "framework/file_error.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "framework/shell.h"
#include "framework/thread.h"

// Private messages of the main window.
constexpr unsigned WM_DIAL_PROGRESS = 0x0065;  // wParam: connection state, lParam: error
constexpr unsigned WM_TRAY_NOTIFY = 0x8064;    // the tray icon's callback; lParam: mouse message
// The scheduler's worker: the task the main window waits for is due (wParam: the timer to set).
constexpr unsigned WM_TASK_DUE = 0x8065;

// Main-window timers.
constexpr unsigned TIMER_STARTUP = 1;
constexpr unsigned TIMER_AUTODIAL = 2;
constexpr unsigned TIMER_ANIMATE = 3;
constexpr unsigned TIMER_POLL = 4;
constexpr unsigned TIMER_TASK_DUE = 5;
constexpr unsigned TIMER_DISCONNECT_AFTER = 6;

// The tray icon's id.
constexpr unsigned kTrayIconId = 128;
constexpr const char* kIdleTitle = "Ondrel v1.3 (Not Connected)";

// Shared with the threads that post to the main window: the RAS notification thread and the
// scheduler's worker, which waits until g_tDueTime or until g_bSchedulerRun is cleared and then
// asks for timer g_nDueTimerId.
extern std::atomic<fw::Handle> g_hMainWnd;
extern std::atomic<std::int32_t> g_bSchedulerRun;
extern std::atomic<std::uint32_t> g_nDueTimerId;
extern std::atomic<std::int32_t> g_tDueTime;

// Hands a dial's progress to the main window (runs on the service's thread).
void RASAPI_CALL RasDialNotifier(unsigned message, ras::ConnState state, ras::Dword error);

class COptionsDlg;

class CDialerDlg : public fw::Dialog {
  public:
    // The service must outlive the window.
    explicit CDialerDlg(const ras::RemoteAccess& remoteAccess);

    // What LoadSettings found in "Ondrel.dat"; loaded, the current entry's fields show it.
    enum class LoadResult { loaded, absent, damaged };
    LoadResult LoadSettings();
    // Writes the record, with what the user typed for the current entry, into an archive open
    // for storing.
    void SaveSettings(fw::Archive& ar);
    // Writes "Ondrel.dat" in full or not at all; a failure is shown in the file-error box and
    // returns false.
    bool SaveSettingsFile();
    // The same with a record that is to become the window's once the file holds it.
    bool SaveSettingsFile(const CSettings& settings);

    // Reads "tasks.dat" into m_aTasks; a damaged file is reported and deleted, and the start goes
    // on with no tasks.
    void LoadTasks();
    // Writes the task list to this file in full or not at all. Returns the error when it could not
    // be written, for the caller to report.
    std::optional<fw::FileError> SaveTasks(const std::string& path, const CTaskList& tasks);
    // Waits for the next enabled task on a worker thread (none when every task is disabled).
    void StartScheduler();
    // Stops the worker and waits for its end; a due notice it left is dropped.
    void StopScheduler();

    // Adds, changes or removes the tray icon, its tip the window title.
    BOOL TrayNotify(fw::TrayOp operation, unsigned id, const fw::Icon& icon);

    // The OK command: dial, cancel or hang up, by the text of button 1.
    void OnConnect();

    // Members, in declaration order.
    BOOL m_bConnected = 0;
    BOOL m_bRedialRequest = 0;
    BOOL m_bCancelled = 0;
    // The attempt or connection under way; null once hung up.
    ras::Connection m_hRasConn = nullptr;
    fw::Menu m_trayMenu;
    // The options and the remembered entries, as "Ondrel.dat" keeps them.
    CSettings m_settings;
    std::string m_strErrorText;
    std::uint32_t m_dwLastError = 0;
    std::string m_strProgramFolder;
    std::string m_strStatus = "Disconnected";
    std::string m_strEntryName;
    std::string m_strPassword;
    std::string m_strUserId;
    fw::Icon m_ahTrayIcons[4];
    std::int32_t m_nTrayFrame = 0;
    BOOL m_bTrayReverse = 0;
    // The task list, the index of the task the worker waits for, and the worker.
    CTaskList m_aTasks;
    std::int32_t m_nNextTask = -1;
    std::unique_ptr<fw::Thread> m_pSchedulerThread;

  protected:
    bool onCreate() override;
    bool onInitDialog() override;
    void onDestroy() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override { OnConnect(); }
    bool onCommand(int id, int code) override;
    void onTimer(unsigned id) override;
    bool onSysCommand(unsigned command) override;
    void onSize(int kind, int width, int height) override;
    bool onPaint(fw::DrawContext& dc) override;
    fw::Handle onQueryDragIcon() override;
    bool onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) override;

  private:
    // Dialing (connect_command.cpp, dial_progress.cpp).
    void CancelCall();
    void HangUp();
    // Hangs up m_hRasConn, if any, and forgets it: it may not be used again. Its line goes on
    // closing for a while (hang_up.cpp).
    void HangUpConnection();
    // Before the port is dialed again or the program ends: waits until the line hung up last has
    // closed, at most 3 s after its hang-up.
    void WaitForLineClosed();
    // False when it stopped before dialing (no entry chosen, or the settings not saved).
    bool Dial();
    void OnDialProgress(std::uint32_t state, std::uint32_t error);
    void OnAutoDialTimer();
    void OnPollTimer();
    // Back to idle after a hang-up, a cancel or a final failure.
    void ShowIdleControls();
    // The tray menu's Connect and Disconnect follow the state.
    void EnableTrayMenu(bool connectEnabled);

    // The current entry's list record takes what the user typed (settings_file.cpp).
    void StoreTypedAccount();
    // The fields show the current entry's name, account ID and password from the lists; with no
    // current entry, nothing.
    void ShowCurrentEntry();
    // Writes one of the program's files in full or not at all; a failure is shown in the
    // file-error box and returns false.
    bool WriteDataFile(const std::string& name, const std::function<void(fw::Archive&)>& write);
    // The same, with the report left to the caller: the error, if any.
    static std::optional<fw::FileError> TryWriteDataFile(
        const std::string& name, const std::function<void(fw::Archive&)>& write);

    // Start-up and the tray (window_lifecycle.cpp, tray.cpp).
    void OnStartupTimer();
    void OnAnimateTimer();
    void OnTrayNotify(unsigned mouseMessage);
    void OnTrayOpen();
    void OnTaskbarCreated();

    // After connecting, entry properties, error details (after_connect.cpp).
    void StartProgramAndSound();
    void OnProperties();
    void OnErrorDetails();

    // The Options dialog, and what its OK makes of the settings (options_command.cpp).
    void OnOptions();
    // What the dialog's OK changes: the settings, the task list and the start-up shortcut, each
    // once its file is written. False after a file error, which has been reported.
    bool ApplyOptions(const COptionsDlg& options);

    // Scheduled dialing (dialer/scheduler/scheduled_dialing.cpp). The worker's notice sets the
    // timer it names; timer 5 fires the task, timer 6 ends its disconnect-after limit.
    void OnTaskDueNotice(unsigned timerId);
    void OnTaskDue();
    void OnDisconnectAfter();
    // The task's entry becomes the current one, remembered from now on if it was not.
    void MakeTaskEntryCurrent(const std::string& entryName);

    const ras::RemoteAccess& m_ras;
    // The Options dialog is up.
    BOOL m_bOptionsOpen = 0;
    // The Disconnection Warning is up.
    BOOL m_bWarningOpen = 0;
    // The frame the tray icon shows, or null once the icon was removed.
    const fw::Icon* m_pTrayIcon = nullptr;
    // The shell's message that its taskbar was created again: the shell restarted and forgot the
    // icons of the notification area.
    const unsigned m_nTaskbarCreated = fw::registerMessage("TaskbarCreated");
    // An attempt runs and its reports are awaited.
    BOOL m_bDialing = 0;
    // The connection hung up last, while its line may still be closing, and when it was hung up.
    ras::Connection m_hClosingConn = nullptr;
    std::int64_t m_nHangUpMs = 0;
};
