// A window of either backend, and the routing of its messages to handlers.
#pragma once

#include <cstdint>
#include <string>

#include "framework/types.h"

namespace fw {

class DrawContext;
class Icon;
class Menu;

namespace detail {
struct WindowAccess;
}

// Base of every window the programs own: dialogs, the frame and the view. The backend
// delivers each message to dispatch(), which calls the handler for it; a handler that
// returns false leaves the message to the platform's default handling.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    Handle handle() const { return handle_; }
    bool exists() const { return handle_ != nullptr; }

    std::string text() const;
    void setText(const std::string& text);
    void enable(bool enabled);
    bool isEnabled() const;
    void show();
    void hide();
    void minimize();
    void restore();
    bool isVisible() const;
    bool isMinimized() const;
    Rect clientRect() const;
    // Screen coordinates, borders included.
    Rect windowRect() const;
    void invalidate();
    // Repaints the window and its controls at once, without waiting for the message loop: a task
    // that holds the window's thread shows each of its steps this way.
    void update();
    void setIcon(const Icon& icon);  // large and small icon

    // Window timers; under test they run on the virtual clock.
    void setTimer(unsigned id, unsigned ms);
    void killTimer(unsigned id);

    // Posts a message to this window's thread; callable from any thread. Messages posted
    // from one thread arrive in posting order.
    void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) const;
    // Drops the messages of this kind posted to this window and not yet delivered.
    void discardPosted(unsigned message);

    // The window's system menu, to which items can be appended.
    Menu systemMenu();

    // Entry point of every message; the backends call it. wm::kNotify arrives with wParam the
    // control id and lParam the notification code; wm::kPaint with lParam a DrawContext* (0 when
    // the backend has no paint context, and then onPaint is not called).
    virtual std::intptr_t dispatch(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                   bool& handled);

  protected:
    // Returns false to make the creation fail.
    virtual bool onCreate() { return true; }
    virtual void onDestroy() {}
    // code is the notification (kButtonClicked for buttons and menus).
    virtual bool onCommand(int /*id*/, int /*code*/) { return false; }
    virtual bool onNotify(int /*id*/, int /*code*/) { return false; }
    virtual void onTimer(unsigned /*id*/) {}
    // Returns false to let the platform handle the command.
    virtual bool onSysCommand(unsigned /*command*/) { return false; }
    virtual void onSize(int /*kind*/, int /*width*/, int /*height*/) {}
    // Returns false to let the platform paint.
    virtual bool onPaint(DrawContext& /*dc*/) { return false; }
    // The icon shown while the window is dragged minimised; nullptr for the default.
    virtual Handle onQueryDragIcon() { return nullptr; }
    // Any other message, private ones among them. Returns true when handled.
    virtual bool onMessage(unsigned /*message*/, std::uintptr_t /*wParam*/,
                           std::intptr_t /*lParam*/, std::intptr_t& /*result*/) {
        return false;
    }

  private:
    friend struct detail::WindowAccess;
    Handle handle_ = nullptr;
};

// The window's handle, null for no window.
inline Handle handleOf(const Window* window) {
    return window != nullptr ? window->handle() : nullptr;
}

// Posts a message to a window by its handle, from any thread.
void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// The id of a message registered by name: every program that registers the name gets the same id,
// so the shell can broadcast it ("TaskbarCreated", say). Call it on the windows' thread.
unsigned registerMessage(const std::string& name);

}  // namespace fw
