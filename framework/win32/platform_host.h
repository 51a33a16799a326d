// The platform's host: real modal loops and questions, one thread timer behind the timer queue,
// and the shell.
#pragma once

#include "host.h"

namespace fw::win32 {

class Win32Host final : public detail::Host {
  public:
    // dialog.cpp
    int runModal(Dialog& dialog) override;
    void endModal(Dialog& dialog, int result) override;
    // menu.cpp
    unsigned trackMenu(const Menu& menu, Handle owner, Point screen, unsigned flags) override;
    // host.cpp
    int messageLoop() override;
    void postQuit(int exitCode) override;
    void armTimer(std::optional<std::int64_t> dueTick) override;
    int messageBox(Handle owner, const std::string& text, const std::string& caption,
                   unsigned type) override;
    std::optional<std::string> fileDialog(Handle owner, const FileDialogRequest& request) override;
    Point cursorPos() override;
    bool trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage,
                    const Icon& icon, const std::string& tip) override;
    bool shellExecute(Handle owner, const std::string& verb, const std::string& file,
                      int show) override;
    unsigned winExec(const std::string& commandLine, int show) override;
    bool playSound(const std::string& name, unsigned flags) override;
    void openHelp(Handle owner, const std::string& helpFile) override;
    Proc systemProc(const std::string& library, const std::string& function) override;
};

}  // namespace fw::win32
