#include "framework/app.h"

#include "framework/shell.h"
#include "host.h"

namespace fw {

namespace {
App* currentApp = nullptr;
}

App::App() {
    currentApp = this;
}

App::~App() {
    if (currentApp == this) {
        currentApp = nullptr;
    }
}

App* App::current() {
    return currentApp;
}

int App::run() {
    if (!initInstance()) {
        return 0;
    }
    const int exitCode = detail::host().messageLoop();
    exitInstance();
    return exitCode;
}

void App::help() {
    openHelp(mainWindow, helpFile);
}

void postQuit(int exitCode) {
    detail::host().postQuit(exitCode);
}

}  // namespace fw
