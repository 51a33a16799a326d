// Dialogs from templates (one that refuses its creation makes no window) and their data exchange,
// and the controls they hold (combo boxes, list views with images, progress bars), the same on
// both backends.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/test_driver.h"
#include "sample_dialog.h"

namespace {

using fw::test::Driver;

// ES_PASSWORD, ES_AUTOHSCROLL, CBS_SORT, WS_VISIBLE, WS_DISABLED.
constexpr std::uint32_t kPassword = 0x0020, kAutoScroll = 0x0080, kSorted = 0x0100,
                        kVisible = 0x10000000, kDisabled = 0x08000000;

using DialogTest = SampleDialogTest;

TEST_F(DialogTest, ControlsComeFromTheTemplate) {
    EXPECT_EQ(dialog.text(), "Sample Dialog");
    EXPECT_TRUE(dialog.isVisible());

    const struct {
        int id;
        const char* className;
        const char* text;
        std::uint32_t mask;
        std::uint32_t bits;
    } rows[] = {
        {fw::kIdOk, "Button", "&Go", 0xF, 0x1},        // default push button
        {fw::kIdCancel, "Button", "&Exit", 0xF, 0x0},  // push button
        {IDC_FLAG, "Button", "Flag", 0xF, 0x3},        // automatic check box
        {IDC_RADIO_A, "Button", "A", 0xF, 0x9},        // automatic radio button
        {IDC_NAME, "Edit", "Ada", kPassword | kAutoScroll, kAutoScroll},
        {IDC_SECRET, "Edit", "hidden", kPassword | kAutoScroll, kPassword | kAutoScroll},
        {IDC_LABEL, "Static", "Status", 0, 0},  // the exchange replaced "Placeholder"
        {IDC_LIST, "ComboBox", "", 0x3 | kSorted, 0x3 | kSorted},  // sorted drop-down list
        {IDC_DAY, "Edit", "15", 0, 0},
        {IDC_COUNT, "Edit", "-3", 0, 0},
        {IDC_MINUTES, "Edit", "30", 0, 0},
        {IDC_ROWS, "SysListView32", "", 0x3 | 0x4, 0x1 | 0x4},  // report view, single selection
        {IDC_PROGRESS, "msctls_progress32", "", 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        fw::Control control = dialog.item(row.id);
        ASSERT_NE(control.handle(), nullptr);
        EXPECT_EQ(control.className(), row.className);
        EXPECT_EQ(control.text(), row.text);
        EXPECT_EQ(fw::test::style(control) & row.mask, row.bits);
        EXPECT_EQ(fw::test::style(control) & (kVisible | kDisabled), kVisible);
    }
    EXPECT_EQ(dialog.item(9999).handle(), nullptr);

    // Automatic check boxes toggle, from unchecked; a radio button unchecks the others of its
    // group.
    const struct {
        int click;
        int flag, a, b;
    } clicks[] = {{IDC_FLAG, 1, 0, 0},
                  {IDC_RADIO_A, 1, 1, 0},
                  {IDC_RADIO_B, 1, 0, 1},
                  {IDC_FLAG, 0, 0, 1},
                  {IDC_RADIO_B, 0, 0, 1}};
    for (const auto& row : clicks) {
        driver.click(dialog, row.click);
        EXPECT_EQ((std::vector<int>{dialog.item(IDC_FLAG).checkState(),
                                    dialog.item(IDC_RADIO_A).checkState(),
                                    dialog.item(IDC_RADIO_B).checkState()}),
                  (std::vector<int>{row.flag, row.a, row.b}))
            << "after a click on " << row.click;
    }
}

// A dialog that refuses its creation (the dialer's, over a damaged settings file) ends at once.
TEST(Dialog, OneThatRefusesItsCreationIsNotMade) {
    Driver driver;
    SampleDialog dialog;
    dialog.failCreation = true;
    EXPECT_FALSE(driver.open(dialog));
    EXPECT_EQ(dialog.result(), -1);
}

TEST(Dialog, ExchangeStopsAtTheFirstFieldThatDoesNotConvert) {
    const struct {
        const char* day;
        const char* count;
        const char* minutes;
        const char* message;  // nullptr: the dialog ends with OK
        int dayAfter;
        int countAfter;
    } rows[] = {
        {"", "x", "y", "Please enter an integer.", 15, -3},
        {"32", "1", "1", "Please enter an integer between 1 and 31.", 32, -3},
        {" 7 ", "1x", "1", "Please enter an integer.", 7, -3},
        {"7", "2147483648", "1", "Please enter an integer.", 7, -3},
        {"7", "-4", "-1", "Please enter a positive integer.", 7, -4},
        {"7", "-4", "4294967296", "Please enter a positive integer.", 7, -4},
        {"31", "-2147483648", "4294967295", nullptr, 31, -2147483647 - 1},
        {"+1", "+0", "+0", nullptr, 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.day) + "/" + row.count + "/" + row.minutes);
        Driver driver;
        SampleDialog dialog;
        ASSERT_TRUE(driver.open(dialog));
        driver.type(dialog, IDC_DAY, row.day);
        driver.type(dialog, IDC_COUNT, row.count);
        driver.type(dialog, IDC_MINUTES, row.minutes);
        driver.type(dialog, IDC_NAME, "Grace");
        driver.click(dialog, fw::kIdOk);

        // The fields before the bad one are taken.
        EXPECT_EQ(std::tie(dialog.day, dialog.count, dialog.name),
                  std::make_tuple(row.dayAfter, row.countAfter, std::string("Grace")));
        if (row.message == nullptr) {
            EXPECT_TRUE(driver.messageBoxes().empty());
            EXPECT_FALSE(driver.isOpen(dialog));
            EXPECT_EQ(dialog.result(), fw::kIdOk);
            continue;
        }
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        const auto& box = driver.messageBoxes()[0];
        EXPECT_EQ(std::tie(box.text, box.caption, box.type, box.owner),
                  std::make_tuple(std::string(row.message), std::string("Framework Test"),
                                  fw::mb::kOk | fw::mb::kIconExclamation, dialog.handle()));
        EXPECT_EQ(dialog.minutes, 30u);  // never reached
    }
}

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
