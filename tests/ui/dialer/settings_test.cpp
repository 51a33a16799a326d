// What the main window makes of "Ondrel.dat": the current entry in its fields, the account typed
// there saved into that entry's triple at exit, and a damaged file that ends the start-up.
#include "dialer_fixture.h"
#include "framework/message_box.h"
#include "resource.h"
#include "settings_bytes.h"

namespace {

const std::vector<Triple> kThree = {
    {"Home", "ann", "one"}, {"Work", "bob", "two"}, {"Lab", "cyd", "three"}};

using SettingsTest = DialerTest;

TEST_F(SettingsTest, TheCurrentEntryFillsTheFields) {
    const struct {
        const char* what;
        std::string file;
        const char* name;
        const char* userId;
        const char* password;
    } rows[] = {
        {"three, the last current", settingsFile({1}, 3, 2, kThree), "Lab", "cyd", "three"},
        {"not stored",
         settingsFile({0}, 3, 1, {{"Home", "", ""}, {"Work", "", ""}, {"Lab", "", ""}}), "Work", "",
         ""},
        {"index past the end", settingsFile({1}, 3, 3, kThree), "", "", ""},
        {"negative index", settingsFile({1}, 3, -1, kThree), "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CDialerDlg window(service);
        writeSettings(row.file);
        ASSERT_TRUE(driver.open(window));
        EXPECT_EQ(window.item(IDC_ENTRY_NAME).text(), row.name);
        EXPECT_EQ(window.item(IDC_USER_ID).text(), row.userId);
        EXPECT_EQ(window.item(IDC_PASSWORD).text(), row.password);
        EXPECT_EQ(window.item(IDC_STATUS).text(), "Disconnected");
        EXPECT_TRUE(driver.messageBoxes().empty());
        driver.click(window, fw::kIdCancel);
    }
}

TEST_F(SettingsTest, TheTypedAccountGoesIntoTheCurrentTripleOnly) {
    const struct {
        const char* what;
        std::string before;
        std::string after;  // the file once "x" and "y" were typed and the window ended
    } rows[] = {
        {"second of three current", settingsFile({1}, 3, 1, kThree),
         settingsFile({1}, 3, 1, {kThree[0], {"Work", "x", "y"}, kThree[2]})},
        {"not stored", settingsFile({0}, 1, 0, {{"Home", "ann", "one"}}),
         settingsFile({0}, 1, 0, {{"Home", "", ""}})},
        // An index before the first entry is no entry: saved, but into no triple.
        {"negative index", settingsFile({1}, 3, -1, kThree) + "junk",
         settingsFile({1}, 3, -1, kThree)},
        // An index past the end is not less than the count: nothing is saved.
        {"index past the end", settingsFile({1}, 3, 3, kThree) + "junk",
         settingsFile({1}, 3, 3, kThree) + "junk"},
        {"bytes after the last entry", settingsFile({1}, 1, 0, {{"Home", "ann", "one"}}) + "junk",
         settingsFile({1}, 1, 0, {{"Home", "x", "y"}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CDialerDlg window(service);
        writeSettings(row.before);
        ASSERT_TRUE(driver.open(window));
        driver.type(window, IDC_USER_ID, "x");
        driver.type(window, IDC_PASSWORD, "y");
        driver.click(window, fw::kIdCancel);
        EXPECT_EQ(settings(), row.after);
    }
}

TEST_F(SettingsTest, AFileThatEndsTooEarlyIsDeletedAndEndsTheStart) {
    const std::string whole = settingsFile({1}, 3, 0, kThree);
    const struct {
        const char* what;
        std::string file;
    } rows[] = {
        {"empty", ""},
        {"inside the third password", whole.substr(0, whole.size() - 2)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        driver.clearRecords();
        CDialerDlg window(service);
        writeSettings(row.file);
        EXPECT_FALSE(driver.open(window));
        ASSERT_NO_FATAL_FAILURE(expectOnlyMessageBox(
            "The Ondrel.dat file has become corrupt and will deleted.\nOnce the file is "
            "deleted, you will need to restart Ondrel. ",
            "Error: Invalid Ondrel.dat File!", fw::mb::kOk | fw::mb::kIconExclamation));
        ASSERT_FALSE(driver.tray().empty());
        EXPECT_EQ(driver.messageBoxes()[0].owner, driver.tray().front().owner);
        // Deleted, and nothing of it written back as the window went.
        EXPECT_FALSE(window.exists());
        EXPECT_EQ(settings(), std::nullopt);
    }
}

}  // namespace
