// The question asked when the dialer ends while connected: hang up, or leave the line up.
#pragma once

#include <string>

#include "framework/dialog.h"

class CKeepConnectionDlg : public fw::Dialog {
  public:
    // OK ("&Disconnect") hangs up; Cancel ("&Keep Connection") and closing keep the connection.
    explicit CKeepConnectionDlg(fw::Window* parent);

    std::string m_strQuestion;

  protected:
    void doDataExchange(fw::DataExchange& dx) override;
};
