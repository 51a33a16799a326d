// The order in which the platform sorts texts of the 8-bit code page when case does not count
// (CompareString with NORM_IGNORECASE, behind a sorted list's insertions): symbols before digits
// before letters, accents counting only between otherwise equal texts, hyphens and apostrophes
// only after that.
#pragma once

#include <string>

namespace fw::headless {

// Negative, zero or positive as a sorts before, with or after b.
int compareTexts(const std::string& a, const std::string& b);

}  // namespace fw::headless
