#include "explorer_case.h"

#include <algorithm>
#include <utility>

#include "dialer/options/options_dlg.h"
#include "dialer/scheduler/schedule_arithmetic.h"
#include "framework/clock.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "resource.h"
#include "settings_bytes.h"
#include "tasks_bytes.h"
#include "time_zone.h"

namespace dexp {

namespace {

constexpr const char* kEntryFile = "entry.dnx";

// The Options dialog's check boxes, in the order steps name them.
constexpr int kCheckBoxes[] = {IDC_DIAL_BY_SCHEDULE,   IDC_KEEP_DIALING, IDC_SAVE_USER_PASSWORD,
                               IDC_START_WITH_WINDOWS, IDC_AUTO_DIAL,    IDC_START_MINIMIZED,
                               IDC_START_PROGRAM,      IDC_PLAY_SOUND};
constexpr unsigned kTrayCommands[] = {ID_TRAY_CONNECT, ID_TRAY_DISCONNECT, 0, IDC_OPTIONS,
                                      ID_TRAY_OPEN};
constexpr unsigned kTaskCommands[] = {ID_TASK_ADD, ID_TASK_DELETE, ID_TASK_DISABLE,
                                      ID_TASK_PROPERTIES};
constexpr int kRecurrenceButtons[] = {IDC_TASK_DAILY, IDC_TASK_WEEKLY, IDC_TASK_MONTHLY,
                                      IDC_TASK_NUMBER};
constexpr std::int64_t kLongestCallAdvanceMs = 10 * 60 * 1000;
// A user away from the program's last questions comes back this long after the next task's time.
constexpr std::int64_t kAwayPastTaskMs = 5000;
constexpr std::int64_t kAdvanceSliceMs = 60 * 1000;
// A message box stays up at most this long: past a daily task's next run.
constexpr std::int64_t kLongestBoxMs = 25 * 60 * 60 * 1000;

std::string tasksBytes(const Start& start) {
    std::vector<Task> tasks;
    for (std::size_t i = 0; i < start.tasks.size(); ++i) {
        const DrawnTask& drawn = start.tasks[i];
        const bool limited = drawn.limitMinutes >= 0;
        tasks.push_back({"Task " + std::to_string(i), entryName(drawn.entry),
                         kStart + drawn.dueInSeconds, limited ? drawn.limitMinutes : 0,
                         limited ? 1 : 0, drawn.disabled ? 1 : 0, drawn.numbered ? kRecurNumber : 0,
                         drawn.numbered ? drawn.runs : 0});
    }
    std::string bytes = tasksFile(tasks);
    if (start.truncatedTasks) {
        bytes.resize(bytes.size() > 4 ? bytes.size() - 3 : 2);
    }
    return bytes;
}

}  // namespace

DialerCase::DialerCase(const Start& start) {
    useNewYorkTime();
    arrange(start);
}

void DialerCase::arrange(const Start& start) {
    for (const PhonebookEntry& entry : kPhonebook) {
        addEntry(entry.name, entry.line, entry.count);
    }
    std::vector<Triple> remembered;
    for (int i = 0; i < start.remembered; ++i) {
        remembered.push_back({entryName(i), "", ""});
    }
    const Options options{.saveUserAndPassword = start.saveAccount,
                          .keepDialing = start.keepDialing,
                          .autoDial = start.autoDial,
                          .startMinimized = start.startMinimized,
                          .dialBySchedule = start.scheduling};
    writeSettings(settingsFile(options, start.remembered, start.current, remembered));
    if (!start.tasks.empty() || start.truncatedTasks) {
        driver.writeFile(tasksPath(), tasksBytes(start));
    }
    // The shortcut the installer leaves, which "Start with Windows" copies.
    driver.writeFile(folder + "\\Ondrel v1.3.lnk", "a shortcut");
    autoDialPending_ = start.autoDial;
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
    beginFrame();
    driver.advance(1);
    running_ = true;
    mainLoop();
    if (failure_.empty() && dialer.exists()) {
        beginFrame();
        // Away from its last questions until the next task is due: the order in which an end can
        // go wrong.
        apply(Step{Act::exit, 1}, dialer);
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
    modals_.push_back(&dialog);
    if (dialog.templateId() == IDD_OPTIONS && !tasksWhenOptionsOpened_) {
        tasksWhenOptionsOpened_ = dialer.m_aTasks;
    }
    checkDialogs();
    if (modals_.size() == 1) {
        pendingMs_ = std::max(pendingMs_, awayMs());
    }
    while (!dialog.ended()) {
        advance(std::exchange(pendingMs_, 0), dialog);
        if (dialog.ended()) {
            break;
        }
        const Step* step = nextStep();
        if (step == nullptr) {
            endAsUser(dialog);
            break;
        }
        apply(*step, dialog);
    }
    if (dialog.templateId() == IDD_KEEP_CONNECTION && dialog.result() != fw::kIdOk) {
        kept_ = true;
    }
    // The tasks an OK hands to the main window may fire from now on, within the step that ended
    // the dialog.
    if (dialog.templateId() == IDD_OPTIONS && dialog.result() == fw::kIdOk) {
        const CTaskList& handed = static_cast<COptionsDlg&>(dialog).m_aTasks;
        frame_.tasks.insert(frame_.tasks.end(), handed.begin(), handed.end());
    }
    modals_.pop_back();
    if (std::none_of(modals_.begin(), modals_.end(),
                     [](fw::Dialog* open) { return open->templateId() == IDD_OPTIONS; })) {
        tasksWhenOptionsOpened_.reset();
    }
}

fw::test::Driver::BoxAnswer DialerCase::answerBox(const fw::test::MessageBoxRecord& box) {
    const int result = (box.type & fw::mb::kButtonMask) == fw::mb::kOk ? fw::kIdOk : fw::kIdNo;
    // Time still to run when the box came up runs with the box up, and so does the time of the
    // steps that follow until the answer; a step of another kind waits for the box to go, and the
    // user answers it at once.
    std::int64_t upMs = std::exchange(pendingMs_, 0);
    if (modals_.empty()) {
        upMs = std::max(upMs, awayMs());
    }
    // Up to a day and more, unless a call under way redials and animates all the while.
    const std::int64_t longest = callUnderWay() ? kLongestCallAdvanceMs : kLongestBoxMs;
    while (running_ && upMs < longest) {
        const Step* step = nextStep(true);
        if (step == nullptr) {
            break;
        }
        upMs += durationOf(*step, driver.nowMs() + upMs);
        if (step->act == Act::answer) {
            break;
        }
    }
    return {result, std::min(upMs, longest)};
}

const Step* DialerCase::nextStep(bool boxUp) {
    if (failure_.empty()) {
        checkInvariants();
    }
    if (!failure_.empty() || script_->done()) {
        return nullptr;
    }
    const Act next = script_->peek().act;
    if (boxUp && next != Act::answer && next != Act::advance && next != Act::nearTask) {
        return nullptr;
    }
    beginFrame();
    return &script_->take();
}

void DialerCase::beginFrame() {
    frame_ = Frame{false, false, dialer.m_aTasks};
}

void DialerCase::apply(const Step& step, fw::Dialog& top) {
    const bool onMain = &top == &dialer;
    // The user brings the window back from the tray to use it.
    if (onMain && step.act <= Act::about && !dialer.isVisible() && trayIconUp()) {
        restore();
    }
    switch (step.act) {
        case Act::ok:
        case Act::enter:
            frame_.connectCommand = onMain;
            if (step.act == Act::ok) {
                clickIfClickable(top, fw::kIdOk);
            } else if (top.isVisible()) {
                driver.pressKey(top, fw::kKeyReturn);
            }
            break;
        case Act::cancel:
            if (!onMain) {
                clickIfClickable(top, fw::kIdCancel);
            }
            break;
        case Act::exit:
        case Act::escape:
        case Act::closeBox:
            if (!top.isVisible() ||
                (step.act == Act::exit && !(onMain && clickable(top, fw::kIdCancel)))) {
                break;
            }
            if (onMain) {
                noteExit(step);
            }
            if (step.act == Act::escape) {
                driver.pressKey(top, fw::kKeyEscape);
            } else if (step.act == Act::closeBox) {
                driver.close(top);
            } else {
                driver.click(top, fw::kIdCancel);
            }
            break;
        case Act::tray:
            applyTray(step.a);
            break;
        case Act::trayRestore:
            if (trayIconUp()) {
                restore();
            }
            break;
        case Act::answer:
            break;  // no message box is up
        case Act::advance:
            advance(step.ms, top);
            break;
        case Act::nearTask:
            advance(durationOf(step, driver.nowMs()), top);
            break;
        case Act::busy:
            driver.busy(step.ms);
            break;
        case Act::fault:
            driver.injectFault(faultOf(step, folder));
            break;
        case Act::shellRestart:
            // The new taskbar holds no icon until a program adds its own again.
            trayIconUp();
            trayUp_ = false;
            driver.send(dialer, fw::registerMessage("TaskbarCreated"), 0, 0);
            break;
        default:
            if (onMain) {
                applyToMainWindow(step);
            } else if (top.templateId() == IDD_OPTIONS) {
                applyToOptions(step, top);
            } else if (top.templateId() == IDD_TASK_PROPERTIES) {
                applyToTaskProperties(step, top);
            }
            break;
    }
}

void DialerCase::applyToMainWindow(const Step& step) {
    switch (step.act) {
        case Act::options:
            clickIfClickable(dialer, IDC_OPTIONS);
            break;
        case Act::properties:
            clickIfClickable(dialer, IDC_PROPERTIES);
            break;
        case Act::errorDetails:
            clickIfClickable(dialer, IDC_ERROR_DETAILS);
            break;
        case Act::typeAccount:
            if (const int edit = step.a == 0 ? IDC_USER_ID : IDC_PASSWORD;
                dialer.isVisible() && dialer.item(edit).isEnabled()) {
                driver.type(dialer, edit, step.b == 0 ? "ann" : "bob");
            }
            break;
        case Act::minimize:
            if (dialer.isVisible()) {
                driver.sysCommand(dialer, fw::kScMinimize);
            }
            break;
        case Act::about:
            if (dialer.isVisible()) {
                driver.sysCommand(dialer, IDM_ABOUTBOX);
            }
            break;
        default:
            break;
    }
}

void DialerCase::applyToOptions(const Step& step, fw::Dialog& top) {
    auto& options = static_cast<COptionsDlg&>(top);
    const fw::ListView list(options, IDC_TASK_LIST);
    const int rows = list.itemCount();
    // A click on the list: on a row, or below the last one.
    const auto clickRow = [&](int code, int row) {
        const fw::Rect first = list.itemRect(0);
        const int height = std::max(first.height(), 1);
        driver.clickList(options, IDC_TASK_LIST, code,
                         {first.left + 20, first.top + height / 2 + height * row});
    };
    switch (step.act) {
        case Act::chooseEntry:
            if (const fw::ComboBox entries(options, IDC_ENTRY_LIST); entries.count() > 0) {
                driver.choose(options, IDC_ENTRY_LIST, step.a % entries.count());
            }
            break;
        case Act::check:
            clickIfClickable(options, kCheckBoxes[step.a]);
            break;
        case Act::newConnection:
            clickIfClickable(options, IDC_NEW_CONNECTION);
            break;
        case Act::saveDialup:
        case Act::importDialup:
            if (const int id = step.act == Act::saveDialup ? IDC_SAVE_DIALUP : IDC_IMPORT_DIALUP;
                clickable(options, id)) {
                const std::string file = folder + "\\" + kEntryFile;
                driver.answerFileDialog(file);
                // Armed only where the import's read comes to it, so that it fires there.
                if (const auto fault = importFault(step, file);
                    fault && id == IDC_IMPORT_DIALUP && fw::test::fileExists(file)) {
                    driver.injectFault(*fault);
                }
                driver.click(options, id);
            }
            break;
        case Act::taskMenu:
            // Only "Add Task..." is offered below the last row.
            if (list.isEnabled() && (step.a == 0 || step.b % (rows + 1) < rows)) {
                driver.answerMenu(kTaskCommands[step.a]);
                clickRow(fw::nm::kRightClick, step.b % (rows + 1));
            }
            break;
        case Act::taskOpen:
            if (list.isEnabled() && rows > 0) {
                clickRow(fw::nm::kDoubleClick, step.b % rows);
            }
            break;
        default:
            break;
    }
}

void DialerCase::applyToTaskProperties(const Step& step, fw::Dialog& task) {
    switch (step.act) {
        case Act::chooseEntry:
            if (const fw::ComboBox entries(task, IDC_TASK_ENTRY_LIST); entries.count() > 0) {
                driver.choose(task, IDC_TASK_ENTRY_LIST, step.a % entries.count());
            }
            break;
        case Act::taskTime:
            if (step.a == kNoColon) {
                driver.type(task, IDC_TASK_TIME, "7");
            } else if (const auto when = DialogTimeOf(fw::now() + step.a * 60)) {
                driver.type(task, IDC_TASK_MONTH, std::to_string(when->month));
                driver.type(task, IDC_TASK_DAY, std::to_string(when->day));
                driver.type(task, IDC_TASK_YEAR, std::to_string(when->year));
                driver.type(task, IDC_TASK_TIME, when->time);
                driver.choose(task, IDC_TASK_AM_PM, when->amPm);
            }
            break;
        case Act::taskLimit:
            if ((task.item(IDC_TASK_DISCONNECT_AFTER).checkState() == fw::kChecked) !=
                (step.a >= 0)) {
                clickIfClickable(task, IDC_TASK_DISCONNECT_AFTER);
            }
            if (step.a >= 0 && task.item(IDC_TASK_MINUTES).isEnabled()) {
                driver.type(task, IDC_TASK_MINUTES, std::to_string(step.a));
            }
            break;
        case Act::taskRepeat:
            clickIfClickable(task, kRecurrenceButtons[step.a]);
            if (step.a == kRecurNumber && task.item(IDC_TASK_RUNS).isEnabled()) {
                driver.type(task, IDC_TASK_RUNS, std::to_string(step.b));
            }
            break;
        default:
            break;
    }
}

void DialerCase::applyTray(int position) {
    // A grayed item cannot be chosen; the tray icon is gone once the program ends.
    if (!trayIconUp() || fw::test::itemAt(dialer.m_trayMenu, position).grayed) {
        return;
    }
    frame_.connectCommand = position <= 1;
    trayCommand(kTrayCommands[position]);
}

void DialerCase::advance(std::int64_t ms, const fw::Dialog& loop) {
    // A modal dialog's loop ends with its dialog: the rest of the time runs in the loop that
    // takes the next step.
    const auto ended = [this, &loop] { return &loop != &dialer && loop.ended(); };
    // A call under way redials and animates the tray all the time: ten minutes of the clock see
    // every cycle of it many times over, and cost what a day would not.
    std::int64_t underWayMs = 0;
    while (ms > 0 && underWayMs < kLongestCallAdvanceMs && failure_.empty()) {
        const std::int64_t slice = std::min(ms, kAdvanceSliceMs);
        const std::int64_t left = driver.advanceUntil(slice, ended);
        ms -= slice - left;
        if (left > 0) {
            pendingMs_ = ms;
            return;
        }
        if (callUnderWay()) {
            underWayMs += slice;
        }
    }
}

std::int64_t DialerCase::durationOf(const Step& step, std::int64_t fromMs) const {
    if (step.act != Act::nearTask) {
        return step.ms;
    }
    // The earliest enabled task still to come; none: the clock stays.
    std::optional<std::int64_t> next;
    for (const CTasks& task : dialer.m_aTasks) {
        const std::int64_t due = std::int64_t{task.m_timeNext} * 1000;
        if (task.m_bDisabled == 0 && due > fromMs && (!next || due < *next)) {
            next = due;
        }
    }
    return next ? std::max<std::int64_t>(*next - step.ms - fromMs, 0) : 0;
}

bool DialerCase::callUnderWay() const {
    return dialer.exists() && button() == "Cancel Call";
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

void DialerCase::endAsUser(fw::Dialog& dialog) {
    driver.pressKey(dialog, fw::kKeyEscape);
    if (!dialog.ended()) {
        driver.close(dialog);
    }
}

std::int64_t DialerCase::awayMs() const {
    return std::max<std::int64_t>(awayUntilMs_ - driver.nowMs(), 0);
}

void DialerCase::noteExit(const Step& step) {
    if (step.a == 1) {
        awayUntilMs_ = driver.nowMs() +
                       durationOf(Step{Act::nearTask, 0, 0, -kAwayPastTaskMs}, driver.nowMs());
    }
    ending_ = true;
    exitHandle_ = dialer.m_hRasConn;
    exitDialing_ = callUnderWay();
}

}  // namespace dexp
