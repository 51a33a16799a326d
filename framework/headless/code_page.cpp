// UTF-16 to the 8-bit code page as Windows in the western locale converts it (code page 1252).
#include "sys.h"

namespace fw::sys {

namespace {

// Code page 1252 gives 0x80 to 0x9F to these characters; the rest of 0x00 to 0xFF is Latin-1.
constexpr char16_t kHighControls[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

char toCodePage(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::string wideToAnsi(const std::u16string& text) {
    std::string result;
    result.reserve(text.size());
    // Each UTF-16 unit on its own: a character outside the basic plane gives "??", as
    // WideCharToMultiByte does.
    for (char16_t c : text) {
        result += toCodePage(c);
    }
    return result;
}

}  // namespace fw::sys
