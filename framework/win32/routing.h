// How window procedures reach the window objects: the binding of a handle to its owner object and
// the delivery of a message in the portable form that Window::dispatch expects.
#pragma once

#include <windows.h>

namespace fw {
class Window;
}

namespace fw::win32 {

// From now on the window's messages reach owner; owner learns its handle.
void bind(HWND window, Window& owner);
// The object a window is bound to, or null (before binding, after unbinding, or detached).
Window* boundOwner(HWND window);
// Ends the binding when the window is gone (at WM_NCDESTROY): the owner's handle is cleared.
void unbind(HWND window);

// Passes one message to the owner. WM_NOTIFY arrives as wm::kNotify with the control id and the
// notification code; WM_PAINT is painted here, with the owner drawing on a paint context.
LRESULT deliver(Window& owner, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                bool& handled);

// Called from the catch-all handler of a window procedure: no exception may cross into the
// platform's code, and there is no sound way to go on, so the program reports and stops.
[[noreturn]] void stopOnException(const char* where);

}  // namespace fw::win32
