// Window state on the headless backend (text, enabling, showing, focus, geometry), sending and
// posting messages with the platform's default handling of what a window leaves unhandled, and
// painting when no posted message waits or when a window asks to be updated.
#include <algorithm>
#include <deque>
#include <map>
#include <mutex>

#include "driver_sys.h"
#include "framework/gdi.h"
#include "sandbox.h"
#include "sys.h"
#include "win_styles.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;
namespace style = headless::style;

Handle focus = nullptr;

struct Posted {
    Handle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// Posting is the one call other threads make.
std::mutex postedMutex;
std::deque<Posted> posted;

bool nothingPosted() {
    std::lock_guard lock(postedMutex);
    return posted.empty();
}

// A window that appears is painted, with all its controls.
void makeVisible(WindowNode& node) {
    if (!(node.style & style::kVisible)) {
        node.style |= style::kVisible;
        node.needsPaint = true;
        for (Handle child : node.children) {
            if (WindowNode* control = findWindow(child)) {
                control->needsPaint = true;
            }
        }
    }
}

void deliverSize(Handle window, int kind) {
    const Rect client = clientRect(window);
    const auto size =
        static_cast<std::intptr_t>((client.width() & 0xFFFF) | ((client.height() & 0xFFFF) << 16));
    bool handled = false;
    headless::dispatchToOwner(window, wm::kSize, static_cast<std::uintptr_t>(kind), size, handled);
}

std::intptr_t defaultHandling(Handle window, unsigned message, std::uintptr_t wParam) {
    switch (message) {
        case wm::kClose:
            // A dialog's close box is its Cancel button, whose command the platform posts; other
            // windows go.
            if (const WindowNode* node = findWindow(window); node != nullptr && node->isDialog()) {
                postMessage(window, wm::kCommand,
                            static_cast<std::uintptr_t>(kIdCancel | kButtonClicked << 16),
                            reinterpret_cast<std::intptr_t>(dialogItem(window, kIdCancel)));
            } else {
                destroyWindow(window);
            }
            return 0;
        case wm::kSysCommand:
            // The low four bits are the platform's own.
            switch (wParam & 0xFFF0) {
                case kScMinimize:
                    showWindow(window, Show::minimize);
                    break;
                case kScRestore:
                    showWindow(window, Show::restore);
                    break;
                case kScClose:
                    sendMessage(window, wm::kClose, 0, 0);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return 0;
    }
}

// A control draws itself; the drawing log keeps what it shows.
void paintControl(WindowNode& control) {
    control.needsPaint = false;
    headless::drawingLog().push_back("paintControl(" + std::to_string(control.id) + ", " +
                                     control.appearance() + ")");
}

// Whether the window or one of its controls waits to be painted.
bool needsPainting(const WindowNode& window) {
    return window.needsPaint ||
           std::any_of(window.children.begin(), window.children.end(), [](Handle child) {
               const WindowNode* control = findWindow(child);
               return control != nullptr && control->owner == nullptr && control->needsPaint;
           });
}

// Paints a visible window where it needs it: its client area through its owner, then its
// controls, then its child windows (a frame's view) in turn. Returns whether anything was
// painted.
bool paintWindow(Handle window) {
    WindowNode* node = findWindow(window);
    if (node == nullptr || !isWindowVisible(window)) {
        return false;
    }
    bool painted = false;
    if (node->needsPaint && node->owner != nullptr) {
        node->needsPaint = false;
        DrawContext context(getClientDC(window), DrawContext::Kind::paint, window);
        bool handled = false;
        headless::dispatchToOwner(window, wm::kPaint, 0, reinterpret_cast<std::intptr_t>(&context),
                                  handled);
        releaseDC(window, context.handle());
        painted = true;
    }
    // The owner's painting may have closed the window.
    if ((node = findWindow(window)) == nullptr) {
        return painted;
    }
    for (Handle child : std::vector<Handle>(node->children)) {
        WindowNode* control = findWindow(child);
        if (control == nullptr || !isWindowVisible(child)) {
            continue;
        }
        if (control->owner != nullptr) {
            painted = paintWindow(child) || painted;
        } else if (control->needsPaint) {
            paintControl(*control);
            painted = true;
        }
    }
    return painted;
}

// Paints the visible windows that were shown, invalidated or changed since their last paint,
// parents before children (in the order they were made).
int paintInvalidWindows(const std::function<void()>& afterEach) {
    std::vector<Handle> invalid;
    headless::forEachObject([&invalid](Handle handle, headless::Object& object) {
        auto* node = dynamic_cast<WindowNode*>(&object);
        if (node != nullptr && node->owner != nullptr && needsPainting(*node)) {
            invalid.push_back(handle);
        }
    });
    int painted = 0;
    for (Handle window : invalid) {
        if (paintWindow(window)) {
            afterEach();
            ++painted;
        }
    }
    return painted;
}

}  // namespace

std::string windowText(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->windowText() : std::string();
}

void setWindowText(Handle window, const std::string& text) {
    if (WindowNode* node = findWindow(window)) {
        node->setWindowText(text);
        // A control shows its text in its client area; a window's caption is not painted there.
        if (!node->isDialog()) {
            node->needsPaint = true;
        }
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
}

bool isWindowEnabled(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr && !(node->style & style::kDisabled);
}

// As ShowWindow: minimising also shows the window and keeps it visible; restoring a minimised
// window shows it at its size.
void showWindow(Handle window, Show how) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    const bool minimized = node->style & style::kMinimize;
    switch (how) {
        case Show::hide:
            node->style &= ~style::kVisible;
            break;
        case Show::show:
            makeVisible(*node);
            break;
        case Show::minimize:
            if (!minimized) {
                node->style |= style::kMinimize;
                makeVisible(*node);
                deliverSize(window, kSizeMinimized);
            }
            break;
        case Show::restore:
            makeVisible(*node);
            if (minimized) {
                node->style &= ~style::kMinimize;
                node->needsPaint = true;
                deliverSize(window, kSizeRestored);
            }
            break;
    }
}

// Visible when the window and its dialog have WS_VISIBLE.
bool isWindowVisible(Handle window) {
    for (WindowNode* node = findWindow(window); node != nullptr; node = findWindow(node->parent)) {
        if (!(node->style & style::kVisible)) {
            return false;
        }
    }
    return findWindow(window) != nullptr;
}

bool isMinimized(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr && (node->style & style::kMinimize);
}

Rect clientRect(Handle window) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return {};
    }
    const Rect& edges = node->nonClient;
    return {0, 0, node->rect.width() - edges.left - edges.right,
            node->rect.height() - edges.top - edges.bottom};
}

Rect windowRect(Handle window) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return {};
    }
    const Point origin = clientToScreen(node->parent, {});
    return {origin.x + node->rect.left, origin.y + node->rect.top, origin.x + node->rect.right,
            origin.y + node->rect.bottom};
}

Point clientToScreen(Handle window, Point client) {
    const Point origin = screenToClient(window, {});
    return {client.x - origin.x, client.y - origin.y};
}

Point screenToClient(Handle window, Point screen) {
    WindowNode* node = findWindow(window);
    const Rect outer = windowRect(window);
    const Point edges =
        node != nullptr ? Point{node->nonClient.left, node->nonClient.top} : Point{};
    return {screen.x - outer.left - edges.x, screen.y - outer.top - edges.y};
}

void invalidate(Handle window) {
    if (WindowNode* node = findWindow(window)) {
        node->needsPaint = true;
    }
}

void updateWindow(Handle window) {
    paintWindow(window);
}

void setIcons(Handle window, Handle icon) {
    if (WindowNode* node = findWindow(window)) {
        node->icon = icon;
    }
}

void setFocus(Handle window) {
    focus = window;
}

Handle focusedWindow() {
    return findWindow(focus) != nullptr ? focus : nullptr;
}

std::string className(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->className : std::string();
}

std::uint32_t windowStyle(Handle window) {
    WindowNode* node = findWindow(window);
    return node != nullptr ? node->style : 0;
}

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    std::lock_guard lock(postedMutex);
    posted.push_back({window, message, wParam, lParam});
}

void discardPosted(Handle window, unsigned message) {
    std::lock_guard lock(postedMutex);
    std::erase_if(posted, [&](const Posted& entry) {
        return entry.window == window && entry.message == message;
    });
}

unsigned registerMessage(const std::string& name) {
    // Made up in the platform's range for registered messages, one id per name for the process's
    // life.
    static std::map<std::string, unsigned> registered;
    constexpr unsigned kFirstRegistered = 0xC000;
    return registered.try_emplace(name, kFirstRegistered + static_cast<unsigned>(registered.size()))
        .first->second;
}

std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    bool handled = false;
    const std::intptr_t result =
        headless::dispatchToOwner(window, message, wParam, lParam, handled);
    return handled ? result : defaultHandling(window, message, wParam);
}

std::intptr_t sendNotify(Handle dialog, int id, int code) {
    bool handled = false;
    return headless::dispatchToOwner(dialog, wm::kNotify, static_cast<std::uintptr_t>(id),
                                     static_cast<std::intptr_t>(code), handled);
}

// Delivers the messages posted before the call, in order. Those posted meanwhile wait for the
// next call, which the test clock makes only once the threads have settled: every run sees the
// same order.
int deliverPosted(const std::function<void()>& afterEach) {
    std::size_t pending = 0;
    {
        std::lock_guard lock(postedMutex);
        pending = posted.size();
    }
    int delivered = 0;
    for (; pending > 0; --pending) {
        Posted next{};
        {
            std::lock_guard lock(postedMutex);
            // A modal loop run by a message delivered here may have delivered the rest already.
            if (posted.empty()) {
                break;
            }
            next = posted.front();
            posted.pop_front();
        }
        // A window destroyed meanwhile loses its messages.
        if (findWindow(next.window) == nullptr) {
            continue;
        }
        sendMessage(next.window, next.message, next.wParam, next.lParam);
        afterEach();
        ++delivered;
    }
    if (nothingPosted()) {
        delivered += paintInvalidWindows(afterEach);
    }
    return delivered;
}

}  // namespace fw::sys
