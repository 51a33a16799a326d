// The wizard's destination page: the folder it opens with and "Browse...".
#include "setup/wizard/wizard.h"

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/file_dialog.h"
#include "framework/paths.h"
#include "setup/wizard/destination_dlg.h"
#include "setup_fixture.h"

namespace {

using WizardTest = SetupTest;

// A folder chosen and left with Back: the destination page opens with the default folder again.
// Exit in the Cancel Setup prompt ends Setup with exit code 0.
TEST_F(WizardTest, BackForgetsTheChosenFolderAndExitEndsSetup) {
    // Each page's buttons in turn; the folder each destination page opened with.
    std::vector<std::string> shown;
    for (const auto& [page, pageButtons] : std::vector<std::pair<int, std::vector<int>>>{
             {ids::kWelcome, {fw::kIdOk}},
             {ids::kDestination, {ids::kBrowse, ids::kDestBack}},
             {ids::kWelcome, {fw::kIdOk}},
             {ids::kDestination, {fw::kIdCancel}},
             {ids::kCancelSetup, {fw::kIdCancel}}}) {
        driver.onModal(page, [&shown, buttons = pageButtons](fw::test::Driver& d, fw::Dialog& dlg) {
            if (dlg.templateId() == ids::kDestination) {
                shown.push_back(dlg.item(ids::kDestFolder).text());
            }
            for (const int button : buttons) {
                d.click(dlg, button);
            }
        });
    }
    driver.answerFileDialog(destination() + "\\install to");
    RunWizard();
    EXPECT_EQ(shown, (std::vector<std::string>{kDefaultFolder, kDefaultFolder}));
    ASSERT_EQ(driver.shell().size(), 1u);
    EXPECT_EQ(driver.shell()[0].kind + " " + driver.shell()[0].target, "quit 0");
}

TEST_F(WizardTest, BrowseTakesTheFolderOfTheChosenNameAndSetupKeepsItsOwnFolder) {
    ASSERT_TRUE(fw::createDirectory(scratch.path + "\\Kestrune"));
    CDestinationDlg dlg(nullptr);
    ASSERT_TRUE(driver.open(dlg));
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
    EXPECT_EQ(std::tie(asked.open, asked.fileName, asked.filter, asked.defaultExt, asked.flags,
                       asked.owner),
              std::make_tuple(true, std::string("install to"), std::string("---- | *.* ||"),
                              std::string(), fw::kOfnHideReadOnly, dlg.handle()));
    driver.click(dlg, fw::kIdOk);
    EXPECT_EQ(dlg.result(), fw::kIdOk);
    EXPECT_EQ(dlg.m_strDestFolder, "C:");
}

}  // namespace
