#include "setup/install/copying_dlg.h"

#include "resource.h"
#include "setup/wizard/cancel_setup_dlg.h"

namespace {
// The dialog is on screen for this long before the run holds it.
constexpr unsigned kStartAfterMs = 500;
}  // namespace

CCopyingDlg::CCopyingDlg(fw::Window* parent) : fw::Dialog(IDD_COPYING, parent) {}

void CCopyingDlg::doDataExchange(fw::DataExchange& dx) {
    dx.control(IDC_PROGRESS, m_progress);
    dx.text(IDC_DEST_LINE, m_strDestLine);
    dx.text(IDC_SOURCE_LINE, m_strSourceLine);
    dx.text(IDC_PERCENT, m_strPercent);
}

bool CCopyingDlg::onCreate() {
    setTimer(TIMER_INSTALL, kStartAfterMs);
    return true;
}

void CCopyingDlg::onTimer(unsigned id) {
    if (id == TIMER_INSTALL) {
        InstallRun();
    }
}

// Also while the run has not begun, and once it stalled. The timer goes on while the prompt is
// open: a run that completes behind it still ends with the user's answer.
void CCopyingDlg::onCancel() {
    ConfirmCancelSetup(*this);
}

void CCopyingDlg::ShowProgress() {
    updateData(false);
    update();
}

void CCopyingDlg::StepProgress() {
    m_progress.stepIt();
    update();
}
