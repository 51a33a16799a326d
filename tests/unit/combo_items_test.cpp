// The headless combo box's item list: sorted insertion in the platform's case-blind order and
// prefix search, which the win32 backend gets from the platform. The expected orders are what
// a sorted combo box does under Wine.
#include "../../framework/headless/combo_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fw::headless::ComboItems;

std::vector<std::string> texts(const ComboItems& items) {
    std::vector<std::string> result;
    for (int i = 0; i < items.count(); ++i) {
        result.push_back(items.text(i));
    }
    return result;
}

TEST(ComboItems, SortedInsertionFollowsThePlatformsOrder) {
    // Symbols before digits before letters; hyphens and apostrophes count only between texts
    // that are otherwise equal; accents only between texts equal without them.
    const std::vector<std::string> sorted = {
        "10",   "9",    "a b", "a&b",  "a(b", "a.b",  "a@b",  "a_b",  "a~b",
        "a+b",  "a1",   "ab",  "ab-",  "a'b", "a-b",  "a--b", "-ab",  "abc",
        "ab-c", "a-bc", "a-c", "\xE6", "e",   "\xE9", "f",    "Work", "Work 2",
    };
    // Inserted in a scrambled order: every item must find its place.
    ComboItems items(true);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        items.add(sorted[(i * 7) % sorted.size()]);
    }
    EXPECT_EQ(texts(items), sorted);
}

TEST(ComboItems, InsertionIndexesAndEqualTexts) {
    ComboItems items(true);
    struct Row {
        const char* text;
        int index;
    };
    // An item equal but for case goes before the one the search met.
    const Row rows[] = {{"Work 2", 0}, {"beta", 0},    {"Work", 1}, {"Alpha", 0},
                        {"WORK", 2},   {"work 10", 4}, {"", 0},     {"\xC9t\xE9", 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(items.add(row.text), row.index);
    }
    EXPECT_EQ(texts(items), (std::vector<std::string>{"", "Alpha", "beta", "\xC9t\xE9", "WORK",
                                                      "Work", "work 10", "Work 2"}));

    ComboItems unsorted(false);
    for (const char* text : {"b", "A", "c"}) {
        unsorted.add(text);
    }
    EXPECT_EQ(texts(unsorted), (std::vector<std::string>{"b", "A", "c"}));
    EXPECT_EQ(unsorted.text(3), "");
    EXPECT_EQ(unsorted.text(-1), "");
}

TEST(ComboItems, PrefixSearchWrapsAroundAndIgnoresCase) {
    ComboItems items(true);
    for (const char* text : {"Work 2", "beta", "Work", "Alpha", "\xC9t\xE9"}) {
        items.add(text);
    }
    ASSERT_EQ(texts(items),
              (std::vector<std::string>{"Alpha", "beta", "\xC9t\xE9", "Work", "Work 2"}));
    struct Row {
        int startAfter;
        const char* prefix;
        int found;
    };
    const Row rows[] = {
        {-1, "work", 3},   {3, "work", 4},      {4, "WORK", 3},  // wraps to the first match
        {-1, "Work 2", 4}, {-1, "work 22", -1}, {-1, "B", 1},      {1, "b", 1},  // only itself
        {-1, "gamma", -1}, {-1, "", -1},        {99, "a", 0},      {-7, "alpha", 0},
        {-1, "\xC9T", 2},  {-1, "et", -1},      {-1, "\xE9T", -1},  // only ASCII letters fold
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.startAfter) + " " + row.prefix);
        EXPECT_EQ(items.findPrefix(row.startAfter, row.prefix), row.found);
    }
    EXPECT_EQ(ComboItems(true).findPrefix(-1, "a"), -1);
}

}  // namespace
