// Setup's entry point on Windows.
#include <windows.h>

#include "setup/setup_app.h"
#include "setup/wizard/wizard.h"

CSetupApp theApp(RunWizard);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.run();
}
