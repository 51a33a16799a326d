// The single-document frame: a top-level window with a menu, and the view that fills its client
// area.
#pragma once

#include <string>

#include "framework/window.h"

namespace fw {

// The program's main window. Its menu's commands come to it; the application exit command closes
// it, and closing it ends the program (exit code 0).
class FrameWindow : public Window {
  public:
    // Creates the frame, hidden, at the platform's default place, with this caption and menu
    // resource.
    bool create(const std::string& caption, int menuId);
    // Moves the frame to a rectangle on the screen; repaint redraws it at once.
    void moveWindow(const Rect& rect, bool repaint);

  protected:
    bool onCommand(int id, int code) override;
    void onDestroy() override;
};

// A child of the frame that always covers the frame's client area.
class View : public Window {
  public:
    // Creates the view, visible, in the frame's client area.
    bool create(FrameWindow& frame);
    FrameWindow* frame() const { return frame_; }

  private:
    FrameWindow* frame_ = nullptr;
};

// The frame's standard command that ends the program.
constexpr int kCommandAppExit = 0xE141;

}  // namespace fw
