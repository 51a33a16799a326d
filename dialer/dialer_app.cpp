#include "dialer/dialer_app.h"

#include <memory>

#include "dialer/dialer_dlg.h"
#include "dialer/ras/remote_access.h"

CDialerApp theApp;

CDialerApp::CDialerApp() {
    title = "Ondrel";
    // A bare name: the program's folder is the current directory.
    helpFile = "Ondrel.hlp";
}

bool CDialerApp::initInstance() {
    const std::unique_ptr<ras::RemoteAccess> remoteAccess = ras::makeRemoteAccess();
    CDialerDlg dialog(*remoteAccess);
    mainWindow = &dialog;
    dialog.doModal();
    mainWindow = nullptr;
    // The program ends with its window.
    return false;
}
