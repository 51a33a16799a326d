// Windows as plain objects: dialogs and their controls, the frame and its view, with the state
// the platform keeps for each. Geometry is kept simple: a control sits at its template position
// converted to pixels in its dialog's client area, a dialog's client area is its whole rectangle,
// and a dialog stands at its template position on the screen. Only the frame has borders around
// its client area.
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
    // What the window shows as its text; a drop-down list shows its selected item.
    virtual std::string windowText() const { return text; }
    virtual void setWindowText(const std::string& value) { text = value; }
    // What painting a control draws, as the drawing log keeps it: its text, quoted.
    virtual std::string appearance() const { return "\"" + windowText() + "\""; }

    bool isDialog() const { return className == kDialogClass; }

    static constexpr const char* kDialogClass = "#32770";

    Handle handle = nullptr;
    Window* owner = nullptr;       // the framework's object; null for controls
    Handle parent = nullptr;       // a control's dialog, the view's frame
    Handle ownerWindow = nullptr;  // the window a dialog belongs to
    std::vector<Handle> children;  // in creation order, which is also the tab order
    std::string className;
    std::string text;
    // WS_VISIBLE, WS_DISABLED and WS_MINIMIZE follow the window's state, as on the platform.
    std::uint32_t style = 0;
    int id = 0;
    // Pixels, borders included: in the parent's client area for children, on the screen for the
    // others.
    Rect rect;
    // The thickness of the borders, caption and menu bar on each side of the client area.
    Rect nonClient;
    Handle icon = nullptr;
    Handle systemMenu = nullptr;
    // A dialog's client area or a control that changed since it was last painted.
    bool needsPaint = false;
    bool destroying = false;
};

// Null for a handle that is not a live window.
WindowNode* findWindow(Handle handle);
// Registers a window as a child of parent (null for a top-level window); returns its handle.
Handle addWindow(std::unique_ptr<WindowNode> node, Handle parent);
// Destroys a window: first the windows it owns, then its owner object hears wm::kDestroy, then
// its children go; the owner object loses its handle.
void destroyWindowTree(Handle handle);

// Delivers a message to the window's owner object; handled stays false for a window without one.
std::intptr_t dispatchToOwner(Handle window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam, bool& handled);
// Sends a control's notification to its dialog as the platform does: wm::kCommand with the
// control's id and the code, and the control's handle.
void notifyParent(Handle control, int code);

// The screen of the headless backend.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Dialog units to pixels with the base units of the templates' 8-point font, 6 by 12 pixels.
Rect dialogUnitsToPixels(int x, int y, int cx, int cy);

}  // namespace fw::headless
