// What the headless file sandbox and the headless registry share: names that compare as Windows
// compares them, and one reset for both.
#pragma once

#include <string>

namespace fw::headless {

// The name in upper case (ASCII and Latin-1 letters), the form names are compared in.
std::string foldCase(const std::string& name);

// Empties the in-memory registry (resetSandbox calls it).
void resetRegistry();

}  // namespace fw::headless
