// Reading numbers typed into edits: leading and trailing blanks allowed, nothing else around
// the digits, and the value must fit.
#pragma once

#include <optional>
#include <string>

namespace fw::detail {

std::optional<int> parseInt(const std::string& text);
// No sign but an optional '+'.
std::optional<unsigned> parseUnsigned(const std::string& text);

}  // namespace fw::detail
