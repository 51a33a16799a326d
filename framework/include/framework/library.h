// Functions of the system's own DLLs, found when the program runs, so that it still starts on a
// system that lacks one.
#pragma once

#include <string>

namespace fw {

// A function of any type: cast it to its own type before calling it.
using Proc = void (*)();

// The function of this name that the DLL of this name in the system folder exports, or null when
// either is missing. The DLL is loaded by its full path, never through the search path, and stays
// loaded until the program ends.
Proc systemProc(const std::string& library, const std::string& function);

}  // namespace fw
