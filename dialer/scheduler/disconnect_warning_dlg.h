// The warning before a scheduled disconnection: it counts 20 seconds down, then ends with Cancel
// so that the main window hangs up, unless the user keeps the connection (OK).
#pragma once

#include <string>

#include "framework/dialog.h"

class CDisconnectWarningDlg : public fw::Dialog {
  public:
    explicit CDisconnectWarningDlg(fw::Window* parent);

    int m_nSecondsLeft = 20;
    std::string m_strSecondsLeft = "20 Seconds";

  protected:
    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onTimer(unsigned id) override;
};
