// Stops the program on a call that has no meaning on the headless backend.
#pragma once

#include <string>

namespace fw::headless {

// Prints "headless: <what>" and aborts. The headless backend always runs under a test driver,
// which answers questions and keeps timers itself; reaching one of these calls is a framework bug.
[[noreturn]] void fatal(const std::string& what);

}  // namespace fw::headless
