#include "setup/wizard/welcome_dlg.h"

#include "resource.h"
#include "setup/wizard/cancel_setup_dlg.h"

CWelcomeDlg::CWelcomeDlg(fw::Window* parent) : fw::Dialog(IDD_WELCOME, parent) {}

void CWelcomeDlg::onCancel() {
    ConfirmCancelSetup(*this);
}
