// The one dialog procedure of the win32 backend, and the common controls its templates need.
#pragma once

#include <windows.h>

namespace fw::win32 {

// The templates hold list views and progress bars, whose classes the common controls library
// registers only when asked.
void registerCommonControls();
// Routes every dialog's messages to its object, bound at WM_INITDIALOG (lParam: the Dialog).
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace fw::win32
