// The Options command under the test driver: the start-up folder with the copy of the program's
// shortcut that the command keeps there, the dialog driven by a script, and its entry list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialer/options/options_dlg.h"
#include "dialer_fixture.h"
#include "framework/controls.h"
#include "framework/message_box.h"
#include "resource.h"

class OptionsTest : public DialerTest {
  protected:
    OptionsTest() {
        // The single-user layout's start-up folder (the Wine prefix has it already).
        std::string path = fw::windowsDirectory();
        for (const char* part : {"\\Start Menu", "\\Programs", "\\StartUp"}) {
            fw::createDirectory(path += part);
        }
    }
    ~OptionsTest() override { fw::deleteFile(startupShortcut()); }

    static std::string startupShortcut() {
        return fw::windowsDirectory() + "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk";
    }
    std::string shortcutSource() const { return folder + "\\Ondrel v1.3.lnk"; }

    // The Options command from a main window; the script drives the dialog and ends it.
    void runOptions(CDialerDlg& window, const std::function<void(COptionsDlg&)>& script) {
        driver.onModal(IDD_OPTIONS, [script](fw::test::Driver&, fw::Dialog& dialog) {
            script(static_cast<COptionsDlg&>(dialog));
        });
        driver.click(window, IDC_OPTIONS);
    }
    void runOptions(const std::function<void(COptionsDlg&)>& script) { runOptions(dialer, script); }

    // The one message box shown: the file-error box, owned by the main window.
    void expectFileError(const std::string& text) {
        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        EXPECT_EQ(driver.messageBoxes()[0].text, text);
        EXPECT_EQ(driver.messageBoxes()[0].type, fw::mb::kOk | fw::mb::kIconStop);
        EXPECT_EQ(driver.messageBoxes()[0].owner, dialer.handle());
    }

    static std::vector<std::string> listItems(const COptionsDlg& dlg) {
        const fw::ComboBox list(dlg, IDC_ENTRY_LIST);
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i) {
            items.push_back(list.itemText(i));
        }
        return items;
    }
    static int selection(const COptionsDlg& dlg) {
        return fw::ComboBox(dlg, IDC_ENTRY_LIST).currentSelection();
    }
};
