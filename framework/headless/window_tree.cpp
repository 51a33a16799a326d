#include "window_tree.h"

#include <algorithm>

#include "framework/window.h"
#include "sys.h"
#include "win_styles.h"

namespace fw::headless {

namespace {

constexpr int kCaptionHeight = 19;
constexpr int kMenuBarHeight = 19;

// MulDiv: the product divided, rounded half away from zero.
int mulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

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
    // The window disappears first, taking the focus with it.
    if (isWithin(sys::focusedWindow(), handle)) {
        sys::setFocus(nullptr);
    }
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
    node->onDestroy();
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

void deliverSize(Handle window, int kind) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    Rect client = kind == kSizeMinimized ? Rect{} : clientArea(*node);
    auto size =
        static_cast<std::intptr_t>((client.width() & 0xFFFF) | ((client.height() & 0xFFFF) << 16));
    bool handled = false;
    dispatchToOwner(window, wm::kSize, static_cast<std::uintptr_t>(kind), size, handled);
}

Handle firstTabStop(const WindowNode& dialog) {
    constexpr std::uint32_t kMask = style::kTabStop | style::kVisible | style::kDisabled;
    for (Handle child : dialog.children) {
        if ((findWindow(child)->style & kMask) == (style::kTabStop | style::kVisible)) {
            return child;
        }
    }
    return nullptr;
}

bool isWithin(Handle window, Handle ancestor) {
    for (WindowNode* node = findWindow(window); node != nullptr; node = findWindow(node->parent)) {
        if (node->handle == ancestor) {
            return true;
        }
    }
    return false;
}

int dialogUnitsToPixelsX(int x) {
    return mulDiv(x, 6, 4);
}
int dialogUnitsToPixelsY(int y) {
    return mulDiv(y, 12, 8);
}

Insets nonClientInsets(const WindowNode& node) {
    int border = 0;
    if (node.style & style::kThickFrame) {
        border = 4;
    } else if (node.style & style::kDialogFrame) {
        border = 3;
    } else if (node.style & style::kBorder) {
        border = 1;
    }
    if (node.exStyle & style::kExClientEdge) {
        border += 2;
    }
    Insets insets{border, border, border, border};
    if ((node.style & style::kCaption) == style::kCaption) {
        insets.top += kCaptionHeight;
    }
    if (node.hasMenuBar) {
        insets.top += kMenuBarHeight;
    }
    return insets;
}

Rect screenRect(const WindowNode& node) {
    const WindowNode* parent = findWindow(node.parent);
    if (parent == nullptr) {
        return node.rect;
    }
    Point origin = clientOrigin(*parent);
    return {origin.x + node.rect.left, origin.y + node.rect.top, origin.x + node.rect.right,
            origin.y + node.rect.bottom};
}

Point clientOrigin(const WindowNode& node) {
    Rect outer = screenRect(node);
    Insets insets = nonClientInsets(node);
    return {outer.left + insets.left, outer.top + insets.top};
}

Rect clientArea(const WindowNode& node) {
    Insets insets = nonClientInsets(node);
    return {0, 0, std::max(0, node.rect.width() - insets.left - insets.right),
            std::max(0, node.rect.height() - insets.top - insets.bottom)};
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
