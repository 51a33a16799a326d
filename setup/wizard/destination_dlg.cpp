#include "setup/wizard/destination_dlg.h"

#include "framework/file_dialog.h"
#include "framework/paths.h"
#include "resource.h"
#include "setup/wizard/cancel_setup_dlg.h"

CDestinationDlg::CDestinationDlg(fw::Window* parent)
    : fw::Dialog(IDD_DESTINATION, parent), m_strSourceFolder(fw::currentDirectory()) {}

void CDestinationDlg::doDataExchange(fw::DataExchange& dx) {
    dx.text(IDC_DEST_FOLDER, m_strDestFolder);
}

bool CDestinationDlg::onCommand(int id, int /*code*/) {
    switch (id) {
        case IDC_DEST_BACK:
            OnBack();
            return true;
        case IDC_BROWSE:
            OnBrowse();
            return true;
        default:
            return false;
    }
}

void CDestinationDlg::onCancel() {
    ConfirmCancelSetup(*this);
}

void CDestinationDlg::OnBack() {
    m_bBack = 1;
    endDialog(fw::kIdCancel);
}

// The user opens the folder wanted in the Open dialog and confirms the name it proposes; the
// folder is the chosen path up to its last backslash ("C:" in a drive's root).
void CDestinationDlg::OnBrowse() {
    fw::FileDialogRequest request;
    request.open = true;
    request.fileName = "install to";
    request.flags = fw::kOfnHideReadOnly;
    request.filter = "---- | *.* ||";
    const std::optional<std::string> chosen = fw::runFileDialog(this, request);
    // Browsing moves the current directory, where the files to install are found by bare names.
    fw::setCurrentDirectory(m_strSourceFolder);
    if (!chosen) {
        return;
    }
    m_strDestFolder = chosen->substr(0, chosen->find_last_of('\\'));
    updateData(false);
}
