// The item list of a combo box, kept as the platform keeps it: a sorted list places each new item
// in the platform's case-blind order (text_order.h), and a search finds the first item that
// begins with a text, ignoring the case of ASCII letters.
#pragma once

#include <string>
#include <vector>

namespace fw::headless {

class ComboItems {
  public:
    explicit ComboItems(bool sorted) : sorted_(sorted) {}

    // Returns the new item's index.
    int add(const std::string& text);
    void clear() { items_.clear(); }
    int count() const { return static_cast<int>(items_.size()); }
    // Empty for an index out of range.
    std::string text(int index) const;
    // Searches from the item after startAfter (from the top when that is -1 or past the end),
    // wrapping around; -1 when no item begins with prefix or prefix is empty.
    int findPrefix(int startAfter, const std::string& prefix) const;

  private:
    bool sorted_;
    std::vector<std::string> items_;
};

}  // namespace fw::headless
