#include "combo_items.h"

#include <cstddef>

#include "text_order.h"

namespace fw::headless {

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// As the platform's prefix search: character by character, ignoring the case of ASCII letters
// only (Wine's list box folds no other; an accented letter must match exactly).
bool beginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (asciiLower(text[i]) != asciiLower(prefix[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int ComboItems::add(const std::string& text) {
    // The platform's binary search: an equal item found on the way takes the new one before it.
    int position = count();
    if (sorted_) {
        int low = 0;
        int high = count() - 1;
        position = -1;
        while (low <= high && position < 0) {
            int middle = (low + high) / 2;
            int order = compareTexts(items_[static_cast<std::size_t>(middle)], text);
            if (order == 0) {
                position = middle;
            } else if (order > 0) {
                high = middle - 1;
            } else {
                low = middle + 1;
            }
        }
        if (position < 0) {
            position = low;
        }
    }
    items_.insert(items_.begin() + position, text);
    return position;
}

std::string ComboItems::text(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

int ComboItems::findPrefix(int startAfter, const std::string& prefix) const {
    if (prefix.empty() || items_.empty()) {
        return -1;
    }
    int start = startAfter + 1;
    if (start < 0 || start >= count()) {
        start = 0;
    }
    for (int i = 0; i < count(); ++i) {
        int index = (start + i) % count();
        if (beginsWithIgnoringCase(items_[static_cast<std::size_t>(index)], prefix)) {
            return index;
        }
    }
    return -1;
}

}  // namespace fw::headless
