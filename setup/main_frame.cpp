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
    ShowInFront([this] {
        CSetupAboutDlg about(this);
        about.doModal();
    });
    return true;
}

// Exit closes the frame as the close box does.
bool CMainFrame::onMessage(unsigned message, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/,
                           std::intptr_t& /*result*/) {
    return message == fw::wm::kClose && m_bDialogUp;
}

void CMainFrame::ShowInFront(const std::function<void()>& show) {
    if (m_bDialogUp) {
        return;
    }
    m_bDialogUp = true;
    show();
    m_bDialogUp = false;
}
