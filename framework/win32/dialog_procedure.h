// The one dialog procedure of the win32 backend, and the common controls its templates need.
#pragma once

#include <windows.h>

namespace fw::win32 {

// Some templates hold list views and progress bars, whose classes the common controls library
// registers only when asked. The library is loaded for the first template that names one of its
// classes, so a program whose first window needs none starts without it.
void registerCommonControls(int templateId);
// Routes every dialog's messages to its object, bound at WM_INITDIALOG (lParam: the Dialog).
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace fw::win32
