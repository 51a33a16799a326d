// The benchmarks' reference program: the least a dialog program does, one modal dialog from its
// resources that OK, Cancel or the close box end. Start-up times and sizes of the shipped
// programs are read against it.
#include <windows.h>

#include "reference_res.h"

namespace {

INT_PTR CALLBACK referenceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_REFERENCE), nullptr, referenceProc, 0);
    return 0;
}
