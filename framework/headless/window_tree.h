// Windows as plain objects: dialogs, their controls, the frame and its view, with the state the
// platform keeps for each, and the geometry that turns dialog units into pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/types.h"
#include "handles.h"

namespace fw {
class Window;
}

namespace fw::headless {

struct WindowNode : Object {
    enum class Kind { dialog, control, frame, view };

    explicit WindowNode(Kind k) : kind(k) {}

    // What the window shows as its text; a drop-down list shows its selected item.
    virtual std::string windowText() const { return text; }
    virtual void setWindowText(const std::string& value) { text = value; }
    // The window's own handling of its destruction, after its owner heard wm::kDestroy.
    virtual void onDestroy() {}

    Kind kind;
    Handle handle = nullptr;
    Window* owner = nullptr;       // the framework's object; null for controls
    Handle parent = nullptr;       // a control's dialog, the view's frame
    Handle ownerWindow = nullptr;  // the window a dialog belongs to
    std::vector<Handle> children;  // in creation order, which is also the tab order
    std::string className;
    std::string text;
    // WS_VISIBLE, WS_DISABLED and WS_MINIMIZE follow the window's state, as on the platform.
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int id = 0;
    // Pixels, borders included: in the parent's client area for children, on the screen for the
    // others.
    Rect rect;
    bool hasMenuBar = false;
    Handle icon = nullptr;
    Handle systemMenu = nullptr;
    bool needsPaint = false;
    bool destroying = false;
};

// Null for a handle that is not a live window.
WindowNode* findWindow(Handle handle);
// Registers a window as a child of parent (null for a top-level window); returns its handle.
Handle addWindow(std::unique_ptr<WindowNode> node, Handle parent);
// Destroys a window: first the windows it owns, then its own owner object hears wm::kDestroy,
// then its children in turn; the owner object loses its handle.
void destroyWindowTree(Handle handle);

// Delivers a message to the window's owner object; handled stays false for a window without one.
std::intptr_t dispatchToOwner(Handle window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam, bool& handled);
// Sends a control's notification to its parent as the platform does: wm::kCommand with the
// control's id and the code, and the control's handle.
void notifyParent(Handle control, int code);
// Delivers wm::kSize of this kind with the client area's size (nothing for a minimised window).
void deliverSize(Handle window, int kind);

// The first control of a dialog that takes the focus from the keyboard: a tab stop with
// WS_VISIBLE and without WS_DISABLED. Null when there is none.
Handle firstTabStop(const WindowNode& dialog);
// True when window is ancestor or lies inside it.
bool isWithin(Handle window, Handle ancestor);

// Dialog units to pixels with the base units the platform measures for the templates' 8-point
// font, 6 by 12 pixels: x * 6 / 4 and y * 12 / 8, rounded as MulDiv rounds. Each of a control's
// position and size is converted on its own, as the platform does.
int dialogUnitsToPixelsX(int x);
int dialogUnitsToPixelsY(int y);

// The border, caption and menu bar around the client area: a sizing frame 4 pixels, a dialog
// frame (which a caption brings) 3, a plain border 1, a client edge 2 more; a caption 19 and a
// menu bar 19.
struct Insets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
Insets nonClientInsets(const WindowNode& node);
// The window's outer rectangle on the screen.
Rect screenRect(const WindowNode& node);
// The top-left corner of the client area on the screen.
Point clientOrigin(const WindowNode& node);
Rect clientArea(const WindowNode& node);

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

}  // namespace fw::headless
