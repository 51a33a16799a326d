// The About box, opened from the frame's Help menu.
#pragma once

#include "framework/dialog.h"

class CSetupAboutDlg : public fw::Dialog {
  public:
    explicit CSetupAboutDlg(fw::Window* parent);
};
