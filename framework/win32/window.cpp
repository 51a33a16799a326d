// The state of windows and controls (text, enabling, showing, geometry, focus, class and style),
// and sending and posting messages.
#include <windows.h>

#include <vector>

#include "handles.h"
#include "sys.h"

namespace fw::sys {
namespace {

using win32::asWindow;

Rect toRect(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void destroyWindow(Handle window) {
    DestroyWindow(asWindow(window));
}

Handle dialogItem(Handle dialog, int id) {
    return GetDlgItem(asWindow(dialog), id);
}

std::string windowText(Handle window) {
    int length = GetWindowTextLengthA(asWindow(window));
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    int copied = GetWindowTextA(asWindow(window), buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void setWindowText(Handle window, const std::string& text) {
    SetWindowTextA(asWindow(window), text.c_str());
}

void enableWindow(Handle window, bool enabled) {
    EnableWindow(asWindow(window), enabled);
}

bool isWindowEnabled(Handle window) {
    return IsWindowEnabled(asWindow(window)) != FALSE;
}

void showWindow(Handle window, Show how) {
    int command = SW_SHOW;
    switch (how) {
        case Show::hide:
            command = SW_HIDE;
            break;
        case Show::show:
            command = SW_SHOW;
            break;
        case Show::minimize:
            command = SW_MINIMIZE;
            break;
        case Show::restore:
            command = SW_RESTORE;
            break;
    }
    ShowWindow(asWindow(window), command);
}

bool isWindowVisible(Handle window) {
    return IsWindowVisible(asWindow(window)) != FALSE;
}

bool isMinimized(Handle window) {
    return IsIconic(asWindow(window)) != FALSE;
}

Rect clientRect(Handle window) {
    RECT rect{};
    GetClientRect(asWindow(window), &rect);
    return toRect(rect);
}

Rect windowRect(Handle window) {
    RECT rect{};
    GetWindowRect(asWindow(window), &rect);
    return toRect(rect);
}

Point screenToClient(Handle window, Point screen) {
    POINT point{screen.x, screen.y};
    ScreenToClient(asWindow(window), &point);
    return Point{point.x, point.y};
}

Point clientToScreen(Handle window, Point client) {
    POINT point{client.x, client.y};
    ClientToScreen(asWindow(window), &point);
    return Point{point.x, point.y};
}

void invalidate(Handle window) {
    InvalidateRect(asWindow(window), nullptr, TRUE);
}

void updateWindow(Handle window) {
    // UpdateWindow alone would leave the controls, which have update regions of their own. All of
    // it is invalidated first: a static control paints a new text at once through a device
    // context of its own, which Wine puts on the screen only at the next painting or message
    // loop, so a window whose thread is held would go on showing the old text.
    RedrawWindow(asWindow(window), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void setIcons(Handle window, Handle icon) {
    auto value = reinterpret_cast<LPARAM>(icon);
    SendMessageA(asWindow(window), WM_SETICON, ICON_BIG, value);
    SendMessageA(asWindow(window), WM_SETICON, ICON_SMALL, value);
}

void setFocus(Handle window) {
    SetFocus(asWindow(window));
}

std::string className(Handle window) {
    char buffer[256];
    int length = GetClassNameA(asWindow(window), buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(asWindow(window), message, wParam, lParam);
}

std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    return SendMessageA(asWindow(window), message, wParam, lParam);
}

void discardPosted(Handle window, unsigned message) {
    MSG dropped;
    while (PeekMessageA(&dropped, asWindow(window), message, message, PM_REMOVE)) {
    }
}

unsigned registerMessage(const std::string& name) {
    return RegisterWindowMessageA(name.c_str());
}

}  // namespace fw::sys
