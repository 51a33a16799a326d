#include "setup/setup_app.h"

#include <utility>

#include "resource.h"

CSetupApp::CSetupApp(std::function<void()> runWizard) : m_fnRunWizard(std::move(runWizard)) {
    title = "Setup";
}

// The platform gives dialogs their three-dimensional look by itself, and Setup keeps no settings
// and no recent files: start-up makes the frame and its view.
bool CSetupApp::initInstance() {
    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->create(title, IDR_MAINFRAME)) {
        return false;
    }
    m_pView = std::make_unique<CSetupView>(*m_pMainFrame, m_fnRunWizard);
    if (!m_pView->create(*m_pMainFrame)) {
        return false;
    }
    mainWindow = m_pMainFrame.get();
    m_pMainFrame->show();
    m_pMainFrame->update();
    return true;
}

void CSetupApp::exitInstance() {
    mainWindow = nullptr;
    m_pView.reset();
    m_pMainFrame.reset();
}
