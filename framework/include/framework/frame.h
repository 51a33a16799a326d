// The single-document frame and its view: a top-level window with a menu, and a child that
// fills its client area.
#pragma once

#include <string>

#include "framework/window.h"

namespace fw {

class FrameWindow : public Window {
  public:
    // Creates and shows the frame with this caption and menu resource (0 for none).
    bool create(const std::string& caption, int menuId);
    void moveWindow(const Rect& rect, bool repaint);
};

class View : public Window {
  public:
    // Creates the view as the frame's client.
    bool create(FrameWindow& frame);
    FrameWindow* frame() const { return frame_; }

  private:
    FrameWindow* frame_ = nullptr;
};

// Standard commands of the frame's menu.
constexpr unsigned kCommandAppExit = 0xE141;
constexpr unsigned kCommandAppAbout = 0xE140;

}  // namespace fw
