// Text, enabled state, show state and geometry of the headless windows, with the platform's
// rules for each.
#include <cstdint>

#include "sys.h"
#include "win_styles.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;
namespace style = headless::style;

// EN_UPDATE: an edit's new text is about to show.
constexpr int kEditUpdate = 0x0400;

// A window that appears is painted.
void makeVisible(WindowNode& node) {
    if (!(node.style & style::kVisible)) {
        node.style |= style::kVisible;
        node.needsPaint = true;
    }
}

}  // namespace

std::string windowText(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->windowText() : std::string();
}

// A single-line edit reports new text to its parent as typing would, even when the program set it.
void setWindowText(Handle window, const std::string& text) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    node->setWindowText(text);
    if (node->className == "Edit" && !(node->style & style::kEsMultiline)) {
        headless::notifyParent(window, kEditUpdate);
        headless::notifyParent(window, kEditChange);
    }
}

void enableWindow(Handle window, bool enabled) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    if (enabled) {
        node->style &= ~style::kDisabled;
    } else {
        node->style |= style::kDisabled;
    }
    // A disabled window cannot keep the keyboard focus.
    if (!enabled && headless::isWithin(focusedWindow(), window)) {
        setFocus(nullptr);
    }
}

bool isWindowEnabled(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr && !(node->style & style::kDisabled);
}

// As ShowWindow: minimising also shows the window and keeps it visible; restoring a minimised
// window shows it at its size; hiding and showing change nothing else.
void showWindow(Handle window, Show how) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    switch (how) {
        case Show::hide:
            node->style &= ~style::kVisible;
            // The focus goes back to the parent.
            if (focusedWindow() == window) {
                setFocus(node->parent);
            }
            break;
        case Show::show:
            makeVisible(*node);
            break;
        case Show::minimize:
            if (node->style & style::kMinimize) {
                return;
            }
            node->style |= style::kMinimize;
            makeVisible(*node);
            headless::deliverSize(window, kSizeMinimized);
            break;
        case Show::restore:
            if (!(node->style & style::kMinimize)) {
                makeVisible(*node);
                return;
            }
            node->style &= ~style::kMinimize;
            node->style |= style::kVisible;
            node->needsPaint = true;
            headless::deliverSize(window, kSizeRestored);
            break;
    }
}

// Visible when the window and every parent have WS_VISIBLE.
bool isWindowVisible(Handle window) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return false;
    }
    for (; node != nullptr; node = findWindow(node->parent)) {
        if (!(node->style & style::kVisible)) {
            return false;
        }
    }
    return true;
}

bool isMinimized(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr && (node->style & style::kMinimize);
}

Rect clientRect(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? headless::clientArea(*node) : Rect{};
}

Rect windowRect(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? headless::screenRect(*node) : Rect{};
}

Point screenToClient(Handle window, Point screen) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return screen;
    }
    Point origin = headless::clientOrigin(*node);
    return {screen.x - origin.x, screen.y - origin.y};
}

Point clientToScreen(Handle window, Point client) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return client;
    }
    Point origin = headless::clientOrigin(*node);
    return {client.x + origin.x, client.y + origin.y};
}

void invalidate(Handle window) {
    if (WindowNode* node = findWindow(window)) {
        node->needsPaint = true;
    }
}

void setIcons(Handle window, Handle icon) {
    if (WindowNode* node = findWindow(window)) {
        node->icon = icon;
    }
}

std::string className(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->className : std::string();
}

std::uint32_t windowStyle(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->style : 0;
}

}  // namespace fw::sys
