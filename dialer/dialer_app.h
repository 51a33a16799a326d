// The dialer's application object: runs the main window.
#pragma once

#include "framework/app.h"

class CDialerApp : public fw::App {
  public:
    CDialerApp();
    bool initInstance() override;
};

// The one application object.
extern CDialerApp theApp;
