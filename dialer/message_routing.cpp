// Where the main window's commands, system-menu commands, timers and private messages go, and the
// controls its data exchange binds.
#include "dialer/about_dlg.h"
#include "dialer/dialer_app.h"
#include "dialer/dialer_dlg.h"
#include "resource.h"

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

bool CDialerDlg::onSysCommand(unsigned command) {
    // The system menu's own commands keep their usual meaning.
    if ((command & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
    }
    CAboutDlg about(this);
    about.doModal();
    return true;
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
        case TIMER_TASK_DUE:
            OnTaskDue();
            break;
        case TIMER_DISCONNECT_AFTER:
            OnDisconnectAfter();
            break;
        default:
            break;
    }
}

bool CDialerDlg::onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t& result) {
    // Registered at run time, so no case of the switch.
    if (message == m_nTaskbarCreated) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    switch (message) {
        case WM_DIAL_PROGRESS:
            OnDialProgress(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
            result = 0;
            return true;
        case WM_TRAY_NOTIFY:
            OnTrayNotify(static_cast<unsigned>(lParam));
            result = 0;
            return true;
        case WM_TASK_DUE:
            OnTaskDueNotice(static_cast<unsigned>(wParam));
            result = 0;
            return true;
        default:
            return false;
    }
}
