#include "dialer/scheduler/disconnect_warning_dlg.h"

#include "resource.h"

namespace {

// The dialog's own countdown timer.
constexpr unsigned kCountdownTimer = 1;
constexpr unsigned kCountdownMs = 1000;

}  // namespace

CDisconnectWarningDlg::CDisconnectWarningDlg(fw::Window* parent)
    : fw::Dialog(IDD_DISCONNECT_WARNING, parent) {}

bool CDisconnectWarningDlg::onInitDialog() {
    fw::Dialog::onInitDialog();
    setTimer(kCountdownTimer, kCountdownMs);
    return true;
}

void CDisconnectWarningDlg::doDataExchange(fw::DataExchange& dx) {
    dx.text(IDC_SECONDS_LEFT, m_strSecondsLeft);
}

void CDisconnectWarningDlg::onTimer(unsigned /*id*/) {
    // The first tick shows 20 again and the 21st ends the countdown: 21 seconds in all.
    if (m_nSecondsLeft == 0) {
        killTimer(kCountdownTimer);
        endDialog(fw::kIdCancel);
    }
    m_strSecondsLeft = std::to_string(m_nSecondsLeft) + " Seconds";
    updateData(false);
    --m_nSecondsLeft;
}
