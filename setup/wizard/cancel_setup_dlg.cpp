#include "setup/wizard/cancel_setup_dlg.h"

#include "resource.h"

CCancelSetupDlg::CCancelSetupDlg(fw::Window* parent) : fw::Dialog(IDD_CANCEL_SETUP, parent) {}

void ConfirmCancelSetup(fw::Dialog& page) {
    CCancelSetupDlg prompt(&page);
    if (prompt.doModal() != fw::kIdOk) {
        page.endDialog(fw::kIdCancel);
    }
}
