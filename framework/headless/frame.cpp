// The frame window and its view. The frame has a sizing border, a caption and, with a menu, a menu
// bar around its client area, which the view always fills.
#include "framework/frame.h"

#include "sys.h"
#include "win_styles.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;

// The view's child id in its frame, by which the frame finds it.
constexpr int kViewId = 0xE900;
// The platform's sizes of a sizing border, a caption and a menu bar.
constexpr int kBorder = 4;
constexpr int kCaption = 19;
constexpr int kMenuBar = 19;
// Where the platform puts a new top-level window that leaves the choice to it: three quarters of
// the screen, in its top-left corner.
constexpr Rect kDefaultPlace{0, 0, 3 * headless::kScreenWidth / 4, 3 * headless::kScreenHeight / 4};

// As CreateWindow: the owner hears wm::kCreate, and refusing it (-1) destroys the window.
Handle create(std::unique_ptr<WindowNode> node, Handle parent, Window& owner) {
    node->owner = &owner;
    const Handle window = headless::addWindow(std::move(node), parent);
    detail::WindowAccess::setHandle(owner, window);
    bool handled = false;
    if (headless::dispatchToOwner(window, wm::kCreate, 0, 0, handled) == -1) {
        headless::destroyWindowTree(window);
        return nullptr;
    }
    return window;
}

}  // namespace

Handle createFrame(Window& owner, const std::string& caption, int menuId) {
    auto frame = std::make_unique<WindowNode>();
    frame->className = "FwFrame";
    frame->text = caption;
    frame->rect = kDefaultPlace;
    frame->nonClient = {kBorder, kBorder + kCaption + (menuId != 0 ? kMenuBar : 0), kBorder,
                        kBorder};
    return create(std::move(frame), nullptr, owner);
}

Handle createView(Window& owner, Handle frame) {
    auto view = std::make_unique<WindowNode>();
    view->className = "FwView";
    view->style = headless::style::kVisible;
    view->needsPaint = true;
    view->id = kViewId;
    view->rect = clientRect(frame);
    return create(std::move(view), frame, owner);
}

void moveWindow(Handle window, const Rect& rect, bool repaint) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    node->rect = rect;
    node->needsPaint = node->needsPaint || repaint;
    if (WindowNode* view = findWindow(dialogItem(window, kViewId))) {
        view->rect = clientRect(window);
        view->needsPaint = true;
    }
}

}  // namespace fw::sys
