// Drives the programs' windows from a test, the same way on both backends: opens a dialog,
// clicks, types, advances a virtual clock, answers message boxes, file dialogs, menus and nested
// modal dialogs by script, and records what the program asked of the shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/file_fault.h"
#include "framework/library.h"
#include "framework/menu.h"
#include "framework/types.h"

namespace fw {
class Dialog;
class VirtualClock;
class Window;
}  // namespace fw

namespace fw::test {

class TestHost;

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned type = 0;
    Handle owner = nullptr;
};

struct FileDialogRecord {
    bool open = true;
    std::string defaultExt;
    std::string fileName;
    unsigned flags = 0;
    std::string filter;  // as given, "|" form
    Handle owner = nullptr;
};

struct MenuRecord {
    std::vector<MenuItem> items;
    Point at;
    unsigned flags = 0;
    Handle owner = nullptr;
};

struct TrayRecord {
    int op = 0;  // 0 add, 1 modify, 2 remove
    Handle owner = nullptr;
    unsigned id = 0;
    unsigned callbackMessage = 0;
    int iconId = 0;
    std::string tip;
};

// Launches, sounds and help requests: kind is "exec", "sound", "shell" or "help".
struct ShellRecord {
    std::string kind;
    std::string target;
    std::string verb;
    unsigned flags = 0;
    Handle owner = nullptr;
};

class Driver {
  public:
    // Enters test mode: virtual clock at startMs, scripted answers, recorded shell calls.
    explicit Driver(std::int64_t startMs = 946'684'800'000);  // 2000-01-01 00:00:00 UTC
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
    ~Driver();

    // --- Dialogs -------------------------------------------------------------------------
    // Creates the dialog as doModal would and runs its creation and initialisation; returns
    // when it waits for input. Returns false when creation failed.
    bool open(Dialog& dialog);
    // A dialog that ended (endDialog) is destroyed as soon as the message that ended it has been
    // handled; its result stays readable.
    bool isOpen(const Dialog& dialog) const;
    // Nested modal dialogs: when a dialog with this template runs, script drives it (it is open
    // and initialised) and must end it, unless its window goes with its owner (the dialog then
    // returns -1). While it runs its owner is disabled, as the platform's modal loop does. Scripts
    // are used in the order given.
    void onModal(int templateId, std::function<void(Driver&, Dialog&)> script);
    // Drives every modal dialog that has no script of its own (a generated test's steps).
    void onAnyModal(std::function<void(Driver&, Dialog&)> script);

    // --- Input ---------------------------------------------------------------------------
    // A click on an enabled, visible button (check boxes toggle themselves).
    void click(const Window& window, int id);
    // Replaces an edit's text, as typing would.
    void type(const Window& window, int id, const std::string& text);
    // Chooses an item of a drop-down list, as the user would (-1 for none).
    void choose(const Window& window, int id, int index);
    // kKeyReturn presses the default button; kKeyEscape cancels; kKeyF1 asks for help.
    void pressKey(const Window& window, int key);
    // The window's close box.
    void close(const Window& window);
    // A command as a menu would send it.
    void command(const Window& window, unsigned id);
    // A list view notification (nm::kRightClick, nm::kDoubleClick) with the pointer at a point
    // in the list's client coordinates.
    void clickList(const Window& window, int id, int code, Point client);
    void setCursor(Point screen);
    Point cursor() const { return cursor_; }
    // Sends a message and returns the handler's result.
    std::intptr_t send(const Window& window, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam);
    // A system command, as the system menu or the caption buttons give it.
    void sysCommand(const Window& window, unsigned command);

    // --- Time and messages ------------------------------------------------------------------
    std::int64_t nowMs() const;
    // Moves the virtual clock on: wakes waiting threads whose time comes, delivers posted
    // messages and fires window timers, in time order, until ms have passed.
    void advance(std::int64_t ms);
    // The same, but ends early once done() holds after a message or timer (a generated test's
    // modal dialog that ended meanwhile: its loop would not have waited on). Returns the time
    // left.
    std::int64_t advanceUntil(std::int64_t ms, const std::function<bool()>& done);
    // Delivers every message posted so far (waiting first for woken threads to go idle).
    void pump();
    // The windows' thread is busy for ms: the clock moves on and threads run and post, but
    // posted messages and timers wait for the next advance or pump, so input given meanwhile
    // (a click, say) is handled before them.
    void busy(std::int64_t ms);
    // Sets the wall clock forward or back, as the user sets the computer's clock (or the time a
    // computer slept comes back at once); window timers do not move.
    void setClock(std::int64_t wallMs);
    bool timerRunning(const Window& window, unsigned id) const;
    // Whether any window of the program has a timer running.
    bool anyTimerRunning() const;
    unsigned timerInterval(const Window& window, unsigned id) const;

    // --- Scripted answers --------------------------------------------------------------------
    // Answers for the next message boxes, in order. A box without an answer gets kIdOk when it
    // has an OK button, and otherwise stops the test.
    void answerMessageBox(int result);
    // The same, but the box stays up while the clock runs on for afterMs: timers fire and posted
    // messages arrive, as a box's own message loop delivers them. A dialog that ends meanwhile
    // stays until the handler that showed the box has returned.
    void answerMessageBox(int result, std::int64_t afterMs);
    struct BoxAnswer {
        int result;
        std::int64_t afterMs;
    };
    // Answers every box that has no answer queued (a generated test's steps).
    void onAnyMessageBox(std::function<BoxAnswer(const MessageBoxRecord&)> answer);
    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }
    // Answers for the next file dialogs: a full path, or nothing for Cancel. A dialog without an
    // answer is cancelled. A path chosen makes its folder current, as the user's browsing there
    // does with the platform's dialogs.
    void answerFileDialog(std::optional<std::string> path);
    const std::vector<FileDialogRecord>& fileDialogs() const { return fileDialogs_; }
    // Answers for the next pop-up menus: the command chosen, or 0 to dismiss. A menu without an
    // answer is dismissed.
    void answerMenu(unsigned command);
    const std::vector<MenuRecord>& menus() const { return menus_; }

    // --- Records ------------------------------------------------------------------------------
    const std::vector<TrayRecord>& tray() const { return tray_; }
    const std::vector<ShellRecord>& shell() const { return shell_; }
    // Headless only: the drawing calls, one line each.
    const std::vector<std::string>& drawing() const;
    void clearRecords();

    // --- The system's DLLs ----------------------------------------------------------------------
    // Puts a DLL with these functions into the system folder the program sees (fw::systemProc);
    // the folder starts empty, whatever the machine has.
    void installLibrary(const std::string& name, std::map<std::string, Proc> functions);

    // --- Files (headless: the sandbox; win32: the real file system) ------------------------
    void writeFile(const std::string& path, const std::string& bytes);
    std::optional<std::string> readFile(const std::string& path) const;
    // Removes an empty folder; false when it is not one. A test that removes one of the Windows
    // folder's puts it back.
    bool removeFolder(const std::string& path);
    // Headless only: arms a fault.
    void injectFault(const FileFault& fault);
    // Headless only: the faults armed that have not fired yet (none, when the operation each
    // names was done).
    std::size_t armedFaults() const;

    // Stops the test with a message (a misused driver or an unanswered question): aborts, or
    // throws DriverError while failuresThrow is set, so that a generated test can shrink the steps
    // that led there.
    [[noreturn]] static void fail(const std::string& message);
    static inline bool failuresThrow = false;

  private:
    // The framework's questions and shell calls reach the driver through its host.
    friend class TestHost;

    int runModal(Dialog& dialog);
    // Enables the owner a running modal dialog disabled, once.
    void giveBackOwner(const Dialog& dialog);
    // After each message the driver delivered: destroys dialogs that ended.
    void afterMessage();
    // Destroys the dialogs that ended among those opened from position first of open_ on.
    void destroyEnded(std::size_t first);
    // Records a question and returns the scripted answer.
    int scriptMessageBox(const MessageBoxRecord& record);
    std::optional<std::string> scriptFileDialog(const FileDialogRecord& record);
    unsigned scriptMenu(const MenuRecord& record);
    // Backend: empties the file sandbox and the registry, and the drawing log (headless).
    static void resetSandbox();
    static void clearDrawing();

    std::unique_ptr<VirtualClock> clock_;
    std::unique_ptr<TestHost> host_;
    std::deque<BoxAnswer> messageBoxAnswers_;
    std::function<BoxAnswer(const MessageBoxRecord&)> anyMessageBox_;
    std::function<void(Driver&, Dialog&)> anyModal_;
    // Message boxes up: ended dialogs wait for them to close.
    int boxesUp_ = 0;
    // For each modal dialog whose script runs, innermost last: its position in open_.
    std::vector<std::size_t> modalsFrom_;
    std::deque<std::optional<std::string>> fileDialogAnswers_;
    std::deque<unsigned> menuAnswers_;
    std::multimap<int, std::function<void(Driver&, Dialog&)>> modalScripts_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<FileDialogRecord> fileDialogs_;
    std::vector<MenuRecord> menus_;
    std::vector<TrayRecord> tray_;
    std::vector<ShellRecord> shell_;
    std::map<std::string, std::map<std::string, Proc>> libraries_;
    std::vector<Dialog*> open_;
    std::map<const Dialog*, Handle> disabledOwners_;
    Point cursor_;
};

}  // namespace fw::test
