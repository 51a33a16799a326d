// The dialer's entry point on Windows.
#include <windows.h>

#include "dialer/dialer_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.run();
}
