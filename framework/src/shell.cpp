// Shell calls: performed, or recorded by the test driver.
#include "framework/shell.h"

#include "framework/resources.h"
#include "framework/test_driver.h"
#include "framework/window.h"
#include "sys.h"

namespace fw {

namespace {

Handle handleOf(const Window* window) {
    return window != nullptr ? window->handle() : nullptr;
}

}  // namespace

bool trayNotify(TrayOp op, const Window& owner, unsigned id, unsigned callbackMessage,
                const Icon& icon, const std::string& tip) {
    std::string shown = tip.substr(0, kTrayTipMax);
    if (auto* driver = test::Driver::current()) {
        driver->recordTray(
            {static_cast<int>(op), owner.handle(), id, callbackMessage, icon.resourceId(), shown});
        return true;
    }
    return sys::trayNotify(op, owner.handle(), id, callbackMessage, icon.handle(), shown);
}

bool shellExecute(const Window* owner, const std::string& verb, const std::string& file, int show) {
    if (auto* driver = test::Driver::current()) {
        driver->recordShell({"shell", file, verb, static_cast<unsigned>(show), handleOf(owner)});
        return true;
    }
    return sys::shellExecute(handleOf(owner), verb, file, show);
}

unsigned winExec(const std::string& commandLine, int show) {
    if (auto* driver = test::Driver::current()) {
        driver->recordShell({"exec", commandLine, "", static_cast<unsigned>(show), nullptr});
        return 33;
    }
    return sys::winExec(commandLine, show);
}

bool playSound(const std::string& name, unsigned flags) {
    if (auto* driver = test::Driver::current()) {
        driver->recordShell({"sound", name, "", flags, nullptr});
        return true;
    }
    return sys::playSound(name, flags);
}

void openHelp(const Window* owner, const std::string& helpFile) {
    if (auto* driver = test::Driver::current()) {
        driver->recordShell({"help", helpFile, "", 0, handleOf(owner)});
        return;
    }
    sys::openHelp(handleOf(owner), helpFile);
}

}  // namespace fw
