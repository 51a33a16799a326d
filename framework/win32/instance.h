// The module whose resources (dialog templates, menus, strings, icons, bitmaps) the program uses.
#pragma once

#include <windows.h>

namespace fw::win32 {

// The module the framework is linked into, whose resource script was linked with it: the
// program, or a DLL built on the framework.
HINSTANCE programInstance();

}  // namespace fw::win32
