// Combo boxes, list views with images and progress bars, the same on both backends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/inspect.h"
#include "sample_dialog.h"

namespace {

using ComboBox = SampleDialogTest;
using ListView = SampleDialogTest;
using ProgressBar = SampleDialogTest;

TEST_F(ComboBox, SortsAndSelectsByPrefixIgnoringCase) {
    fw::ComboBox combo(dialog, IDC_LIST);
    // Entry names as users give them: case, digits, blanks and brackets.
    const std::vector<std::string> added = {"Work 2", "beta",     "Work", "Alpha", "ISP (backup)",
                                            "isp",    "2nd Line", "Zeta", "WORK"};
    std::vector<int> indexes;
    for (const std::string& name : added) {
        indexes.push_back(combo.addString(name));
    }
    // "WORK" is equal to "Work" ignoring case and goes before it.
    EXPECT_EQ(indexes, (std::vector<int>{0, 0, 1, 0, 2, 2, 0, 7, 5}));
    std::vector<std::string> items;
    for (int i = 0; i < combo.count(); ++i) {
        items.push_back(combo.itemText(i));
    }
    EXPECT_EQ(items, (std::vector<std::string>{"2nd Line", "Alpha", "beta", "isp", "ISP (backup)",
                                               "WORK", "Work", "Work 2", "Zeta"}));

    const struct {
        const char* prefix;
        int found;     // -1: not found
        int selected;  // selection afterwards
    } rows[] = {
        {"work", 5, 5},  {"WORK 2", 7, 7},   {"gamma", -1, 7}, {"B", 2, 2},
        {"Alpha", 1, 1}, {"Work 22", -1, 1}, {"isp (", 4, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.prefix);
        EXPECT_EQ(combo.selectString(-1, row.prefix), row.found);
        EXPECT_EQ(combo.currentSelection(), row.selected);
    }

    // An empty list selects nothing.
    combo.resetContent();
    EXPECT_EQ(combo.currentSelection(), -1);
    EXPECT_EQ(combo.selectString(-1, "Work"), -1);
}

TEST_F(ListView, RowsMoveUpWhenOneAboveIsDeleted) {
    fw::ListView list(dialog, IDC_ROWS);
    fw::ImageList images;
    ASSERT_TRUE(images.createFromBitmap(IDB_IMAGES, 15, 0xFFFFFF));
    EXPECT_EQ(images.count(), 2);  // from a bitmap 30 pixels wide
    list.insertColumn(0, "Tasks", 100, fw::Align::left);
    list.insertColumn(1, "Details", 200, fw::Align::left);
    list.setSmallImages(images);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.insertItem(i, "Task " + std::to_string(i), 0), i);
        EXPECT_TRUE(list.setItemText(i, 1, "Will Execute: " + std::to_string(i)));
    }
    EXPECT_TRUE(list.setItemImage(2, 1));

    EXPECT_TRUE(list.deleteItem(1));
    ASSERT_EQ(list.itemCount(), 2);
    EXPECT_EQ(list.itemText(1, 0) + "|" + list.itemText(1, 1), "Task 2|Will Execute: 2");
    EXPECT_EQ(list.itemImage(1), 1);
    const fw::Rect moved = list.itemRect(1);
    EXPECT_EQ(list.hitTest({moved.left + 30, (moved.top + moved.bottom) / 2}), 1);
    EXPECT_EQ(list.hitTest({moved.left + 30, moved.bottom + 4}), -1);
}

TEST_F(ProgressBar, StepsAndStartsOverPastTheEnd) {
    fw::ProgressBar& bar = dialog.progress;  // bound by the exchange
    bar.setRange(0, 5);
    EXPECT_EQ(fw::test::range(bar), std::make_pair(0, 5));
    EXPECT_EQ(bar.setStep(1), 10);  // the platform's default step
    std::vector<int> before;
    for (int step = 0; step < 6; ++step) {
        before.push_back(bar.stepIt());
    }
    EXPECT_EQ(before, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(bar.pos(), 1);
    EXPECT_EQ(bar.setPos(3), 1);
    EXPECT_EQ(bar.pos(), 3);
}

}  // namespace
