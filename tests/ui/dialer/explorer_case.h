// One case of the dialer explorer: the dialer on the simulated service, started from a drawn
// state and driven by drawn steps in whichever loop runs (its window's, a modal dialog's, a message
// box's), with the invariants checked before each step and once more after Exit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialer/scheduler/task_record.h"
#include "dialing_fixture.h"
#include "explorer.h"
#include "explorer_steps.h"

namespace dexp {

class DialerCase : public DialingTest {
  public:
    explicit DialerCase(const Start& start);
    ~DialerCase() override;

    // Runs the steps, then Exit as a user ends the program, and fails the property with the first
    // invariant that broke.
    void run(const std::vector<Step>& steps);

  private:
    void TestBody() override {}

    // --- Running the steps (explorer_case.cpp) ----------------------------------------------
    void arrange(const Start& start);
    // The steps taken by the main window's loop, and by a modal dialog's until it ends.
    void mainLoop();
    void modalLoop(fw::Dialog& dialog);
    fw::test::Driver::BoxAnswer answerBox(const fw::test::MessageBoxRecord& box);
    // A step's turn: checks the invariants and takes the next step, which becomes the current one;
    // null when the steps ran out or an invariant broke. With a message box up, only the clock's
    // steps and an answer are taken.
    const Step* nextStep(bool boxUp = false);
    void beginFrame();
    void apply(const Step& step, fw::Dialog& top);
    void applyToMainWindow(const Step& step);
    void applyToOptions(const Step& step, fw::Dialog& options);
    void applyToTaskProperties(const Step& step, fw::Dialog& task);
    void applyTray(int position);
    // The clock runs on for the loop of this window (the main window's or a modal dialog's).
    void advance(std::int64_t ms, const fw::Dialog& loop);
    // How long the clock runs for a step that moves it, from this time on.
    std::int64_t durationOf(const Step& step, std::int64_t fromMs) const;
    // Dialing, or waiting to redial.
    bool callUnderWay() const;
    // A click on a button the user can reach: the window is visible, the button enabled.
    bool clickable(const fw::Dialog& window, int id) const;
    void clickIfClickable(fw::Dialog& window, int id);
    // Ends a dialog as a user who is done would: Escape, else the close box.
    void endAsUser(fw::Dialog& dialog);
    // The user ends the program: what was up then decides what may stay up after it.
    void noteExit(const Step& step);
    // How long the user is still away from the questions of the end; the first box or dialog of
    // the end stays up that long (those it shows meanwhile are up within that time).
    std::int64_t awayMs() const;

    // --- Invariants (explorer_invariants.cpp) -------------------------------------------------
    // Records the first broken invariant; the case then stops taking steps.
    void broken(const std::string& invariant, const std::string& detail);
    void checkInvariants();
    void checkFiles();
    void checkDialogs();
    void checkConnection();
    void checkTray();
    void checkAfterExit();
    bool trayIconUp();
    // The calls dialed and not hung up.
    std::vector<ras::Connection> openCalls() const;
    // Every dial must have a cause among what happened since its step began.
    void onDial(std::int64_t atMs);
    // The service's table with every dial, hang-up and failure report recorded.
    void recordCalls();
    static ras::Dword RASAPI_CALL dial(ras::DialExtensionsArg extensions, const char* phonebook,
                                       ras::DialParamsArg params, ras::Dword notifierType,
                                       void* notifier, ras::Connection* connection);
    static ras::Dword RASAPI_CALL hangUp(ras::Connection connection);
    static void RASAPI_CALL notify(unsigned message, ras::ConnState state, ras::Dword error);

    // What the step being run could cause a dial by.
    struct Frame {
        bool connectCommand = false;  // the user's Connect, Cancel Call or Disconnect
        bool userDialed = false;
        CTaskList tasks;  // the dialer's task list when the step began, or last dialed
    };

    explore::Script<Step>* script_ = nullptr;
    Frame frame_;
    // Time a step had still to run when the modal dialog whose loop ran it ended.
    std::int64_t pendingMs_ = 0;
    std::string failure_;
    std::vector<fw::Dialog*> modals_;
    std::optional<CTaskList> tasksWhenOptionsOpened_;
    std::int64_t startMs_ = 0;
    bool running_ = false;  // the window is up and past its start-up tick
    bool autoDialPending_ = false;
    int modalsRun_ = 0;

    // The service's calls.
    std::vector<ras::Connection> dials_;  // null where a dial stored no handle
    std::vector<ras::Connection> hungUp_;
    std::vector<std::int64_t> failures_;  // failure reports and refused dials, not yet redialed

    // The tray as the shell holds it.
    std::size_t trayRead_ = 0;
    bool trayUp_ = false;

    // The end: what was up when the user ended the program, and the answer to the question.
    bool ending_ = false;
    std::int64_t awayUntilMs_ = 0;  // the user leaves the questions of Exit up until then
    ras::Connection exitHandle_ = nullptr;
    bool exitDialing_ = false;
    bool kept_ = false;
};

}  // namespace dexp
