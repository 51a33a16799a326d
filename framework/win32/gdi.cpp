// Painting: the client area's device context and icons.
#include <windows.h>

#include "handles.h"
#include "sys.h"

namespace fw::sys {

using win32::asDc;

Handle getClientDC(Handle window) {
    return GetDC(win32::asWindow(window));
}

void releaseDC(Handle window, Handle dc) {
    ReleaseDC(win32::asWindow(window), asDc(dc));
}

void eraseIconBackground(Handle window, Handle dc) {
    SendMessageA(win32::asWindow(window), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

void drawIcon(Handle dc, int x, int y, Handle icon) {
    DrawIcon(asDc(dc), x, y, win32::asIcon(icon));
}

int systemIconWidth() {
    return GetSystemMetrics(SM_CXICON);
}

int systemIconHeight() {
    return GetSystemMetrics(SM_CYICON);
}

}  // namespace fw::sys
