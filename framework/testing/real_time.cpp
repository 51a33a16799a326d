#include "framework/real_time.h"

#include <cstdio>
#include <cstdlib>

#include "host.h"

namespace fw::test {

namespace {

// The base class's clock and thread waits are the real ones; the rest has no platform here.
class RealTimeHost final : public detail::Host {
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
    // No system folder here.
    Proc systemProc(const std::string& /*library*/, const std::string& /*function*/) override {
        return nullptr;
    }

  private:
    [[noreturn]] static void noWindows() {
        std::fputs("real time only: this program has no windows\n", stderr);
        std::fflush(stderr);
        std::abort();
    }
};

}  // namespace

RealTime::RealTime() : host_(std::make_unique<RealTimeHost>()) {
    detail::installHost(host_.get());
}

RealTime::~RealTime() {
    detail::installHost(nullptr);
}

}  // namespace fw::test
