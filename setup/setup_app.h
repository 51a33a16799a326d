// Setup's application object: shows the banner over the whole screen; the banner starts the
// wizard, which ends the program.
#pragma once

#include <functional>
#include <memory>

#include "framework/app.h"
#include "setup/main_frame.h"
#include "setup/setup_view.h"

class CSetupApp : public fw::App {
  public:
    // runWizard is what the banner starts when its animation has ended.
    explicit CSetupApp(std::function<void()> runWizard);
    bool initInstance() override;
    void exitInstance() override;

    // Made at start-up; the frame and its view live until the message loop ends. The banner
    // shows no data: there is no document.
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CSetupView> m_pView;

  private:
    std::function<void()> m_fnRunWizard;
};
