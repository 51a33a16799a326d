// Pop-up menus and the system menu.
#include "framework/menu.h"

#include <windows.h>

#include <vector>

#include "handles.h"
#include "platform_host.h"
#include "sys.h"

namespace fw::sys {
using win32::asMenu;

Handle menuCreatePopup() {
    return CreatePopupMenu();
}

void menuDestroy(Handle menu) {
    DestroyMenu(asMenu(menu));
}

Handle systemMenu(Handle window) {
    return GetSystemMenu(win32::asWindow(window), FALSE);
}

void menuAppend(Handle menu, const MenuItem& item) {
    if (item.separator) {
        AppendMenuA(asMenu(menu), MF_SEPARATOR, 0, nullptr);
        return;
    }
    UINT flags = MF_STRING;
    if (item.grayed) {
        flags |= MF_GRAYED;
    }
    if (item.checked) {
        flags |= MF_CHECKED;
    }
    AppendMenuA(asMenu(menu), flags, item.id, item.text.c_str());
}

int menuCount(Handle menu) {
    return GetMenuItemCount(asMenu(menu));
}

void menuEnableAt(Handle menu, int position, bool enabled) {
    EnableMenuItem(asMenu(menu), static_cast<UINT>(position),
                   MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void menuEnableItem(Handle menu, unsigned id, bool enabled) {
    EnableMenuItem(asMenu(menu), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void menuCheckItem(Handle menu, unsigned id, bool checked) {
    CheckMenuItem(asMenu(menu), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace fw::sys

namespace fw::win32 {

unsigned Win32Host::trackMenu(const Menu& menu, Handle owner, Point screen, unsigned flags) {
    HWND window = asWindow(owner);
    // A menu of a window that is not in the foreground (the tray icon's) would stay open when the
    // user clicks elsewhere; the empty message afterwards lets the menu open properly next time.
    SetForegroundWindow(window);
    // The command is returned rather than posted, so that it reaches the owner before the
    // caller goes on.
    const BOOL command = TrackPopupMenu(asMenu(menu.handle()), flags | TPM_RETURNCMD, screen.x,
                                        screen.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    return static_cast<unsigned>(command);
}

}  // namespace fw::win32
