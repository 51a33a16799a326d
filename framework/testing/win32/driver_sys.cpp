// The calls only the test driver makes of the win32 backend: a modeless dialog, clicks and
// notifications as the user's input would send them, posted messages delivered on the driver's
// schedule, and what a test reads of windows, menus, files and the registry. The programs users
// get never link them.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include <vector>

#include "dialog_procedure.h"
#include "driver_sys.h"
#include "handles.h"
#include "instance.h"

namespace fw::sys {

using win32::asMenu;
using win32::asWindow;
using win32::send;

namespace {

// Deletes the key after everything below it (RegDeleteKey removes only keys without subkeys).
long deleteKeyTree(HKEY parent, const std::string& subKey) {
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    char name[256];  // the longest key name is 255 characters
    for (;;) {
        DWORD length = sizeof name;
        result = RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS) {
            result = deleteKeyTree(key, name);
        }
        if (result != ERROR_SUCCESS) {
            break;
        }
    }
    RegCloseKey(key);
    if (result != ERROR_NO_MORE_ITEMS) {
        return result;
    }
    return RegDeleteKeyA(parent, subKey.c_str());
}

}  // namespace

Handle createDialog(int templateId, Handle parent, Dialog& owner) {
    win32::registerCommonControls(templateId);
    return CreateDialogParamA(win32::programInstance(), MAKEINTRESOURCEA(templateId),
                              static_cast<HWND>(parent), win32::dialogProcedure,
                              reinterpret_cast<LPARAM>(&owner));
}

int defaultButtonId(Handle dialog) {
    LRESULT answer = SendMessageA(static_cast<HWND>(dialog), DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
}

int deliverPosted(const std::function<void()>& afterEach) {
    // Posted messages only: painting would make the controls send notifications (a list view's
    // custom-draw stages) that depend on when the screen was last drawn, not on the test's steps.
    int delivered = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++delivered;
        afterEach();
    }
    return delivered;
}

std::intptr_t sendNotify(Handle dialog, int id, int code) {
    NMHDR header{};
    header.hwndFrom = GetDlgItem(asWindow(dialog), id);
    header.idFrom = static_cast<UINT_PTR>(id);
    header.code = static_cast<UINT>(code);
    return SendMessageA(asWindow(dialog), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

void clickButton(Handle button) {
    send(button, BM_CLICK);
}

Handle focusedWindow() {
    return GetFocus();
}

std::uint32_t windowStyle(Handle window) {
    return static_cast<std::uint32_t>(GetWindowLongA(asWindow(window), GWL_STYLE));
}

int listColumnWidth(Handle list, int column) {
    return static_cast<int>(send(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

std::pair<int, int> progressRange(Handle bar) {
    PBRANGE range{};
    send(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    return {range.iLow, range.iHigh};
}

MenuItem menuItemAt(Handle menu, int position) {
    auto at = static_cast<UINT>(position);
    UINT state = GetMenuState(asMenu(menu), at, MF_BYPOSITION);
    if (state == static_cast<UINT>(-1)) {
        return {};
    }
    MenuItem item;
    item.separator = (state & MF_SEPARATOR) != 0;
    item.grayed = (state & MF_GRAYED) != 0;
    item.checked = (state & MF_CHECKED) != 0;
    if (!item.separator) {
        item.id = GetMenuItemID(asMenu(menu), position);
        int length = GetMenuStringA(asMenu(menu), at, nullptr, 0, MF_BYPOSITION);
        if (length > 0) {
            std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
            int copied = GetMenuStringA(asMenu(menu), at, buffer.data(),
                                        static_cast<int>(buffer.size()), MF_BYPOSITION);
            item.text.assign(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
        }
    }
    return item;
}

long regDeleteTree(const std::string& subKey) {
    return deleteKeyTree(HKEY_CURRENT_USER, subKey);
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace fw::sys
