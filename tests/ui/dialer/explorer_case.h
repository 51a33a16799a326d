// One case of the dialer's event explorer: the dialer on the simulated remote access service,
// started from a drawn state (options, remembered entries, the task list) and driven by drawn
// steps in whichever loop runs (its window's, a modal dialog's, a message box's), with the
// invariants checked before each step and once more after Exit.
#pragma once

#include <rapidcheck.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "dialer/scheduler/task_record.h"
#include "dialing_fixture.h"
#include "explorer.h"

namespace dexp {

// The phonebook of every case: one entry per line behaviour, so that choosing the entry chooses
// how the next dial goes.
struct PhonebookEntry {
    const char* name;
    ras::sim::Line line;
    std::uint32_t count;  // attempts busy, or seconds until the line drops
};
inline constexpr PhonebookEntry kPhonebook[] = {
    {"Answers", ras::sim::Line::answers, 0},       // connected 3.7 s after the dial
    {"Busy", ras::sim::Line::busy, 0},             // fails after 3 s
    {"Drops", ras::sim::Line::dropsAfter, 30},     // connects, and drops 30 s later
    {"No Answer", ras::sim::Line::noAnswer, 0},    // fails after 20 s and more
    {"No Tone", ras::sim::Line::noDialTone, 0},    // fails at once
    {"Rejects", ras::sim::Line::rejectsLogin, 0},  // fails in authentication
    {"Twice Busy", ras::sim::Line::busyFirst, 2},  // answers the third dial
};
inline constexpr int kPhonebookSize = static_cast<int>(std::size(kPhonebook));
// Past the phonebook: "Gone", which the dialer remembers but the phonebook lost, then the empty
// name that only a damaged "Tasks.dat" holds.
const char* entryName(int entry);

struct DrawnTask {
    int entry = 0;
    std::int32_t dueInSeconds = 0;  // from the start; negative: overdue
    int limitMinutes = -1;          // -1: no disconnect-after limit
    int runs = 0;                   // "Number:" runs; 0: daily
    bool disabled = false;
};

struct Start {
    bool scheduling = false, keepDialing = false, saveAccount = false, autoDial = false,
         startMinimized = false;
    int remembered = 0;  // the first entries of the phonebook (and "Gone") in "Ondrel.dat"
    int current = 0;     // an index into them; past them: no current entry
    std::vector<DrawnTask> tasks = {};
    bool truncatedTasks = false;  // "Tasks.dat" ends inside its last record
};

// A row of the step table and the values drawn for it.
struct Step {
    int kind = 0, a = 0, b = 0;
};

rc::Gen<Start> genStart();
rc::Gen<Step> genStep();
void showValue(const Start& start, std::ostream& os);
void showValue(const Step& step, std::ostream& os);

class DialerCase : public DialingTest {
  public:
    // Where a step acts: on the window on top (the main window brought back from the tray
    // first), on one kind of window only, whatever is open, or on the clock, which also runs
    // while a message box is up (nextTask: up to the next task's time; box: then the box is
    // answered).
    enum class On { window, main, dialog, options, task, anything, clock, nextTask, box };
    struct Named {
        const char* text;
        int id = 0;
    };
    // A kind of step: how often it is drawn, how a shrunk list shows it ({a}, {b}: its values,
    // or the names they pick), where it acts and what it does there.
    using Action = std::function<void(DialerCase&, const Step&, fw::Dialog& top)>;
    struct Kind {
        int weight;
        const char* text;
        On on;
        Action act;
        rc::Gen<int> a = rc::gen::just(0);
        std::span<const Named> aNames = {};
        rc::Gen<int> b = rc::gen::just(0);
        std::span<const Named> bNames = {};
    };
    static const std::vector<Kind>& kinds();

    explicit DialerCase(const Start& start);
    ~DialerCase() override;
    // Runs the steps, then Exit as a user ends the program, and fails the property with the first
    // invariant that broke.
    void run(const std::vector<Step>& steps);

  private:
    void TestBody() override {}

    // --- Running the steps (explorer_case.cpp) ----------------------------------------------
    void mainLoop();
    void modalLoop(fw::Dialog& dialog);
    fw::test::Driver::BoxAnswer answerBox(const fw::test::MessageBoxRecord& box);
    // Checks the invariants and takes the next step; null when the steps ran out or an invariant
    // broke. With a message box up, only the clock's steps are taken.
    const Step* nextStep(bool boxUp = false);
    void beginStep() {
        connectCommand_ = false;
        stepTasks_ = dialer.m_aTasks;
    }
    void apply(const Step& step, fw::Dialog& top);
    // The clock runs on for the loop of this window (the main window's or a modal dialog's).
    void advance(std::int64_t ms, const fw::Dialog& loop);
    // How long the clock runs for a step, from this time on.
    std::int64_t durationOf(const Step& step, std::int64_t fromMs) const;
    // Up to this long before the next enabled task's time, or 0 when none is to come.
    std::int64_t toNextTask(std::int64_t fromMs, std::int64_t beforeMs) const;
    bool callUnderWay() const { return dialer.exists() && button() == "Cancel Call"; }
    // A button the user can reach: the window is visible, the button there and enabled.
    bool clickable(const fw::Dialog& window, int id) const;
    void clickIfClickable(fw::Dialog& window, int id);
    // A click on the Options dialog's task list: on a row, or below the last one.
    void clickRow(fw::Dialog& options, unsigned code, int row);
    // The user ends the program from the main window (its "&Exit", Escape or close box); with
    // away, the user then leaves its questions up until just past the next task's time.
    void noteExit(bool away);
    void exit(bool away);
    std::int64_t awayMs() const { return std::max<std::int64_t>(awayUntilMs_ - driver.nowMs(), 0); }

    // --- Invariants (explorer_invariants.cpp) -------------------------------------------------
    // Records the first broken invariant; the case then stops taking steps.
    void broken(const std::string& invariant, const std::string& detail);
    void checkInvariants();
    void checkOneOfAKind(const fw::Dialog& opening);
    void checkFiles();
    void checkConnection();
    void checkAfterExit();
    bool trayIconUp() const;
    // Every dial must have a cause among what happened since its step began.
    void onDial(std::int64_t atMs);
    // Puts the service's dial and hang-up behind the case's record of calls.
    void recordCalls();
    static ras::Dword RASAPI_CALL dial(ras::DialExtensionsArg extensions, const char* phonebook,
                                       ras::DialParamsArg params, ras::Dword notifierType,
                                       void* notifier, ras::Connection* connection);
    static ras::Dword RASAPI_CALL hangUp(ras::Connection connection);
    static void RASAPI_CALL notify(unsigned message, ras::ConnState state, ras::Dword error);

    explore::Script<Step>* script_ = nullptr;
    std::string failure_;
    bool running_ = false;  // the window is up and past its start-up tick
    std::int64_t startMs_ = 0;
    // Time a step had still to run when the modal dialog whose loop ran it ended.
    std::int64_t pendingMs_ = 0;
    std::vector<fw::Dialog*> modals_;
    int modalsRun_ = 0;
    std::optional<CTaskList> tasksWhenOptionsOpened_;

    // What the step being run could cause a dial by: the user's Connect, Cancel Call or
    // Disconnect (once), a task of the list as it stood when the step began or last dialed, a
    // redial after a failure, the start-up dial.
    bool connectCommand_ = false;
    CTaskList stepTasks_;
    std::vector<std::int64_t> failures_;  // failure reports and refused dials, not yet redialed
    bool autoDialPending_ = false;
    int dials_ = 0;
    std::vector<ras::Connection> openCalls_;  // dialed and not hung up

    // The shell's tray records from here on show the icon; a new taskbar holds none at first.
    std::size_t trayFrom_ = 0;

    // The end: what was up when the user ended the program, and the answer to its question.
    bool ending_ = false;
    std::int64_t awayUntilMs_ = 0;
    ras::Connection exitHandle_ = nullptr;
    bool exitDialing_ = false;
    bool kept_ = false;
};

}  // namespace dexp
