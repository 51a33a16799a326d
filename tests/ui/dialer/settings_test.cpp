// What the main window makes of "Ondrel.dat": the current entry in its fields, and the account
// typed there saved into that entry's triple at exit.
#include "dialer_fixture.h"
#include "resource.h"
#include "settings_bytes.h"

namespace {

using SettingsTest = DialerTest;

TEST_F(SettingsTest, TheCurrentEntryFillsTheFieldsAndTakesTheTypedAccountAtTheEnd) {
    const struct {
        const char* what;
        std::string before;
        const char* shown;  // name|account ID|password
        std::string after;  // once "x" and "y" were typed and the window ended
    } rows[] = {
        {"the last of three current", settingsFile({1}, 3, 2, kThree), "Lab|cyd|three",
         settingsFile({1}, 3, 2, {kThree[0], kThree[1], {"Lab", "x", "y"}})},
        // Accounts not to be saved are shown as the file holds them, and written empty.
        {"not stored", settingsFile({0}, 2, 1, {kThree[0], kThree[1]}), "Work|bob|two",
         settingsFile({0}, 2, 1, {{"Home", "", ""}, {"Work", "", ""}})},
        // An index before the first entry is no entry: saved, but into no triple.
        {"negative index", settingsFile({1}, 3, -1, kThree) + "junk", "||",
         settingsFile({1}, 3, -1, kThree)},
        // An index past the end is not less than the count: nothing is saved.
        {"index past the end", settingsFile({1}, 3, 3, kThree) + "junk", "||",
         settingsFile({1}, 3, 3, kThree) + "junk"},
        {"bytes after the last entry", settingsFile({1}, 1, 0, {kThree[0]}) + "junk",
         "Home|ann|one", settingsFile({1}, 1, 0, {{"Home", "x", "y"}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CDialerDlg window(service);
        ASSERT_TRUE(openWith(window, row.before));
        EXPECT_EQ(window.item(IDC_ENTRY_NAME).text() + "|" + window.item(IDC_USER_ID).text() + "|" +
                      window.item(IDC_PASSWORD).text(),
                  row.shown);
        EXPECT_EQ(window.item(IDC_STATUS).text(), "Disconnected");
        EXPECT_TRUE(driver.messageBoxes().empty());
        driver.type(window, IDC_USER_ID, "x");
        driver.type(window, IDC_PASSWORD, "y");
        driver.click(window, fw::kIdCancel);
        EXPECT_EQ(settings(), row.after);
    }
}

}  // namespace
