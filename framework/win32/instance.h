// The module whose resources (dialog templates, menus, strings, icons, bitmaps) the program uses.
#pragma once

#include <windows.h>

namespace fw::win32 {

// The program's own module: resource scripts are linked into the executable.
HINSTANCE programInstance();

}  // namespace fw::win32
