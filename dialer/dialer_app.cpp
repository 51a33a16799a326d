#include "dialer/dialer_app.h"

#include "dialer/dialer_dlg.h"
#include "dialer/ras/remote_access.h"

CDialerApp theApp;

CDialerApp::CDialerApp() {
    title = "Ondrel";
    // A bare name: the program's folder is the current directory.
    helpFile = "Ondrel.hlp";
}

bool CDialerApp::initInstance() {
    // Without the service the program still starts: its entry lists are empty and the commands
    // that need it say so.
    const ras::RemoteAccess remoteAccess = ras::LoadRemoteAccess();
    CDialerDlg dialog(remoteAccess);
    mainWindow = &dialog;
    dialog.doModal();
    mainWindow = nullptr;
    // The program ends with its window.
    return false;
}
