#include "framework/frame.h"

#include "sys.h"

namespace fw {

bool FrameWindow::create(const std::string& caption, int menuId) {
    return sys::createFrame(*this, caption, menuId) != nullptr;
}

void FrameWindow::moveWindow(const Rect& rect, bool repaint) {
    sys::moveWindow(handle(), rect, repaint);
}

bool View::create(FrameWindow& frame) {
    frame_ = &frame;
    return sys::createView(*this, frame.handle()) != nullptr;
}

}  // namespace fw
