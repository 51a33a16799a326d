#include "number_text.h"

#include <cstdint>
#include <limits>

namespace fw::detail {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits "  -123  " into its sign and digits; nothing when anything else is there.
std::optional<std::pair<bool, std::uint64_t>> scan(const std::string& text, bool allowMinus) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || (allowMinus && text[i] == '-'))) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digitsStart = i;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > 0xFFFFFFFFull + 1) {
            return std::nullopt;
        }
        ++i;
    }
    if (i == digitsStart) {
        return std::nullopt;
    }
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return std::make_pair(negative, value);
}

}  // namespace

std::optional<int> parseInt(const std::string& text) {
    auto scanned = scan(text, true);
    if (!scanned) {
        return std::nullopt;
    }
    auto [negative, magnitude] = *scanned;
    std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<unsigned> parseUnsigned(const std::string& text) {
    auto scanned = scan(text, false);
    if (!scanned || scanned->second > std::numeric_limits<unsigned>::max()) {
        return std::nullopt;
    }
    return static_cast<unsigned>(scanned->second);
}

}  // namespace fw::detail
