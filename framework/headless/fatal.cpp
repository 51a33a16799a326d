#include "fatal.h"

#include <cstdio>
#include <cstdlib>

namespace fw::headless {

void fatal(const std::string& what) {
    std::fprintf(stderr, "headless: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace fw::headless
