// The Connect command: one button that dials, cancels or hangs up, told apart by its text.
#include "dialer/dialer_dlg.h"
#include "framework/message_box.h"
#include "resource.h"

namespace {

constexpr const char* kConnectText = "Connect";
constexpr const char* kCancelCallText = "Cancel Call";
constexpr const char* kDisconnectedStatus = "Disconnected";

// The tray menu's items, by position.
constexpr int kTrayConnectPosition = 0;
constexpr int kTrayDisconnectPosition = 1;

constexpr unsigned kAnimateMs = 500;

}  // namespace

void CDialerDlg::OnConnect() {
    // While a redial is pending the button reads "Cancel Call", but the timer's request dials.
    const bool waiting = item(fw::kIdOk).text() == kCancelCallText;
    if (waiting && m_bRedialRequest == 0) {
        CancelCall();
    } else if (m_bConnected != 0) {
        HangUp();
    } else if (!Dial()) {
        // A redial that cannot start (its entry was cleared, the settings cannot be saved) leaves
        // nothing pending: the window is idle again, as after a cancel.
        if (!waiting) {
            return;
        }
        m_bRedialRequest = 0;
        CancelCall();
    }
    updateData(false);
}

void CDialerDlg::CancelCall() {
    m_strStatus = kDisconnectedStatus;
    m_bCancelled = 1;
    m_bDialing = 0;
    for (const unsigned timer :
         {TIMER_AUTODIAL, TIMER_ANIMATE, TIMER_POLL, TIMER_DISCONNECT_AFTER}) {
        killTimer(timer);
    }
    // The title and the tray icon keep what the attempt last showed.
    ShowIdleControls();
    HangUpConnection();
}

void CDialerDlg::HangUp() {
    HangUpConnection();
    m_bDialing = 0;
    setText(kIdleTitle);
    m_strStatus = kDisconnectedStatus;
    // The animation's frame is kept, so the next dial goes on from where it stood.
    TrayNotify(fw::TrayOp::modify, kTrayIconId, m_ahTrayIcons[0]);
    m_bConnected = 0;
    ShowIdleControls();
    killTimer(TIMER_POLL);
    killTimer(TIMER_DISCONNECT_AFTER);
}

bool CDialerDlg::Dial() {
    if (!updateData(true)) {
        return false;
    }
    if (!ras::CheckRemoteAccess(m_ras, this)) {
        return false;
    }
    if (m_strEntryName.empty()) {
        fw::messageBox(this,
                       "You must select a dial-up connection to dial.\nClick Options, then choose "
                       "a connection from the drop down box.",
                       "Error: No Connection Selected", fw::mb::kOk | fw::mb::kIconExclamation);
        return false;
    }
    if (m_settings.m_bSaveUserAndPassword != 0 && !SaveSettingsFile()) {
        return false;
    }
    item(IDC_USER_ID).enable(false);
    item(IDC_PASSWORD).enable(false);
    // A dial by hand drops a pending start-up dial; a redial's timer has stopped already.
    killTimer(TIMER_AUTODIAL);
    ras::DialParams params = ras::makeDialParams(m_strEntryName, m_strUserId, m_strPassword);
    WaitForLineClosed();
    m_hRasConn = nullptr;
    g_hMainWnd = handle();
    // Reports still queued belong to attempts that are over.
    discardPosted(WM_DIAL_PROGRESS);
    m_bDialing = 1;
    const ras::DialFunc notifier = &RasDialNotifier;
    const ras::Dword refused = m_ras.RasDialA(nullptr, nullptr, ras::platformRecord(&params), 0,
                                              reinterpret_cast<void*>(notifier), &m_hRasConn);
    // A refused dial may still have stored a handle, which must be hung up.
    if (refused != ras::kSuccess) {
        HangUpConnection();
    }
    // A service that cannot dial at all is as good as none.
    if (ras::IsStub(refused)) {
        m_bDialing = 0;
        item(IDC_USER_ID).enable(true);
        item(IDC_PASSWORD).enable(true);
        ras::ReportMissing(this);
        return false;
    }
    item(fw::kIdOk).setText(kCancelCallText);
    m_bRedialRequest = 0;
    m_bCancelled = 0;
    EnableTrayMenu(false);
    setTimer(TIMER_ANIMATE, kAnimateMs);
    // No report will ever come for a refused dial: it fails here as a reported failure would,
    // so that it is redialed or ends, never left dialing.
    if (refused != ras::kSuccess) {
        OnDialProgress(ras::kOpenPort, refused);
    }
    return true;
}

void CDialerDlg::ShowIdleControls() {
    item(fw::kIdOk).setText(kConnectText);
    item(IDC_USER_ID).enable(true);
    item(IDC_PASSWORD).enable(true);
    EnableTrayMenu(true);
}

void CDialerDlg::EnableTrayMenu(bool connectEnabled) {
    m_trayMenu.enableAt(kTrayConnectPosition, connectEnabled);
    m_trayMenu.enableAt(kTrayDisconnectPosition, !connectEnabled);
}

void CDialerDlg::OnAutoDialTimer() {
    killTimer(TIMER_AUTODIAL);
    // A dial under way or a connection leaves nothing for the start-up dial to do.
    if (m_bDialing != 0 || m_bConnected != 0) {
        return;
    }
    m_bRedialRequest = 1;
    OnConnect();
}
