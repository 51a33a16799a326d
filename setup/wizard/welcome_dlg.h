// The wizard's first page: "&Next" goes on, "&Exit" asks the Cancel Setup prompt.
#pragma once

#include "framework/dialog.h"

class CWelcomeDlg : public fw::Dialog {
  public:
    explicit CWelcomeDlg(fw::Window* parent);

  protected:
    void onCancel() override;
};
