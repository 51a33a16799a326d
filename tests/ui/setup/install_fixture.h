// The install run under the test driver: the files it leaves in the destination folder, and the
// copying dialog where a file error stalled it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup/install/copying_dlg.h"
#include "setup_fixture.h"

class InstallTest : public SetupTest {
  protected:
    // Files 0 to count-1 of the installation in folder, each as its source; the others absent, or
    // holding previous when the folder held them before; no temporary file.
    void expectInstalled(const std::string& folder, std::size_t count = std::size(kFiles),
                         const std::optional<std::string>& previous = std::nullopt) {
        for (std::size_t i = 0; i < std::size(kFiles); ++i) {
            const std::string path = folder + kFiles[i].installed;
            EXPECT_FALSE(fw::test::fileExists(fw::temporaryName(path))) << path;
            if (i >= count) {
                EXPECT_EQ(driver.readFile(path), previous) << path;
            } else if (i != 3) {
                EXPECT_EQ(driver.readFile(path), content(i)) << path;
            } else {
                EXPECT_TRUE(fw::test::fileExists(path)) << path;
            }
        }
    }
    // After the one message box, the dialog open where the run stopped: lines, percent and bar.
    void expectStalled(const CCopyingDlg& dlg, const std::string& message,
                       const std::vector<std::string>& shown, int bar) {
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        const fw::test::MessageBoxRecord& box = driver.messageBoxes()[0];
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.caption, "Setup");
        EXPECT_EQ(box.type, fw::mb::kOk | fw::mb::kIconStop);
        EXPECT_EQ(box.owner, dlg.handle());
        EXPECT_TRUE(driver.isOpen(dlg));
        EXPECT_FALSE(driver.timerRunning(dlg, TIMER_INSTALL));
        EXPECT_EQ((std::vector<std::string>{dlg.item(IDC_SOURCE_LINE).text(),
                                            dlg.item(IDC_DEST_LINE).text(),
                                            dlg.item(IDC_PERCENT).text()}),
                  shown);
        EXPECT_EQ(fw::ProgressBar(dlg, IDC_PROGRESS).pos(), bar);
    }
};
