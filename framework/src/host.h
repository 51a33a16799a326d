// What a program asks of the world outside its windows: modal loops, the one platform timer
// behind the window timers, the clock and the waits of worker threads, questions for the user,
// and the shell. The backend's platform answers by default; a test program installs a host of
// its own (framework/testing/), so the programs themselves carry only the real one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/file_dialog.h"
#include "framework/library.h"
#include "framework/shell.h"
#include "framework/types.h"

namespace fw {
class Dialog;
class Icon;
class Menu;
class Thread;
}  // namespace fw

namespace fw::detail {

class Host {
  public:
    Host() = default;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    virtual ~Host() = default;

    // --- Modal loops ------------------------------------------------------------------------
    // Runs the dialog until endModal; returns its result.
    virtual int runModal(Dialog& dialog) = 0;
    virtual void endModal(Dialog& dialog, int result) = 0;
    // The program's message loop until postQuit; returns the exit code.
    virtual int messageLoop() = 0;
    virtual void postQuit(int exitCode) = 0;

    // --- Time --------------------------------------------------------------------------------
    // Milliseconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t nowMs();
    // Milliseconds on a clock that never jumps; window timers run on it.
    virtual std::int64_t tickMs();
    // The window timers' one platform timer: due at this tick, or never (nullopt).
    virtual void armTimer(std::optional<std::int64_t> dueTick) = 0;
    // Holds the calling thread for ms milliseconds without delivering messages.
    virtual void sleep(std::int64_t ms);

    // --- Worker threads (thread.h) ----------------------------------------------------------
    virtual void threadStarted(Thread& /*thread*/) {}
    virtual void threadFinished(Thread& /*thread*/) {}
    // Blocks the thread until nowMs() reaches deadlineMs (true) or it is woken (false).
    virtual bool waitThread(Thread& thread, std::int64_t deadlineMs);
    virtual void wakeThread(Thread& thread);

    // --- Questions for the user ---------------------------------------------------------------
    virtual int messageBox(Handle owner, const std::string& text, const std::string& caption,
                           unsigned type) = 0;
    virtual std::optional<std::string> fileDialog(Handle owner,
                                                  const FileDialogRequest& request) = 0;
    // Shows a pop-up menu; returns the command chosen, 0 for none.
    virtual unsigned trackMenu(const Menu& menu, Handle owner, Point screen, unsigned flags) = 0;
    virtual Point cursorPos() = 0;

    // --- The shell ------------------------------------------------------------------------------
    virtual bool trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage,
                            const Icon& icon, const std::string& tip) = 0;
    virtual bool shellExecute(Handle owner, const std::string& verb, const std::string& file,
                              int show) = 0;
    virtual unsigned winExec(const std::string& commandLine, int show) = 0;
    virtual bool playSound(const std::string& name, unsigned flags) = 0;
    virtual void openHelp(Handle owner, const std::string& helpFile) = 0;

    // --- The system's DLLs (library.h) ----------------------------------------------------
    virtual Proc systemProc(const std::string& library, const std::string& function) = 0;
};

// The host in charge: the one installed, or else the platform's.
Host& host();
// Installs a host (a test program's); null gives the platform's back.
void installHost(Host* host);
// The backend's own host.
Host& platformHost();

// Lets a host run a dialog's creation outside doModal.
struct DialogAccess {
    // Clears what a previous run left (its end and result).
    static void begin(Dialog& dialog);
};

}  // namespace fw::detail
