#include "fatal.h"
#include "host.h"

namespace fw::detail {

namespace {

// Headless windows have no platform behind them: they run only under a test program's host. What
// needs no window, the clock and the waits of worker threads, runs in real time, so that native
// programs can time and stress threads without the test driver.
class ClockOnlyHost final : public Host {
  public:
    int runModal(Dialog& /*dialog*/) override { noWindows(); }
    void endModal(Dialog& /*dialog*/, int /*result*/) override { noWindows(); }
    int messageLoop() override { noWindows(); }
    void postQuit(int /*exitCode*/) override { noWindows(); }
    void armTimer(std::optional<std::int64_t> /*dueTick*/) override { noWindows(); }
    int messageBox(Handle /*owner*/, const std::string& /*text*/, const std::string& /*caption*/,
                   unsigned /*type*/) override {
        noWindows();
    }
    std::optional<std::string> fileDialog(Handle /*owner*/,
                                          const FileDialogRequest& /*request*/) override {
        noWindows();
    }
    unsigned trackMenu(const Menu& /*menu*/, Handle /*owner*/, Point /*screen*/,
                       unsigned /*flags*/) override {
        noWindows();
    }
    Point cursorPos() override { noWindows(); }
    bool trayNotify(TrayOp /*op*/, Handle /*owner*/, unsigned /*id*/, unsigned /*callbackMessage*/,
                    const Icon& /*icon*/, const std::string& /*tip*/) override {
        noWindows();
    }
    bool shellExecute(Handle /*owner*/, const std::string& /*verb*/, const std::string& /*file*/,
                      int /*show*/) override {
        noWindows();
    }
    unsigned winExec(const std::string& /*commandLine*/, int /*show*/) override { noWindows(); }
    bool playSound(const std::string& /*name*/, unsigned /*flags*/) override { noWindows(); }
    void openHelp(Handle /*owner*/, const std::string& /*helpFile*/) override { noWindows(); }

  private:
    [[noreturn]] static void noWindows() {
        headless::fatal("the headless backend runs only under the test driver");
    }
};

}  // namespace

Host& platformHost() {
    static ClockOnlyHost host;
    return host;
}

}  // namespace fw::detail
