// The platform types behind the framework's opaque handles, and control messages sent to them.
#pragma once

#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include "framework/types.h"

namespace fw::win32 {

inline HWND asWindow(Handle handle) {
    return static_cast<HWND>(handle);
}
inline HDC asDc(Handle handle) {
    return static_cast<HDC>(handle);
}
inline HMENU asMenu(Handle handle) {
    return static_cast<HMENU>(handle);
}
inline HICON asIcon(Handle handle) {
    return static_cast<HICON>(handle);
}
inline HGDIOBJ asGdiObject(Handle handle) {
    return static_cast<HGDIOBJ>(handle);
}
inline HIMAGELIST asImageList(Handle handle) {
    return static_cast<HIMAGELIST>(handle);
}

inline LRESULT send(Handle window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(asWindow(window), message, wParam, lParam);
}

}  // namespace fw::win32
