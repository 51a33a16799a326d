// Setup's only window: a frame with the File and Help menus over the whole screen. One of Setup's
// dialogs at a time stands in front of it, the About box or the wizard's pages, and while one does
// the frame stays: Exit and the close box do nothing, as closing would take the dialog's owner.
#pragma once

#include <functional>

#include "framework/frame.h"

class CMainFrame : public fw::FrameWindow {
  public:
    bool DialogUp() const { return m_bDialogUp; }
    // Runs show, which shows Setup's dialogs in front of the banner; nothing when one is up.
    void ShowInFront(const std::function<void()>& show);

  protected:
    bool onCreate() override;
    bool onCommand(int id, int code) override;
    bool onMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) override;

  private:
    bool m_bDialogUp = false;
};
