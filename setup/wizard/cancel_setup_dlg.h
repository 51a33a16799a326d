// The "Cancel Setup" prompt, and the cancel command of every page of setup that asks it.
#pragma once

#include "framework/dialog.h"

// "&Resume" ends it with OK; "&Exit", Esc and the close box with Cancel.
class CCancelSetupDlg : public fw::Dialog {
  public:
    explicit CCancelSetupDlg(fw::Window* parent);
};

// Shows the prompt, owned by the page; unless the user resumes, the page ends with Cancel.
void ConfirmCancelSetup(fw::Dialog& page);
