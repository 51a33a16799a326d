// The frame window and its view. The frame starts over the whole screen; the view always fills
// the frame's client area, and follows it before the frame hears of a new size.
#include "sys.h"
#include "win_styles.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;

// The view's child id in its frame.
constexpr int kViewId = 0xE900;

// As CreateWindow: the owner hears wm::kCreate and may refuse it (-1), which destroys the window
// without a wm::kDestroy; otherwise it hears its size and the window appears.
Handle create(std::unique_ptr<WindowNode> node, Handle parent, Window& owner) {
    node->owner = &owner;
    Handle window = headless::addWindow(std::move(node), parent);
    detail::WindowAccess::setHandle(owner, window);
    bool handled = false;
    if (headless::dispatchToOwner(window, wm::kCreate, 0, 0, handled) == -1) {
        detachWindow(window);
        detail::WindowAccess::setHandle(owner, nullptr);
        return nullptr;
    }
    headless::deliverSize(window, kSizeRestored);
    showWindow(window, Show::show);
    return findWindow(window) != nullptr ? window : nullptr;
}

}  // namespace

Handle createFrame(Window& owner, const std::string& caption, int menuId) {
    auto frame = std::make_unique<WindowNode>(WindowNode::Kind::frame);
    frame->className = "FwFrame";
    frame->text = caption;
    frame->style = headless::style::kOverlappedWindow;
    frame->hasMenuBar = menuId != 0;
    frame->rect = {0, 0, headless::kScreenWidth, headless::kScreenHeight};
    return create(std::move(frame), nullptr, owner);
}

Handle createView(Window& owner, Handle frame) {
    WindowNode* frameNode = findWindow(frame);
    if (frameNode == nullptr) {
        return nullptr;
    }
    auto view = std::make_unique<WindowNode>(WindowNode::Kind::view);
    view->className = "FwView";
    view->style = headless::style::kChild;
    view->id = kViewId;
    view->rect = headless::clientArea(*frameNode);
    return create(std::move(view), frame, owner);
}

void moveWindow(Handle window, const Rect& rect, bool repaint) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    bool resized = rect.width() != node->rect.width() || rect.height() != node->rect.height();
    node->rect = rect;
    if (repaint) {
        node->needsPaint = true;
    }
    if (!resized) {
        return;
    }
    if (node->kind == WindowNode::Kind::frame) {
        if (Handle view = dialogItem(window, kViewId)) {
            moveWindow(view, headless::clientArea(*node), true);
        }
    }
    headless::deliverSize(window, kSizeRestored);
}

}  // namespace fw::sys
