// Stops the program with a message: the headless backend was used in a way no test may use it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fw::headless {

[[noreturn]] inline void fatal(const std::string& what) {
    std::fprintf(stderr, "headless: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace fw::headless
