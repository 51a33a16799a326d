// The wizard: every way through its pages ends setup, and a destination page opens with the
// default folder; "Browse..." on the destination page.
#include "setup/wizard/wizard.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/file_dialog.h"
#include "framework/inspect.h"
#include "framework/paths.h"
#include "setup/wizard/destination_dlg.h"
#include "setup_fixture.h"

namespace {

constexpr const char* kDefaultFolder = "C:\\Program Files\\Kestrune\\Ondrel";
// What the user does in a dialog besides clicking a button by its id.
constexpr int kCloseBox = -1;
constexpr int kWait = -2;  // half a second

class WizardTest : public SetupTest {
  protected:
    // A dialog of the wizard and what the user does in it, in order.
    struct Visit {
        int dialog;
        std::vector<int> actions;
    };

    // A dialog as it opens: its template, and the folder a destination page shows.
    static std::string opening(int dialog, const std::string& folder) {
        return std::to_string(dialog) + (dialog == ids::kDestination ? " " + folder : "");
    }

    // Runs the wizard through the visits, given in the order the dialogs open; returns the
    // dialogs that opened.
    std::vector<std::string> runWizard(const std::vector<Visit>& visits) {
        std::vector<std::string> opened;
        for (const Visit& visit : visits) {
            driver.onModal(visit.dialog, [&opened, visit](fw::test::Driver& d, fw::Dialog& dlg) {
                opened.push_back(opening(visit.dialog, dlg.item(ids::kDestFolder).text()));
                for (const int action : visit.actions) {
                    if (action == kCloseBox) {
                        d.close(dlg);
                    } else if (action == kWait) {
                        d.advance(500);
                    } else {
                        d.click(dlg, action);
                    }
                }
            });
        }
        RunWizard();
        return opened;
    }
};

TEST_F(WizardTest, EveryWayThroughThePagesEndsSetup) {
    const struct {
        const char* name;
        std::vector<Visit> visits;
        bool installed;
    } rows[] = {
        {"a folder chosen, back, next: the default folder again",
         {{ids::kWelcome, {fw::kIdOk}},
          {ids::kDestination, {ids::kBrowse, ids::kDestBack}},
          {ids::kWelcome, {fw::kIdOk}},
          {ids::kDestination, {fw::kIdCancel}},
          {ids::kCancelSetup, {fw::kIdCancel}}},
         false},
        {"exit in the prompt that stayed up while the copy finished",
         {{ids::kWelcome, {fw::kIdOk}},
          {ids::kDestination, {ids::kBrowse, fw::kIdOk}},
          {ids::kCopying, {fw::kIdCancel}},
          {ids::kCancelSetup, {kWait, fw::kIdCancel}}},
         true},
        {"resume in the prompt that stayed up while the copy finished",
         {{ids::kWelcome, {fw::kIdOk}},
          {ids::kDestination, {ids::kBrowse, fw::kIdOk}},
          {ids::kCopying, {fw::kIdCancel}},
          {ids::kCancelSetup, {kWait, fw::kIdOk}},
          {ids::kComplete, {fw::kIdOk}}},
         true},
        {"resume before the copy, then an installation",
         {{ids::kWelcome, {fw::kIdOk}},
          {ids::kDestination, {ids::kBrowse, fw::kIdOk}},
          {ids::kCopying, {fw::kIdCancel, kWait}},
          {ids::kCancelSetup, {fw::kIdOk}},
          {ids::kComplete, {kCloseBox}}},
         true},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.name);
        const std::string folder = destination(std::to_string(i));
        driver.clearRecords();
        std::vector<std::string> expected;
        for (const Visit& visit : row.visits) {
            expected.push_back(opening(visit.dialog, kDefaultFolder));
            if (std::count(visit.actions.begin(), visit.actions.end(), ids::kBrowse) > 0) {
                driver.answerFileDialog(folder + "\\install to");
            }
        }
        EXPECT_EQ(runWizard(row.visits), expected);
        ASSERT_EQ(driver.shell().size(), 1u);
        EXPECT_EQ(driver.shell()[0].kind, "quit");
        EXPECT_EQ(driver.shell()[0].target, "0");
        EXPECT_EQ(fw::test::fileExists(folder + "\\Ondrel.exe"), row.installed);
    }
}

TEST_F(WizardTest, BrowseTakesTheFolderOfTheChosenNameAndSetupKeepsItsOwnFolder) {
    ASSERT_TRUE(fw::createDirectory(scratch.path + "\\Kestrune"));
    CDestinationDlg dlg(nullptr);
    EXPECT_EQ(dlg.m_strSourceFolder, source);
    ASSERT_TRUE(driver.open(dlg));
    EXPECT_EQ(dlg.item(ids::kDestFolder).text(), kDefaultFolder);
    const struct {
        std::optional<std::string> chosen;
        std::string shown;
    } rows[] = {
        {scratch.path + "\\Kestrune\\install to", scratch.path + "\\Kestrune"},
        {std::nullopt, scratch.path + "\\Kestrune"},  // cancelled
        {"C:\\install to", "C:"},
    };
    for (const auto& row : rows) {
        driver.answerFileDialog(row.chosen);
        driver.click(dlg, ids::kBrowse);
        EXPECT_EQ(dlg.item(ids::kDestFolder).text(), row.shown);
        EXPECT_EQ(fw::currentDirectory(), source);
    }
    const fw::test::FileDialogRecord& asked = driver.fileDialogs().back();
    EXPECT_TRUE(asked.open);
    EXPECT_EQ(asked.fileName, "install to");
    EXPECT_EQ(asked.filter, "---- | *.* ||");
    EXPECT_EQ(asked.defaultExt, "");
    EXPECT_EQ(asked.flags, fw::kOfnHideReadOnly);
    EXPECT_EQ(asked.owner, dlg.handle());
    driver.click(dlg, fw::kIdOk);
    EXPECT_EQ(dlg.result(), fw::kIdOk);
    EXPECT_EQ(dlg.m_strDestFolder, "C:");
}

}  // namespace
