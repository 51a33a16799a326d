#include "framework/window.h"

#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "sys.h"
#include "timer_queue.h"

namespace fw {

namespace {

unsigned loWord(std::uintptr_t value) {
    return static_cast<unsigned>(value & 0xFFFF);
}
unsigned hiWord(std::uintptr_t value) {
    return static_cast<unsigned>((value >> 16) & 0xFFFF);
}

}  // namespace

void detail::WindowAccess::setHandle(Window& window, Handle handle) {
    window.handle_ = handle;
}

Window::~Window() {
    if (handle_ != nullptr) {
        // The object is going away: its window must not call back into it.
        detail::timerQueue().killAll(handle_);
        Handle handle = handle_;
        handle_ = nullptr;
        sys::detachWindow(handle);
    }
}

std::string Window::text() const {
    return sys::windowText(handle_);
}
void Window::setText(const std::string& text) {
    sys::setWindowText(handle_, text);
}
void Window::enable(bool enabled) {
    sys::enableWindow(handle_, enabled);
}
bool Window::isEnabled() const {
    return sys::isWindowEnabled(handle_);
}
void Window::show() {
    sys::showWindow(handle_, sys::Show::show);
}
void Window::hide() {
    sys::showWindow(handle_, sys::Show::hide);
}
void Window::minimize() {
    sys::showWindow(handle_, sys::Show::minimize);
}
void Window::restore() {
    sys::showWindow(handle_, sys::Show::restore);
}
bool Window::isVisible() const {
    return sys::isWindowVisible(handle_);
}
bool Window::isMinimized() const {
    return sys::isMinimized(handle_);
}
Rect Window::clientRect() const {
    return sys::clientRect(handle_);
}
Rect Window::windowRect() const {
    return sys::windowRect(handle_);
}
void Window::invalidate() {
    sys::invalidate(handle_);
}
void Window::update() {
    sys::updateWindow(handle_);
}
void Window::setIcon(const Icon& icon) {
    sys::setIcons(handle_, icon.handle());
}

void Window::setTimer(unsigned id, unsigned ms) {
    detail::timerQueue().set(handle_, id, ms);
}

void Window::killTimer(unsigned id) {
    detail::timerQueue().kill(handle_, id);
}

void Window::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) const {
    sys::postMessage(handle_, message, wParam, lParam);
}

void Window::discardPosted(unsigned message) {
    sys::discardPosted(handle_, message);
}

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    sys::postMessage(window, message, wParam, lParam);
}

unsigned registerMessage(const std::string& name) {
    return sys::registerMessage(name);
}

Menu Window::systemMenu() {
    return Menu::borrow(sys::systemMenu(handle_));
}

std::intptr_t Window::dispatch(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                               bool& handled) {
    handled = true;
    switch (message) {
        case wm::kCreate:
            return onCreate() ? 0 : -1;
        case wm::kDestroy:
            onDestroy();
            // Windows drops a window's timers with the window.
            detail::timerQueue().killAll(handle_);
            return 0;
        case wm::kCommand:
            handled = onCommand(static_cast<int>(loWord(wParam)), static_cast<int>(hiWord(wParam)));
            return 0;
        case wm::kNotify:
            handled = onNotify(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case wm::kTimer:
            onTimer(static_cast<unsigned>(wParam));
            return 0;
        case wm::kHelp:
            handled = onCommand(kCommandHelp, 0);
            return 1;
        case wm::kSysCommand:
            handled = onSysCommand(static_cast<unsigned>(wParam));
            return 0;
        case wm::kSize:
            onSize(static_cast<int>(wParam),
                   static_cast<int>(loWord(static_cast<std::uintptr_t>(lParam))),
                   static_cast<int>(hiWord(static_cast<std::uintptr_t>(lParam))));
            handled = false;
            return 0;
        case wm::kPaint:
            handled = lParam != 0 && onPaint(*reinterpret_cast<DrawContext*>(lParam));
            return 0;
        case wm::kQueryDragIcon: {
            Handle icon = onQueryDragIcon();
            handled = icon != nullptr;
            return reinterpret_cast<std::intptr_t>(icon);
        }
        default: {
            std::intptr_t result = 0;
            handled = onMessage(message, wParam, lParam, result);
            return result;
        }
    }
}

}  // namespace fw
