#include "framework/frame.h"

#include "framework/app.h"
#include "sys.h"

namespace fw {

bool FrameWindow::create(const std::string& caption, int menuId) {
    return sys::createFrame(*this, caption, menuId) != nullptr;
}

void FrameWindow::moveWindow(const Rect& rect, bool repaint) {
    sys::moveWindow(handle(), rect, repaint);
}

bool FrameWindow::onCommand(int id, int /*code*/) {
    if (id != kCommandAppExit) {
        return false;
    }
    // As the close box does.
    sys::sendMessage(handle(), wm::kClose, 0, 0);
    return true;
}

void FrameWindow::onDestroy() {
    postQuit(0);
}

bool View::create(FrameWindow& frame) {
    frame_ = &frame;
    return sys::createView(*this, frame.handle()) != nullptr;
}

}  // namespace fw
