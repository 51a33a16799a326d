// Functions of the system's own DLLs, loaded the first time the program needs one. The common
// dialogs, sounds and shell links serve a command or two; loading their DLLs (and what those load)
// only then keeps them out of every start.
#pragma once

#include <windows.h>

namespace fw::win32 {

// The function of this name that the DLL of this name in the system folder exports, or null when
// either is missing. The DLL is loaded by its full path, never through the search path, and stays
// loaded until the program ends.
FARPROC systemProcAddress(const char* library, const char* function);

// The same, as a pointer of the function's own type.
template <typename Function>
Function systemFunction(const char* library, const char* function) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(systemProcAddress(library, function)));
}

}  // namespace fw::win32
