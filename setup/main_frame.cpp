#include "setup/main_frame.h"

#include "framework/gdi.h"
#include "resource.h"
#include "setup/about_dlg.h"

bool CMainFrame::onCreate() {
    moveWindow({0, 0, fw::screenWidth(), fw::screenHeight()}, true);
    return true;
}

bool CMainFrame::onCommand(int id, int code) {
    if (id != ID_APP_ABOUT) {
        return fw::FrameWindow::onCommand(id, code);
    }
    CSetupAboutDlg about(this);
    about.doModal();
    return true;
}
