// The destination page: shows the folder to install to, which "Browse..." changes; "&Next" takes
// it, "&Back" returns to the welcome page, "&Exit" asks the Cancel Setup prompt.
#pragma once

#include <string>

#include "framework/dialog.h"

using BOOL = int;

class CDestinationDlg : public fw::Dialog {
  public:
    // Reads the current directory, which holds the files to install.
    explicit CDestinationDlg(fw::Window* parent);

    // Set when the page was left with "&Back" (it then ends with Cancel).
    BOOL m_bBack = 0;
    std::string m_strSourceFolder;
    // Without a trailing backslash.
    std::string m_strDestFolder = "C:\\Program Files\\Kestrune\\Ondrel";

  protected:
    bool onCommand(int id, int code) override;
    void onCancel() override;
    void doDataExchange(fw::DataExchange& dx) override;

  private:
    void OnBack();
    void OnBrowse();
};
