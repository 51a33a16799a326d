// The main window's construction, its data exchange, and the routing of its commands, timers and
// private messages to their handlers.
#include "dialer/dialer_dlg.h"

#include "dialer/dialer_app.h"
#include "resource.h"

CDialerDlg::CDialerDlg(ras::RemoteAccess& remoteAccess)
    : fw::Dialog(IDD_ONDREL_DIALOG), m_ras(remoteAccess) {
    // Tray frames 0 to 3: idle, the two dialing frames, connected.
    const int frames[] = {IDI_TRAY_IDLE, IDI_TRAY_DIALING_1, IDI_TRAY_DIALING_2,
                          IDI_TRAY_CONNECTED};
    for (int frame = 0; frame < 4; ++frame) {
        m_ahTrayIcons[frame] = fw::Icon::load(frames[frame]);
    }
}

void CDialerDlg::doDataExchange(fw::DataExchange& dx) {
    dx.text(IDC_STATUS, m_strStatus);
    dx.text(IDC_ENTRY_NAME, m_strEntryName);
    dx.text(IDC_PASSWORD, m_strPassword);
    dx.text(IDC_USER_ID, m_strUserId);
}

bool CDialerDlg::onCommand(int id, int /*code*/) {
    // Button 1 (OK) reaches OnConnect through onOK.
    switch (id) {
        case IDC_OPTIONS:
            OnOptions();
            return true;
        case ID_TRAY_CONNECT:
        case ID_TRAY_DISCONNECT:
            OnConnect();
            return true;
        case ID_TRAY_OPEN:
            OnTrayOpen();
            return true;
        case IDC_PROPERTIES:
            OnProperties();
            return true;
        case IDC_ERROR_DETAILS:
            OnErrorDetails();
            return true;
        case ID_HELP:
            theApp.help();
            return true;
        default:
            return false;
    }
}

void CDialerDlg::onTimer(unsigned id) {
    switch (id) {
        case TIMER_STARTUP:
            OnStartupTimer();
            break;
        case TIMER_AUTODIAL:
            OnAutoDialTimer();
            break;
        case TIMER_ANIMATE:
            OnAnimateTimer();
            break;
        case TIMER_POLL:
            OnPollTimer();
            break;
        default:
            break;
    }
}

bool CDialerDlg::onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t& result) {
    switch (message) {
        case WM_DIAL_PROGRESS:
            OnDialProgress(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
            result = 0;
            return true;
        case WM_TRAY_NOTIFY:
            OnTrayNotify(static_cast<unsigned>(lParam));
            result = 0;
            return true;
        default:
            return false;
    }
}
