// The frame window and its view: two window classes whose procedure routes messages to the window
// objects, and a view that always fills the frame's client area.
#include "framework/frame.h"

#include <windows.h>

#include "handles.h"
#include "instance.h"
#include "routing.h"
#include "sys.h"

namespace fw::win32 {
namespace {

constexpr char kFrameClass[] = "FwFrame";
constexpr char kViewClass[] = "FwView";
// The view's child id in its frame, by which the frame finds it.
constexpr int kViewId = 0xE900;

void fitViewToClient(HWND frame) {
    HWND view = GetDlgItem(frame, kViewId);
    if (view == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(frame, &client);
    MoveWindow(view, 0, 0, client.right, client.bottom, TRUE);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            bind(window, *static_cast<Window*>(creation->lpCreateParams));
        }
        Window* owner = boundOwner(window);
        if (owner == nullptr) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (message == WM_SIZE) {
            fitViewToClient(window);
        }
        bool handled = false;
        const LRESULT result = deliver(*owner, window, message, wParam, lParam, handled);
        if (message == WM_NCDESTROY) {
            unbind(window);
        }
        return handled ? result : DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        stopOnException("a window procedure");
    }
}

void registerClasses() {
    static const bool registered = [] {
        WNDCLASSA frame{};
        frame.lpfnWndProc = windowProcedure;
        frame.hInstance = programInstance();
        frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        frame.lpszClassName = kFrameClass;
        WNDCLASSA view = frame;
        // What a view shows depends on its size: a new size repaints all of it.
        view.style = CS_HREDRAW | CS_VREDRAW;
        view.lpszClassName = kViewClass;
        return RegisterClassA(&frame) != 0 && RegisterClassA(&view) != 0;
    }();
    static_cast<void>(registered);
}

}  // namespace
}  // namespace fw::win32

namespace fw::sys {

Handle createFrame(Window& owner, const std::string& caption, int menuId) {
    win32::registerClasses();
    const HINSTANCE instance = win32::programInstance();
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(menuId));
    // The view covers the client area: the frame need not paint under it.
    HWND frame =
        CreateWindowExA(0, win32::kFrameClass, caption.c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, &owner);
    if (frame == nullptr && menu != nullptr) {
        DestroyMenu(menu);
    }
    return frame;
}

Handle createView(Window& owner, Handle frame) {
    win32::registerClasses();
    RECT client{};
    GetClientRect(win32::asWindow(frame), &client);
    return CreateWindowExA(0, win32::kViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                           client.bottom, win32::asWindow(frame),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::kViewId)),
                           win32::programInstance(), &owner);
}

void moveWindow(Handle window, const Rect& rect, bool repaint) {
    MoveWindow(win32::asWindow(window), rect.left, rect.top, rect.width(), rect.height(), repaint);
}

}  // namespace fw::sys
