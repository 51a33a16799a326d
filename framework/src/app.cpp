#include "framework/app.h"

#include "framework/shell.h"
#include "framework/test_driver.h"
#include "sys.h"

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
    return sys::messageLoop();
}

void App::help() {
    openHelp(mainWindow, helpFile);
}

void postQuit(int exitCode) {
    if (auto* driver = test::Driver::current()) {
        driver->recordShell({"quit", std::to_string(exitCode), "", 0, nullptr});
        return;
    }
    sys::postQuit(exitCode);
}

}  // namespace fw
