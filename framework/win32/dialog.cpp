// Dialogs from resource templates: one dialog procedure routes every dialog's messages to its
// object.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include "dialog_procedure.h"
#include "framework/dialog.h"
#include "handles.h"
#include "instance.h"
#include "platform_host.h"
#include "routing.h"
#include "sys.h"

namespace fw::win32 {

void registerCommonControls() {
    // The first form of the call, which every version of the library has (the one of Windows
    // NT 4 without a later Internet Explorer has no InitCommonControlsEx); it registers every
    // class, list views and progress bars among them.
    InitCommonControls();
}

namespace {

// A dialog procedure returns most results through DWLP_MSGRESULT and TRUE for "handled"; these
// messages return their result directly instead.
bool returnsResultDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return true;
        default:
            return false;
    }
}

}  // namespace

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            bind(dialog, *reinterpret_cast<Dialog*>(lParam));
        }
        Window* owner = boundOwner(dialog);
        if (owner == nullptr) {
            return FALSE;
        }
        bool handled = false;
        LRESULT result = deliver(*owner, dialog, message, wParam, lParam, handled);
        if (message == WM_NCDESTROY) {
            unbind(dialog);
        }
        if (message == WM_INITDIALOG && !handled) {
            return TRUE;  // let the dialog manager set the focus
        }
        if (!handled) {
            return FALSE;
        }
        if (returnsResultDirectly(message)) {
            return result;
        }
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
        return TRUE;
    } catch (...) {
        stopOnException("a dialog procedure");
    }
}

int Win32Host::runModal(Dialog& dialog) {
    registerCommonControls();
    return static_cast<int>(DialogBoxParamA(
        programInstance(), MAKEINTRESOURCEA(dialog.templateId()), asWindow(dialog.owner()),
        dialogProcedure, reinterpret_cast<LPARAM>(&dialog)));
}

void Win32Host::endModal(Dialog& dialog, int result) {
    EndDialog(asWindow(dialog.handle()), result);
}

}  // namespace fw::win32
