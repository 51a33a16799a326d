// Combo boxes, list views with images and progress bars, the same on both backends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/inspect.h"
#include "framework/test_driver.h"
#include "sample_dialog.h"

namespace {

using fw::test::Driver;

TEST(ComboBox, SortsAndSelectsByPrefixIgnoringCase) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
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
    combo.resetContent();
    for (const char* name : {"Work 2", "beta", "Work", "Alpha"}) {
        combo.addString(name);
    }

    struct Row {
        const char* prefix;
        int found;     // -1: not found
        int selected;  // selection afterwards
    };
    const Row rows[] = {
        {"work", 2, 2}, {"WORK 2", 3, 3}, {"gamma", -1, 3},
        {"B", 1, 1},    {"Alpha", 0, 0},  {"Work 22", -1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.prefix);
        EXPECT_EQ(combo.selectString(-1, row.prefix), row.found);
        EXPECT_EQ(combo.currentSelection(), row.selected);
    }

    // The user's choice reaches the member; an empty list selects nothing.
    driver.choose(dialog, IDC_LIST, 3);
    ASSERT_TRUE(dialog.updateData(true));
    EXPECT_EQ(dialog.listIndex, 3);
    combo.resetContent();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentSelection(), -1);
    EXPECT_EQ(combo.selectString(-1, "Work"), -1);
}

TEST(ListView, RowsImagesAndHitTesting) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    fw::ListView list(dialog, IDC_ROWS);
    fw::ImageList images;
    ASSERT_TRUE(images.createFromBitmap(IDB_IMAGES, 15, 0xFFFFFF));
    EXPECT_EQ(images.count(), 2);
    EXPECT_FALSE(fw::ImageList().createFromBitmap(9999, 15, 0xFFFFFF));

    EXPECT_EQ(list.insertColumn(0, "Tasks", 100, fw::Align::left), 0);
    EXPECT_EQ(list.insertColumn(1, "Details", 200, fw::Align::left), 1);
    list.setSmallImages(images);
    ASSERT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.columnHeading(1), "Details");
    EXPECT_EQ(fw::test::columnWidth(list, 0), 100);
    EXPECT_EQ(fw::test::columnWidth(list, 1), 200);

    const char* names[] = {"Dial the office", "Dial at night", "Dial on Sunday"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.insertItem(i, names[i], i % 2), i);
        EXPECT_TRUE(list.setItemText(i, 1, "Will Execute: " + std::to_string(i)));
    }
    EXPECT_TRUE(list.setItemImage(2, 1));
    ASSERT_EQ(list.itemCount(), 3);
    EXPECT_EQ(list.itemImage(0), 0);
    EXPECT_EQ(list.itemImage(1), 1);
    EXPECT_EQ(list.itemImage(2), 1);

    // Deleting the middle row moves the last one up.
    EXPECT_TRUE(list.deleteItem(1));
    ASSERT_EQ(list.itemCount(), 2);
    EXPECT_EQ(list.itemText(1, 0), "Dial on Sunday");
    EXPECT_EQ(list.itemText(1, 1), "Will Execute: 2");
    EXPECT_EQ(list.itemImage(1), 1);

    for (int i = 0; i < 2; ++i) {
        fw::Rect row = list.itemRect(i);
        EXPECT_GT(row.height(), 0);
        EXPECT_EQ(list.hitTest({row.left + 30, (row.top + row.bottom) / 2}), i);
    }
    fw::Rect last = list.itemRect(1);
    EXPECT_EQ(list.hitTest({last.left + 30, last.bottom + 4}), -1);

    list.deleteAllItems();
    EXPECT_EQ(list.itemCount(), 0);
}

TEST(ListView, ClicksArriveAsNotificationsWithThePointer) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    fw::ListView list(dialog, IDC_ROWS);
    list.insertColumn(0, "Tasks", 100, fw::Align::left);
    list.insertItem(0, "Dial the office", 0);
    fw::Rect row = list.itemRect(0);
    fw::Point inRow{row.left + 30, (row.top + row.bottom) / 2};

    driver.clickList(dialog, IDC_ROWS, fw::nm::kRightClick, inRow);
    ASSERT_FALSE(dialog.log.empty());
    EXPECT_EQ(dialog.log.back(), "notify " + std::to_string(IDC_ROWS) + "/-5");
    // The pointer is where the click was: measured from the list's outer corner, as the
    // schedule list does, it still lies on row 0.
    fw::Rect outer = list.windowRect();
    fw::Point cursor = fw::cursorPos();
    EXPECT_EQ(list.hitTest({cursor.x - outer.left, cursor.y - outer.top}), 0);
}

TEST(ProgressBar, RangeStepAndPosition) {
    Driver driver;
    SampleDialog dialog;
    ASSERT_TRUE(driver.open(dialog));
    ASSERT_TRUE(dialog.progress.attached());  // bound by the exchange
    fw::ProgressBar& bar = dialog.progress;

    bar.setRange(0, 5);
    EXPECT_EQ(fw::test::range(bar), std::make_pair(0, 5));
    EXPECT_EQ(bar.setStep(1), 10);  // the platform's default step
    EXPECT_EQ(bar.setPos(0), 0);
    for (int expected = 0; expected < 5; ++expected) {
        EXPECT_EQ(bar.stepIt(), expected);
    }
    EXPECT_EQ(bar.pos(), 5);
    // Past the end the bar starts over.
    EXPECT_EQ(bar.stepIt(), 5);
    EXPECT_EQ(bar.pos(), 1);
    EXPECT_EQ(bar.setPos(3), 1);
    EXPECT_EQ(bar.pos(), 3);
}

}  // namespace
