// Questions for the user and calls that reach outside the program. The portable layer hands all
// of them to the test driver, under which the headless backend always runs: arriving here means
// a call went past the driver.
#include "fatal.h"
#include "sys.h"

namespace fw::sys {

int messageBox(Handle /*owner*/, const std::string& /*text*/, const std::string& /*caption*/,
               unsigned /*type*/) {
    headless::fatal("messageBox without a test driver");
}

std::optional<std::string> fileDialog(Handle /*owner*/, const FileDialogRequest& /*request*/) {
    headless::fatal("fileDialog without a test driver");
}

Point cursorPos() {
    headless::fatal("cursorPos without a test driver");
}

bool trayNotify(TrayOp /*op*/, Handle /*owner*/, unsigned /*id*/, unsigned /*callbackMessage*/,
                Handle /*icon*/, const std::string& /*tip*/) {
    headless::fatal("trayNotify without a test driver");
}

bool shellExecute(Handle /*owner*/, const std::string& /*verb*/, const std::string& /*file*/,
                  int /*show*/) {
    headless::fatal("shellExecute without a test driver");
}

unsigned winExec(const std::string& /*commandLine*/, int /*show*/) {
    headless::fatal("winExec without a test driver");
}

bool playSound(const std::string& /*name*/, unsigned /*flags*/) {
    headless::fatal("playSound without a test driver");
}

void openHelp(Handle /*owner*/, const std::string& /*helpFile*/) {
    headless::fatal("openHelp without a test driver");
}

}  // namespace fw::sys
