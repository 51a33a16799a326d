// Setup's only window: a frame with the File and Help menus over the whole screen.
#pragma once

#include "framework/frame.h"

class CMainFrame : public fw::FrameWindow {
  protected:
    bool onCreate() override;
    bool onCommand(int id, int code) override;
};
