// The completion dialog, "Setup Complete!": however it is closed, setup ends.
#pragma once

#include "framework/dialog.h"

class CCompleteDlg : public fw::Dialog {
  public:
    explicit CCompleteDlg(fw::Window* parent);
};
