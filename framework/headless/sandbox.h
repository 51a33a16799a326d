// The headless backend's state that a test program resets and inspects: the file sandbox with its
// faults, the registry, and the drawing log. The sandbox and the registry compare names as Windows
// compares them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/file_fault.h"

namespace fw::headless {

// The name in upper case (ASCII and Latin-1 letters), the form names are compared in.
std::string foldCase(const std::string& name);

// Empties the registry and the file sandbox, which then holds a C: drive with the Windows folder
// C:\WINDOWS and its "Desktop" and "Start Menu\Programs\StartUp" folders, current directory C:\.
// Armed faults are dropped.
void resetSandbox();
void resetRegistry();
// Arms a file fault.
void armFault(const test::FileFault& fault);
// The faults armed that have not fired yet.
std::size_t armedFaults();
// Removes an empty folder; false when it is not one.
bool removeFolder(const std::string& path);

// The drawing calls made so far, one line each.
std::vector<std::string>& drawingLog();

}  // namespace fw::headless
