// Dialogs from resource templates: one dialog procedure routes every dialog's messages to its
// object.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include <string>
#include <string_view>

#include "dialog_procedure.h"
#include "framework/dialog.h"
#include "handles.h"
#include "instance.h"
#include "platform_host.h"
#include "routing.h"
#include "sys.h"
#include "system_library.h"

namespace fw::win32 {

namespace {

// Whether a dialog template names a window class of the common controls library: the classes
// are stored in UTF-16, so a scan of the template's bytes for their names tells.
bool namesCommonControl(int templateId) {
    HRSRC found = FindResourceA(programInstance(), MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? LoadResource(programInstance(), found) : nullptr;
    const auto* bytes =
        static_cast<const char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) {
        return true;  // let the dialog manager find out; registering costs nothing more
    }
    const std::string_view text(bytes, SizeofResource(programInstance(), found));
    const auto names = [&text](std::string_view name) {
        std::string wide;
        for (const char c : name) {
            wide += c;
            wide += '\0';
        }
        return text.find(wide) != std::string_view::npos;
    };
    return names(WC_LISTVIEWA) || names(PROGRESS_CLASSA);
}

}  // namespace

void registerCommonControls(int templateId) {
    static bool registered = false;
    if (registered || !namesCommonControl(templateId)) {
        return;
    }
    // The first form of the call, which every version of the library has (the one of Windows
    // NT 4 without a later Internet Explorer has no InitCommonControlsEx); it registers every
    // class, list views and progress bars among them.
    using Register = void(WINAPI*)();
    if (const auto initialize = systemFunction<Register>("comctl32.dll", "InitCommonControls")) {
        initialize();
        registered = true;
    }
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
    registerCommonControls(dialog.templateId());
    return static_cast<int>(DialogBoxParamA(
        programInstance(), MAKEINTRESOURCEA(dialog.templateId()), asWindow(dialog.owner()),
        dialogProcedure, reinterpret_cast<LPARAM>(&dialog)));
}

void Win32Host::endModal(Dialog& dialog, int result) {
    EndDialog(asWindow(dialog.handle()), result);
}

}  // namespace fw::win32
