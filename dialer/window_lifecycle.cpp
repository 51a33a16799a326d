// The main window's life: construction (the tray frames), creation (tray icon, settings, tasks
// and the scheduler), initialisation (system menu, icon, tray menu), the start-up tick and the
// destruction sequence.
#include "dialer/dialer_dlg.h"
#include "dialer/keep_connection_dlg.h"
#include "dialer/settings/settings_store.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "resource.h"

namespace {

constexpr unsigned kStartupMs = 1;
constexpr unsigned kAutoDialMs = 4000;

}  // namespace

CDialerDlg::CDialerDlg(const ras::RemoteAccess& remoteAccess)
    : fw::Dialog(IDD_ONDREL_DIALOG), m_ras(remoteAccess) {
    // Tray frames 0 to 3: idle, the two dialing frames, connected.
    const int frames[] = {IDI_TRAY_IDLE, IDI_TRAY_DIALING_1, IDI_TRAY_DIALING_2,
                          IDI_TRAY_CONNECTED};
    for (int frame = 0; frame < 4; ++frame) {
        m_ahTrayIcons[frame] = fw::Icon::load(frames[frame]);
    }
}

bool CDialerDlg::onCreate() {
    // The tip is the title the dialog resource gave the window.
    TrayNotify(fw::TrayOp::add, kTrayIconId, m_ahTrayIcons[0]);
    // The defaults, which a missing file leaves as they are.
    m_settings = CSettings{};
    m_strEntryName.clear();
    m_strUserId.clear();
    m_strPassword.clear();
    // Every data file is read from and written to the folder the program started in.
    m_strProgramFolder = fw::currentDirectory();
    g_hMainWnd = handle();
    if (LoadSettings() == LoadResult::damaged) {
        fw::messageBox(this,
                       "The Ondrel.dat file has become corrupt and will deleted.\nOnce the file is "
                       "deleted, you will need to restart Ondrel. ",
                       "Error: Invalid Ondrel.dat File!", fw::mb::kOk | fw::mb::kIconExclamation);
        fw::deleteFile(kSettingsFile);
        return false;
    }
    LoadTasks();
    if (m_settings.m_bDialBySchedule != 0 && !m_aTasks.empty()) {
        StartScheduler();
    }
    setTimer(TIMER_STARTUP, kStartupMs);
    return true;
}

bool CDialerDlg::onInitDialog() {
    fw::Dialog::onInitDialog();
    const std::string about = fw::loadString(IDS_ABOUTBOX);
    if (!about.empty()) {
        fw::Menu menu = systemMenu();
        menu.appendSeparator();
        menu.appendItem(IDM_ABOUTBOX, about);
    }
    setIcon(fw::Icon::load(IDR_MAINFRAME));
    m_trayMenu.createPopup();
    m_trayMenu.appendItem(ID_TRAY_CONNECT, "Connect");
    m_trayMenu.appendItem(ID_TRAY_DISCONNECT, "Disconnect");
    m_trayMenu.appendSeparator();
    m_trayMenu.appendItem(IDC_OPTIONS, "Options...");
    m_trayMenu.appendItem(ID_TRAY_OPEN, "Open");
    // Nothing to disconnect yet.
    m_trayMenu.enableAt(1, false);
    return true;
}

void CDialerDlg::OnStartupTimer() {
    if (m_settings.m_bStartMinimized != 0) {
        minimize();  // which hides the window in the tray
    }
    if (m_settings.m_bAutoDial != 0) {
        setTimer(TIMER_AUTODIAL, kAutoDialMs);
    }
    killTimer(TIMER_STARTUP);
}

void CDialerDlg::onDestroy() {
    TrayNotify(fw::TrayOp::remove, kTrayIconId, m_ahTrayIcons[m_nTrayFrame]);
    // Before anything that can show a message box: a task that fired inside one would dial a call
    // that nothing hangs up once the program has ended. The task list is not written at the end.
    StopScheduler();
    // For the same reason no timer may start a dial (a start-up dial or a redial) or act on the
    // line inside one, and an attempt still under way goes on without the program: its reports
    // change nothing, so a failure cannot bring a redial back.
    for (const unsigned timer :
         {TIMER_AUTODIAL, TIMER_ANIMATE, TIMER_POLL, TIMER_TASK_DUE, TIMER_DISCONNECT_AFTER}) {
        killTimer(timer);
    }
    m_bDialing = 0;
    if (m_bConnected != 0) {
        CKeepConnectionDlg question(this);
        question.m_strQuestion = "You are currently connected to " + m_strEntryName +
                                 ", would you like to disconnect your connection?";
        if (question.doModal() == fw::kIdOk) {
            HangUpConnection();
        }
    }
    // With no entry ever chosen there is nothing worth keeping.
    if (m_settings.m_nCurrentEntry < m_settings.m_nEntryCount) {
        SaveSettingsFile();
    }
    // A process that ends while its line closes can leave the port busy.
    WaitForLineClosed();
}
