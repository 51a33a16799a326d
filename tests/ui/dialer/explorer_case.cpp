// The dialer's event explorer: generated orders of clicks, keys, tray commands, message-box
// answers, clock advances, line behaviours and file faults, from generated settings and task
// lists, run in whichever loop is up.
#include "explorer_case.h"

#include <algorithm>
#include <utility>

#include "dialer/options/options_dlg.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "resource.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"
#include "time_zone.h"

namespace dexp {

namespace {

// A call under way redials and animates the tray all the time: ten minutes of the clock see every
// cycle of it many times over, and cost what a day would not.
constexpr std::int64_t kLongestCallAdvanceMs = 10 * 60 * 1000;
constexpr std::int64_t kAdvanceSliceMs = 60 * 1000;
// A message box stays up at most this long: past a daily task's next run.
constexpr std::int64_t kLongestBoxMs = 25 * 60 * 60 * 1000;
// A user away from the program's last questions comes back this long after the next task's time.
constexpr std::int64_t kAwayPastTaskMs = 5000;

std::string tasksBytes(const Start& start) {
    std::vector<Task> tasks;
    for (const DrawnTask& drawn : start.tasks) {
        const bool limited = drawn.limitMinutes >= 0;
        tasks.push_back({"Task " + std::to_string(tasks.size()), entryName(drawn.entry),
                         kStart + drawn.dueInSeconds, limited ? drawn.limitMinutes : 0, limited,
                         drawn.disabled, drawn.runs > 0 ? kRecurNumber : 0, drawn.runs});
    }
    std::string bytes = tasksFile(tasks);
    if (start.truncatedTasks) {
        bytes.resize(bytes.size() > 4 ? bytes.size() - 3 : 2);
    }
    return bytes;
}

}  // namespace

DialerCase::DialerCase(const Start& start) : autoDialPending_(start.autoDial) {
    useNewYorkTime();
    for (const PhonebookEntry& entry : kPhonebook) {
        addEntry(entry.name, entry.line, entry.count);
    }
    std::vector<Triple> remembered;
    for (int i = 0; i < start.remembered; ++i) {
        remembered.push_back({entryName(i), "", ""});
    }
    writeSettings(settingsFile({.saveUserAndPassword = start.saveAccount,
                                .keepDialing = start.keepDialing,
                                .autoDial = start.autoDial,
                                .startMinimized = start.startMinimized,
                                .dialBySchedule = start.scheduling},
                               start.remembered, start.current, remembered));
    if (!start.tasks.empty() || start.truncatedTasks) {
        driver.writeFile(tasksPath(), tasksBytes(start));
    }
    // The shortcut the installer leaves, which "Start with Windows" copies.
    driver.writeFile(folder + "\\Ondrel v1.3.lnk", "a shortcut");
    recordCalls();
    driver.onAnyModal([this](fw::test::Driver&, fw::Dialog& dialog) { modalLoop(dialog); });
    driver.onAnyMessageBox(
        [this](const fw::test::MessageBoxRecord& box) { return answerBox(box); });
}

void DialerCase::run(const std::vector<Step>& steps) {
    explore::Script<Step> script(steps);
    script_ = &script;
    startMs_ = driver.nowMs();
    RC_ASSERT(driver.open(dialer));
    // The tasks loaded may fire on the start-up tick.
    beginStep();
    driver.advance(1);
    running_ = true;
    mainLoop();
    if (failure_.empty() && dialer.exists()) {
        beginStep();
        // Away from its last questions until the next task is due: the order in which an end can
        // go wrong.
        exit(true);
    }
    if (failure_.empty()) {
        checkAfterExit();
    }
    if (!failure_.empty()) {
        RC_FAIL(failure_);
    }
}

void DialerCase::mainLoop() {
    while (dialer.exists()) {
        advance(std::exchange(pendingMs_, 0), dialer);
        const Step* step = nextStep();
        if (step == nullptr) {
            return;
        }
        apply(*step, dialer);
    }
}

void DialerCase::modalLoop(fw::Dialog& dialog) {
    ++modalsRun_;
    checkOneOfAKind(dialog);
    modals_.push_back(&dialog);
    if (dialog.templateId() == IDD_OPTIONS) {
        tasksWhenOptionsOpened_ = dialer.m_aTasks;
    }
    // The time the user is away at the end passes in the first question or box of the end.
    if (modals_.size() == 1) {
        pendingMs_ = std::max(pendingMs_, awayMs());
    }
    while (!dialog.ended()) {
        advance(std::exchange(pendingMs_, 0), dialog);
        const Step* step = dialog.ended() ? nullptr : nextStep();
        if (step == nullptr) {
            // The user who is done ends it: Escape, else the close box.
            if (!dialog.ended()) {
                driver.pressKey(dialog, fw::kKeyEscape);
            }
            if (!dialog.ended()) {
                driver.close(dialog);
            }
            break;
        }
        apply(*step, dialog);
    }
    kept_ = kept_ || (dialog.templateId() == IDD_KEEP_CONNECTION && dialog.result() != fw::kIdOk);
    if (dialog.templateId() == IDD_OPTIONS) {
        tasksWhenOptionsOpened_.reset();
        // The tasks an OK hands to the main window may fire from now on, within this step.
        if (dialog.result() == fw::kIdOk) {
            const CTaskList& handed = static_cast<COptionsDlg&>(dialog).m_aTasks;
            stepTasks_.insert(stepTasks_.end(), handed.begin(), handed.end());
        }
    }
    modals_.pop_back();
}

fw::test::Driver::BoxAnswer DialerCase::answerBox(const fw::test::MessageBoxRecord& box) {
    const int result = (box.type & fw::mb::kButtonMask) == fw::mb::kOk ? fw::kIdOk : fw::kIdNo;
    // Time still to run when the box came up runs with the box up, and so does the time of the
    // clock's steps that follow until the answer; a step of another kind waits for the box to go,
    // and the user answers it at once.
    std::int64_t upMs = std::exchange(pendingMs_, 0);
    if (modals_.empty()) {
        upMs = std::max(upMs, awayMs());
    }
    // Up to a day and more, unless a call under way redials and animates all the while.
    const std::int64_t longest = callUnderWay() ? kLongestCallAdvanceMs : kLongestBoxMs;
    for (const Step* step; running_ && upMs < longest && (step = nextStep(true)) != nullptr;) {
        upMs += durationOf(*step, driver.nowMs() + upMs);
        if (kinds()[step->kind].on == On::box) {
            break;
        }
    }
    return {result, std::min(upMs, longest)};
}

const Step* DialerCase::nextStep(bool boxUp) {
    if (failure_.empty()) {
        checkInvariants();
    }
    if (!failure_.empty() || script_->done() ||
        (boxUp && kinds()[script_->peek().kind].on < On::clock)) {
        return nullptr;
    }
    beginStep();
    return &script_->take();
}

void DialerCase::apply(const Step& step, fw::Dialog& top) {
    const Kind& kind = kinds()[step.kind];
    const bool onMain = &top == &dialer;
    const int shown = top.templateId();
    if ((kind.on == On::main && !onMain) || (kind.on == On::dialog && onMain) ||
        (kind.on == On::options && shown != IDD_OPTIONS) ||
        (kind.on == On::task && shown != IDD_TASK_PROPERTIES) || !kind.act) {
        return;
    }
    // The user brings the window back from the tray to use it.
    if (kind.on <= On::main && onMain && !dialer.isVisible() && trayIconUp()) {
        restore();
    }
    if (kind.on >= On::anything || top.isVisible()) {
        kind.act(*this, step, top);
    }
}

void DialerCase::advance(std::int64_t ms, const fw::Dialog& loop) {
    // A modal dialog's loop ends with its dialog: the rest of the time runs in the loop that
    // takes the next step.
    const auto ended = [this, &loop] { return &loop != &dialer && loop.ended(); };
    std::int64_t underWayMs = 0;
    while (ms > 0 && underWayMs < kLongestCallAdvanceMs && failure_.empty()) {
        const std::int64_t slice = std::min(ms, kAdvanceSliceMs);
        const std::int64_t left = driver.advanceUntil(slice, ended);
        ms -= slice - left;
        if (left > 0) {
            pendingMs_ = ms;
            return;
        }
        underWayMs += callUnderWay() ? slice : 0;
    }
}

std::int64_t DialerCase::durationOf(const Step& step, std::int64_t fromMs) const {
    return kinds()[step.kind].on == On::nextTask ? toNextTask(fromMs, step.a) : step.a;
}

std::int64_t DialerCase::toNextTask(std::int64_t fromMs, std::int64_t beforeMs) const {
    // The earliest enabled task still to come; none: the clock stays.
    std::optional<std::int64_t> next;
    for (const CTasks& task : dialer.m_aTasks) {
        const std::int64_t due = std::int64_t{task.m_timeNext} * 1000;
        if (task.m_bDisabled == 0 && due > fromMs && (!next || due < *next)) {
            next = due;
        }
    }
    return next ? std::max<std::int64_t>(*next - beforeMs - fromMs, 0) : 0;
}

bool DialerCase::clickable(const fw::Dialog& window, int id) const {
    const fw::Control button = window.item(id);
    return window.isVisible() && button.handle() != nullptr && button.isEnabled() &&
           button.isVisible();
}

void DialerCase::clickIfClickable(fw::Dialog& window, int id) {
    if (clickable(window, id)) {
        driver.click(window, id);
    }
}

void DialerCase::clickRow(fw::Dialog& options, unsigned code, int row) {
    const fw::Rect first = fw::ListView(options, IDC_TASK_LIST).itemRect(0);
    const int height = std::max(first.height(), 1);
    driver.clickList(options, IDC_TASK_LIST, code,
                     {first.left + 20, first.top + height / 2 + height * row});
}

void DialerCase::noteExit(bool away) {
    if (away) {
        awayUntilMs_ = driver.nowMs() + toNextTask(driver.nowMs(), -kAwayPastTaskMs);
    }
    ending_ = true;
    exitHandle_ = dialer.m_hRasConn;
    exitDialing_ = callUnderWay();
}

void DialerCase::exit(bool away) {
    if (!dialer.isVisible() && trayIconUp()) {
        restore();
    }
    if (clickable(dialer, fw::kIdCancel)) {
        noteExit(away);
        driver.click(dialer, fw::kIdCancel);
    }
}

TEST(DialerExplorer, EveryOrderOfEventsKeepsTheInvariants) {
    explore::check("dialer explorer", [] {
        const Start start = *genStart();
        DialerCase(start).run(*rc::gen::container<std::vector<Step>>(genStep()));
    });
}

}  // namespace dexp
