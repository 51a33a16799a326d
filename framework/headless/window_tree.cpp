#include "window_tree.h"

#include <algorithm>

#include "framework/window.h"
#include "sys.h"

namespace fw::headless {

WindowNode* findWindow(Handle handle) {
    return find<WindowNode>(handle);
}

Handle addWindow(std::unique_ptr<WindowNode> node, Handle parent) {
    WindowNode* raw = node.get();
    Handle handle = addObject(std::move(node));
    raw->handle = handle;
    raw->parent = parent;
    if (WindowNode* parentNode = findWindow(parent)) {
        parentNode->children.push_back(handle);
    }
    return handle;
}

void destroyWindowTree(Handle handle) {
    WindowNode* node = findWindow(handle);
    if (node == nullptr || node->destroying) {
        return;
    }
    // Only this function removes windows, and it skips one being destroyed: node stays valid.
    node->destroying = true;
    std::vector<Handle> owned;
    forEachObject([handle, &owned](Handle other, Object& object) {
        auto* window = dynamic_cast<WindowNode*>(&object);
        if (window != nullptr && window->ownerWindow == handle) {
            owned.push_back(other);
        }
    });
    for (Handle other : owned) {
        destroyWindowTree(other);
    }
    bool handled = false;
    dispatchToOwner(handle, wm::kDestroy, 0, 0, handled);
    for (Handle child : std::vector<Handle>(node->children)) {
        destroyWindowTree(child);
    }
    if (node->owner != nullptr) {
        detail::WindowAccess::setHandle(*node->owner, nullptr);
    }
    if (node->systemMenu != nullptr) {
        removeObject(node->systemMenu);
    }
    if (WindowNode* parent = findWindow(node->parent)) {
        std::erase(parent->children, handle);
    }
    removeObject(handle);
}

std::intptr_t dispatchToOwner(Handle window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam, bool& handled) {
    handled = false;
    WindowNode* node = findWindow(window);
    if (node == nullptr || node->owner == nullptr) {
        return 0;
    }
    return node->owner->dispatch(message, wParam, lParam, handled);
}

void notifyParent(Handle control, int code) {
    WindowNode* node = findWindow(control);
    if (node == nullptr) {
        return;
    }
    auto command = static_cast<std::uintptr_t>((node->id & 0xFFFF) | (code & 0xFFFF) << 16);
    sys::sendMessage(node->parent, wm::kCommand, command, reinterpret_cast<std::intptr_t>(control));
}

Rect dialogUnitsToPixels(int x, int y, int cx, int cy) {
    const int left = x * 6 / 4;
    const int top = y * 12 / 8;
    return {left, top, left + cx * 6 / 4, top + cy * 12 / 8};
}

}  // namespace fw::headless

namespace fw::sys {

void destroyWindow(Handle window) {
    headless::destroyWindowTree(window);
}

void detachWindow(Handle window) {
    if (headless::WindowNode* node = headless::findWindow(window)) {
        node->owner = nullptr;
    }
    headless::destroyWindowTree(window);
}

}  // namespace fw::sys
