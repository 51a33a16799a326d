#include "text_order.h"

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace fw::headless {

namespace {

// The symbols of the code page in the platform's order.
constexpr std::string_view kSymbols =
    " \xA0!\"#$%&()*,./:;?@[\\]\x88^_`{|}~\xA1\xA6\xA8\xAF\xB4\xB8\xBF\x98\x91\x92\x82\x93\x94"
    "\x84\x8B\x9B\xA2\xA3\xA4\xA5\x80+<=>\xB1\xAB\xBB\xD7\xF7\xA7\xA9\xAC\xAE\xB0\xB5\xB6\xB7"
    "\x85\x86\x87\x95\x89\x81\x8D\x8F\x90\x9D";

// For 0xC0 to 0xFF: the base letter ('.' for the two symbols and the letters that stand for
// two, which expand() spells out), and the accent, in the platform's order of accents: none,
// acute, grave, circumflex, diaeresis, tilde, ring, cedilla, stroke.
constexpr std::string_view kLatin1Bases =
    "aaaaaa.ceeeeiiiidnooooo.ouuuuy..aaaaaa.ceeeeiiiidnooooo.ouuuuy.y";
constexpr std::string_view kLatin1Accents =
    "2135460721342134852135408213410021354607213421348521354082134104";
constexpr int kDiaeresis = 4;
constexpr int kCaron = 9;

// Weights of the first level: every symbol, then the digits, then the letters.
constexpr int kDigitWeight = 1000;
constexpr int kLetterWeight = 2000;

struct Key {
    std::vector<int> primary;
    std::vector<int> accents;  // per letter or digit: its form, 0 for plain
    // Hyphens and apostrophes: where (negated: one further along weighs less) and which kind.
    std::vector<std::pair<int, int>> specials;
};

// The letters a character stands for, lower case, or an empty view for a non-letter.
std::string_view expand(unsigned char c) {
    switch (c) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0x8C:
        case 0x9C:
            return "oe";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x8A:
        case 0x9A:
            return "s";
        case 0x8E:
        case 0x9E:
            return "z";
        case 0x9F:
            return "y";
        case 0x83:
            return "f";
        case 0x99:  // trade mark
            return "tm";
        case 0xAA:
            return "a";
        case 0xBA:
            return "o";
        default:
            break;
    }
    if (c >= 0xC0 && kLatin1Bases[c - 0xC0] != '.') {
        return kLatin1Bases.substr(c - 0xC0, 1);
    }
    return {};
}

int accent(unsigned char c) {
    if (c >= 0xC0) {
        return kLatin1Accents[c - 0xC0] - '0';
    }
    switch (c) {
        case 0x8A:
        case 0x9A:
        case 0x8E:
        case 0x9E:
            return kCaron;
        case 0x9F:
            return kDiaeresis;
        default:
            return 0;
    }
}

// The fractions sort among the digits just after 0, the superscripts after their plain digit:
// the digit and the form.
std::pair<int, int> digitForm(unsigned char c) {
    switch (c) {
        case 0xBC:  // one quarter
            return {0, 1};
        case 0xBD:  // one half
            return {0, 2};
        case 0xBE:  // three quarters
            return {0, 3};
        case 0xB9:
            return {1, 4};
        case 0xB2:
            return {2, 4};
        case 0xB3:
            return {3, 4};
        default:
            return {-1, 0};
    }
}

// Hyphens, apostrophes and the dashes count only when all else is equal.
int specialKind(unsigned char c) {
    switch (c) {
        case 0xAD:  // soft hyphen
            return 0;
        case '\'':
            return 1;
        case '-':
            return 2;
        case 0x96:  // en dash
            return 3;
        case 0x97:  // em dash
            return 4;
        default:
            return -1;
    }
}

// Folds a character of the code page to lower case.
char lowerCase(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
        return static_cast<char>(u + 0x20);
    }
    switch (u) {
        case 0x8A:  // S caron
        case 0x8C:  // OE
        case 0x8E:  // Z caron
            return static_cast<char>(u + 0x10);
        case 0x9F:  // Y diaeresis
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

Key keyOf(const std::string& text) {
    Key key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(lowerCase(text[i]));
        if (int kind = specialKind(c); kind >= 0) {
            key.specials.emplace_back(-static_cast<int>(i), kind);
        } else if (c >= '0' && c <= '9') {
            key.primary.push_back(kDigitWeight + (c - '0'));
            key.accents.push_back(0);
        } else if (auto [digit, form] = digitForm(c); digit >= 0) {
            key.primary.push_back(kDigitWeight + digit);
            key.accents.push_back(form);
        } else if (c >= 'a' && c <= 'z') {
            key.primary.push_back(kLetterWeight + (c - 'a'));
            key.accents.push_back(0);
        } else if (std::string_view letters = expand(c); !letters.empty()) {
            for (char letter : letters) {
                key.primary.push_back(kLetterWeight + (letter - 'a'));
                key.accents.push_back(accent(c));
            }
        } else {
            // Control characters, outside the table, come after the symbols.
            std::size_t symbol = kSymbols.find(static_cast<char>(c));
            key.primary.push_back(
                static_cast<int>(symbol != std::string_view::npos ? symbol : 256 + c));
        }
    }
    return key;
}

template <class T>
int compareSequences(const std::vector<T>& a, const std::vector<T>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int compareTexts(const std::string& a, const std::string& b) {
    Key first = keyOf(a);
    Key second = keyOf(b);
    if (int order = compareSequences(first.primary, second.primary); order != 0) {
        return order;
    }
    if (int order = compareSequences(first.accents, second.accents); order != 0) {
        return order;
    }
    return compareSequences(first.specials, second.specials);
}

}  // namespace fw::headless
