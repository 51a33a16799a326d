// One case of the dialer's event explorer: the dialer on the simulated remote access service,
// started from a drawn state (options, remembered entries, the task list) and driven by drawn
// steps in whichever loop runs (its window's, a modal dialog's, a message box's), with the
// invariants checked before each step and once more after Exit.
#pragma once

#include <rapidcheck.h>

#include <functional>
#include <limits>
#include <ostream>
#include <span>

#include "explorer.h"
#include "explorer_invariants.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"
#include "time_zone.h"

namespace dexp {

// The phonebook of every case: one entry per line behaviour, so that choosing the entry chooses
// how the next dial goes. Past it: "Gone", which the dialer remembers but the phonebook lost,
// then the empty name that only a damaged "Tasks.dat" holds.
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
inline const char* entryName(int entry) {
    return entry < kPhonebookSize ? kPhonebook[entry].name : entry == kPhonebookSize ? "Gone" : "";
}

// The options, the remembered entries and the tasks a case starts from.
struct Start {
    Options options;
    int remembered = 0;  // the first entries of the phonebook (and "Gone") in "Ondrel.dat"
    int current = 0;     // an index into them; past them: no current entry
    std::vector<Task> tasks = {};
};

// A row of the step table, and the values drawn for it.
struct Step {
    int kind = 0, a = 0, b = 0;
};

rc::Gen<Start> genStart();
rc::Gen<Step> genStep();
void showValue(const Start& start, std::ostream& os);
void showValue(const Step& step, std::ostream& os);

class DialerCase : public CheckedDialer {
  public:
    // Where a step acts: the window on top (the main window brought back from the tray first;
    // there button 1 and Return are the user's Connect, Cancel Call or Disconnect, and the keys
    // that close end the program as "&Exit" does), one kind of window only, whatever is open, or
    // the clock, which also runs while a message box is up (nextTask: up to the next task's time).
    enum class On {
        window,
        close,
        closeBox,
        main,
        dialog,
        options,
        task,
        anything,
        clock,
        nextTask
    };
    using Action = std::function<void(DialerCase&, const Step&, fw::Dialog& top)>;
    // A kind of step: how often it is drawn, how a shrunk list shows it ({a}, {b}: its values,
    // or the names they pick), where it acts and what it does there.
    struct Kind {
        int weight;
        const char* text;
        On on;
        Action act;
        rc::Gen<int> a = rc::gen::just(0);
        std::span<const char* const> aNames = {};
        rc::Gen<int> b = rc::gen::just(0);
        std::span<const char* const> bNames = {};
    };
    static const std::vector<Kind>& kinds();  // explorer_test.cpp

    explicit DialerCase(const Start& start) {
        useNewYorkTime();
        std::vector<Triple> remembered;
        for (const PhonebookEntry& entry : kPhonebook) {
            addEntry(entry.name, entry.line, entry.count);
        }
        for (int i = 0; i < start.remembered; ++i) {
            remembered.push_back({entryName(i), "", ""});
        }
        writeSettings(settingsFile(start.options, start.remembered, start.current, remembered));
        if (!start.tasks.empty()) {
            driver.writeFile(tasksPath(), tasksFile(start.tasks));
        }
        // The shortcut the installer leaves, which "Start with Windows" copies.
        driver.writeFile(folder + "\\Ondrel v1.3.lnk", "a shortcut");
        autoDialPending_ = start.options.autoDial != 0;
        driver.onAnyModal([this](fw::test::Driver&, fw::Dialog& dialog) { modalLoop(dialog); });
        driver.onAnyMessageBox(
            [this](const fw::test::MessageBoxRecord& box) { return answerBox(box); });
    }

    // Runs the steps, then Exit as a user ends the program, and fails the property with the first
    // invariant that broke.
    void run(const std::vector<Step>& steps) {
        explore::Script<Step> script(steps);
        script_ = &script;
        startMs_ = driver.nowMs();
        RC_ASSERT(driver.open(dialer));
        // The tasks loaded may fire on the start-up tick.
        beginStep();
        driver.advance(1);
        running_ = true;
        loop(dialer);
        if (failure_.empty() && dialer.exists()) {
            beginStep();
            // Away from its last questions until the next task is due: the order in which an
            // end can go wrong.
            exit(true);
        }
        if (failure_.empty()) {
            checkAfterExit();
        }
        if (!failure_.empty()) {
            RC_FAIL(failure_);
        }
    }

  private:
    static constexpr std::int64_t kLongestCallMs = 10 * 60 * 1000, kSliceMs = 60 * 1000;
    // A message box stays up at most this long: past a daily task's next run.
    static constexpr std::int64_t kLongestBoxMs = 25 * 60 * 60 * 1000;
    // A user away from the program's last questions comes back this long after the next task.
    static constexpr int kAwayPastTaskMs = 5000;

    void TestBody() override {}

    // The steps taken in the loop of the main window or of a modal dialog, until it ends.
    void loop(fw::Dialog& window) {
        while (!over(window)) {
            const Step* step = nextStep();
            if (step == nullptr) {
                return;
            }
            apply(*step, window);
        }
    }
    bool over(const fw::Dialog& window) const {
        return &window == &dialer ? !dialer.exists() : window.ended();
    }

    void modalLoop(fw::Dialog& dialog) {
        ++modalsRun_;
        checkOpening(dialog);
        modals_.push_back(&dialog);
        if (dialog.templateId() == IDD_OPTIONS) {
            tasksWhenOptionsOpened_ = dialer.m_aTasks;
        }
        // The time the user is away at the end passes in the first question or box of the end.
        advance(modals_.size() == 1 ? awayMs() : 0, dialog);
        loop(dialog);
        // The user who is done ends it: Escape, else the close box.
        if (!dialog.ended()) {
            driver.pressKey(dialog, fw::kKeyEscape);
        }
        if (!dialog.ended()) {
            driver.close(dialog);
        }
        kept_ =
            kept_ || (dialog.templateId() == IDD_KEEP_CONNECTION && dialog.result() != fw::kIdOk);
        if (dialog.templateId() == IDD_OPTIONS) {
            tasksWhenOptionsOpened_.reset();
            // The tasks an OK hands to the main window may fire from now on, within this step.
            if (dialog.result() == fw::kIdOk) {
                stepTasks_ = static_cast<COptionsDlg&>(dialog).m_aTasks;
            }
        }
        modals_.pop_back();
    }

    fw::test::Driver::BoxAnswer answerBox(const fw::test::MessageBoxRecord& box) {
        const int result = (box.type & fw::mb::kButtonMask) == fw::mb::kOk ? fw::kIdOk : fw::kIdNo;
        // Up for the user's time away at the end, and for a step of the clock that comes next; a
        // step of another kind waits for the box to go, and the user answers it at once. Up to a
        // day and more, unless a call under way redials and animates all the while.
        std::int64_t upMs = modals_.empty() ? awayMs() : 0;
        if (const Step* step = running_ ? nextStep(true) : nullptr) {
            upMs += durationOf(*step, driver.nowMs() + upMs);
        }
        return {result, std::min(upMs, callUnderWay() ? kLongestCallMs : kLongestBoxMs)};
    }

    // Checks the invariants and takes the next step; null when the steps ran out or an invariant
    // broke. With a message box up, only the clock's steps are taken.
    const Step* nextStep(bool boxUp = false) {
        if (running_ && failure_.empty()) {
            checkInvariants();
        }
        if (!failure_.empty() || script_->done() ||
            (boxUp && kinds()[script_->peek().kind].on < On::clock)) {
            return nullptr;
        }
        beginStep();
        return &script_->take();
    }
    void beginStep() {
        connectCommand_ = false;
        stepTasks_ = dialer.m_aTasks;
    }

    void apply(const Step& step, fw::Dialog& top) {
        const Kind& kind = kinds()[step.kind];
        const bool onMain = &top == &dialer;
        if ((kind.on == On::main && !onMain) || (kind.on == On::dialog && onMain) ||
            (kind.on == On::options && top.templateId() != IDD_OPTIONS) ||
            (kind.on == On::task && top.templateId() != IDD_TASK_PROPERTIES)) {
            return;
        }
        if (kind.on <= On::main && onMain) {
            restoreFromTray();
        }
        if (kind.on >= On::anything || top.isVisible()) {
            if (onMain && kind.on == On::window && clickable(dialer, fw::kIdOk)) {
                userConnectCommand();
            }
            // The close box's Cancel is posted behind the reports posted before it (Escape's is
            // sent): the end begins once those are handled.
            if (onMain && kind.on == On::closeBox) {
                driver.pump();
            }
            if (onMain && (kind.on == On::close || kind.on == On::closeBox)) {
                noteExit(false);
            }
            kind.act(*this, step, top);
        }
    }

    // The clock runs on for the loop of this window (the main window's or a modal dialog's)
    // until it ends. A call under way redials and animates the tray all the time: ten minutes of
    // it see every cycle many times over, and cost what a day would not.
    void advance(std::int64_t ms, const fw::Dialog& loop) {
        const auto over = [this, &loop] { return this->over(loop) || !failure_.empty(); };
        for (std::int64_t underWayMs = 0; ms > 0 && underWayMs < kLongestCallMs && !over();
             ms -= kSliceMs) {
            driver.advanceUntil(std::min(ms, kSliceMs), over);
            underWayMs += callUnderWay() ? kSliceMs : 0;
        }
    }
    std::int64_t durationOf(const Step& step, std::int64_t fromMs) const {
        return kinds()[step.kind].on == On::nextTask ? toNextTask(fromMs, step.a) : step.a;
    }
    // Up to this long before the next enabled task's time; 0 when none is to come.
    std::int64_t toNextTask(std::int64_t fromMs, std::int64_t beforeMs) const {
        std::int64_t next = std::numeric_limits<std::int64_t>::max();
        for (const CTasks& task : dialer.m_aTasks) {
            if (const std::int64_t due = std::int64_t{task.m_timeNext} * 1000;
                task.m_bDisabled == 0 && due > fromMs) {
                next = std::min(next, due);
            }
        }
        return next == std::numeric_limits<std::int64_t>::max()
                   ? 0
                   : std::max<std::int64_t>(next - beforeMs - fromMs, 0);
    }
    std::int64_t awayMs() const { return std::max<std::int64_t>(awayUntilMs_ - driver.nowMs(), 0); }
    bool callUnderWay() const { return dialer.exists() && button() == "Cancel Call"; }

    // A button the user can reach: the window is visible, the button there and enabled.
    static bool clickable(const fw::Dialog& window, int id) {
        const fw::Control button = window.item(id);
        return window.isVisible() && button.handle() != nullptr && button.isEnabled() &&
               button.isVisible();
    }
    void clickIfClickable(fw::Dialog& window, int id) {
        if (clickable(window, id)) {
            driver.click(window, id);
        }
    }
    // The user brings the hidden window back from the tray to use it.
    void restoreFromTray() {
        if (!dialer.isVisible() && trayIconUp()) {
            restore();
            expect(dialer.isVisible(), kInTray, "a double click left it there");
        }
    }
    // The user ends the program from the main window ("&Exit", Escape or the close box); away,
    // the user then leaves its questions up until just past the next task's time.
    void noteExit(bool away) {
        const std::int64_t now = driver.nowMs();
        awayUntilMs_ = away ? now + toNextTask(now, -kAwayPastTaskMs) : awayUntilMs_;
        ending_ = true;
        exitHandle_ = dialer.m_hRasConn;
        exitDialing_ = callUnderWay();
    }
    void exit(bool away) {
        restoreFromTray();
        if (clickable(dialer, fw::kIdCancel)) {
            noteExit(away);
            driver.click(dialer, fw::kIdCancel);
        }
    }

    explore::Script<Step>* script_ = nullptr;
    std::int64_t awayUntilMs_ = 0;
};

}  // namespace dexp
