// Sending and posting messages to the headless windows, with the platform's default handling
// of what a window leaves unhandled, and painting when no posted message waits.
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include "framework/gdi.h"
#include "sys.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;

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

std::intptr_t defaultHandling(Handle window, unsigned message, std::uintptr_t wParam) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return 0;
    }
    switch (message) {
        case wm::kClose:
            // A dialog's close box is its Cancel button, whose command the platform posts.
            if (node->kind == WindowNode::Kind::dialog) {
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

// Paints, parents before children, the visible windows that were shown or invalidated since
// their last paint; returns how many were painted.
int paintInvalidWindows(const std::function<void()>& afterEach) {
    std::vector<Handle> invalid;
    headless::forEachObject([&invalid](Handle handle, headless::Object& object) {
        auto* node = dynamic_cast<WindowNode*>(&object);
        if (node != nullptr && node->needsPaint && node->owner != nullptr) {
            invalid.push_back(handle);
        }
    });
    int painted = 0;
    for (Handle window : invalid) {
        WindowNode* node = findWindow(window);
        if (node == nullptr || !node->needsPaint || !isWindowVisible(window)) {
            continue;
        }
        node->needsPaint = false;
        Handle dc = getClientDC(window);
        {
            DrawContext context(dc, DrawContext::Kind::paint, window);
            bool handled = false;
            headless::dispatchToOwner(window, wm::kPaint, 0,
                                      reinterpret_cast<std::intptr_t>(&context), handled);
        }
        releaseDC(window, dc);
        afterEach();
        ++painted;
    }
    return painted;
}

}  // namespace

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    std::lock_guard lock(postedMutex);
    posted.push_back({window, message, wParam, lParam});
}

std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    bool handled = false;
    std::intptr_t result = headless::dispatchToOwner(window, message, wParam, lParam, handled);
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
