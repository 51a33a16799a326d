// What the dialer explorer draws: the state a case starts from, and the steps that follow, each
// one thing a user, the clock, the line or the disk can do at any moment.
#include <string>
#include <utility>

#include "dialer/scheduler/schedule_arithmetic.h"
#include "explorer_case.h"
#include "framework/clock.h"
#include "framework/file_fault.h"
#include "framework/inspect.h"
#include "framework/save_file.h"

namespace dexp {

namespace {

using Op = fw::test::FileFault::Op;
using Cause = fw::FileError::Cause;
using Named = DialerCase::Named;
using Gen = rc::Gen<int>;

constexpr int kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute;

// The tray menu's items, by position (2 is the separator).
constexpr Named kTray[] = {{"Connect", ID_TRAY_CONNECT},
                           {"Disconnect", ID_TRAY_DISCONNECT},
                           {""},
                           {"Options...", IDC_OPTIONS},
                           {"Open", ID_TRAY_OPEN}};
constexpr Named kAccount[] = {{"\"ann\" as the user", IDC_USER_ID},
                              {"\"bob\" as the user", IDC_USER_ID},
                              {"\"ann\" as the password", IDC_PASSWORD},
                              {"\"bob\" as the password", IDC_PASSWORD}};
constexpr Named kCheckBoxes[] = {{"Dial according to a schedule", IDC_DIAL_BY_SCHEDULE},
                                 {"Keep dialing", IDC_KEEP_DIALING},
                                 {"Save User ID and Password", IDC_SAVE_USER_PASSWORD},
                                 {"Start with Windows", IDC_START_WITH_WINDOWS},
                                 {"Automatically dial", IDC_AUTO_DIAL},
                                 {"Start minimized", IDC_START_MINIMIZED},
                                 {"Start program", IDC_START_PROGRAM},
                                 {"Play sound", IDC_PLAY_SOUND}};
constexpr Named kTaskCommands[] = {{"Add Task...", ID_TASK_ADD},
                                   {"Delete Task", ID_TASK_DELETE},
                                   {"Disable", ID_TASK_DISABLE},
                                   {"Properties...", ID_TASK_PROPERTIES}};
constexpr Named kRecurrences[] = {{"Daily", IDC_TASK_DAILY},
                                  {"Weekly", IDC_TASK_WEEKLY},
                                  {"Monthly", IDC_TASK_MONTHLY},
                                  {"Number:", IDC_TASK_NUMBER}};
constexpr Named kImportFaults[] = {{""}, {" (its open fails)"}, {" (its read fails)"}};
constexpr Named kFaultFiles[] = {{"Ondrel.dat"}, {"Tasks.dat"}, {"entry.dnx"}};
// What saving a file does: the temporary file beside it is created, written and closed, and moved
// into the file's place.
constexpr Named kSaveOps[] = {{"create", static_cast<int>(Op::create)},
                              {"write", static_cast<int>(Op::write)},
                              {"close", static_cast<int>(Op::close)},
                              {"move", static_cast<int>(Op::move)}};

Gen any(std::span<const Named> names) {
    return rc::gen::inRange(0, static_cast<int>(names.size()));
}
Gen range(int from, int to) {
    return rc::gen::inRange(from, to);
}

// Times that cross what the dialer waits for: a connection (3.7 s), the poll (7.5 s), a redial
// (8 s), the warning's countdown (21 s), a task's minutes, a day.
const Gen kDuration = rc::gen::weightedOneOf<int>({
    {3, range(1, kSecond)},
    {5, range(kSecond, 12 * kSecond)},
    {2, range(12 * kSecond, 30 * kSecond)},
    {5, range(30 * kSecond, 10 * kMinute)},
    {1, range(10 * kMinute, 2 * kHour)},
    {1, rc::gen::element(24 * kHour - kMinute, 24 * kHour)},
});
// How long a message box stays up: answered at once, or while timers fire behind it.
const Gen kAnswerDelay = rc::gen::weightedOneOf<int>(
    {{3, rc::gen::just(0)}, {3, range(1, 10 * kSecond)}, {4, range(10 * kSecond, 3 * kMinute)}});

rc::Gen<bool> chance(int yes, int no) {
    return rc::gen::weightedElement<bool>({{yes, true}, {no, false}});
}

}  // namespace

const std::vector<DialerCase::Kind>& DialerCase::kinds() {
    using C = DialerCase;
    const auto click = [](int id) -> Action {
        return [id](C& c, const Step&, fw::Dialog& top) { c.clickIfClickable(top, id); };
    };
    // Button 1 and Return on the main window are the user's Connect, Cancel Call or Disconnect.
    const auto connect = [](C& c, const fw::Dialog& top) { c.connectCommand_ = &top == &c.dialer; };
    const auto limit = [](C& c, const Step& s, fw::Dialog& task) {
        if ((task.item(IDC_TASK_DISCONNECT_AFTER).checkState() == fw::kChecked) != (s.a >= 0)) {
            c.clickIfClickable(task, IDC_TASK_DISCONNECT_AFTER);
        }
        if (s.a >= 0 && task.item(IDC_TASK_MINUTES).isEnabled()) {
            c.driver.type(task, IDC_TASK_MINUTES, std::to_string(s.a));
        }
    };
    const auto dialupFile = [](C& c, const Step& s, fw::Dialog& options) {
        const int id = s.b == 0 ? IDC_SAVE_DIALUP : IDC_IMPORT_DIALUP;
        if (!c.clickable(options, id)) {
            return;
        }
        const std::string file = c.folder + "\\entry.dnx";
        c.driver.answerFileDialog(file);
        // Armed only where the import's read comes to it, so that it fires within the step.
        if (s.a > 0 && fw::test::fileExists(file)) {
            c.driver.injectFault(s.a == 1
                                     ? fw::test::FileFault{file, Op::open, Cause::sharingViolation}
                                     : fw::test::FileFault{file, Op::read, Cause::hardIO, 6});
        }
        c.driver.click(options, id);
    };
    static const std::vector<Kind> table = {
        {20, "OK/Connect", On::window,
         [connect](C& c, const Step&, fw::Dialog& top) {
             connect(c, top);
             c.clickIfClickable(top, fw::kIdOk);
         }},
        {10, "Cancel", On::dialog, click(fw::kIdCancel)},
        {1, "Exit", On::main, [](C& c, const Step&, fw::Dialog&) { c.exit(false); }},
        {2, "Exit, and away until just past the next task", On::main,
         [](C& c, const Step&, fw::Dialog&) { c.exit(true); }},
        {2, "Return", On::window,
         [connect](C& c, const Step&, fw::Dialog& top) {
             connect(c, top);
             c.driver.pressKey(top, fw::kKeyReturn);
         }},
        {1, "Escape", On::window,
         [](C& c, const Step&, fw::Dialog& top) {
             if (&top == &c.dialer) {
                 c.noteExit(false);
             }
             c.driver.pressKey(top, fw::kKeyEscape);
         }},
        {1, "close box", On::window,
         [](C& c, const Step&, fw::Dialog& top) {
             if (&top == &c.dialer) {
                 c.noteExit(false);
             }
             c.driver.close(top);
         }},
        {10, "Options...", On::main, click(IDC_OPTIONS)},
        {2, "Properties...", On::main, click(IDC_PROPERTIES)},
        {4, "Error Details...", On::main, click(IDC_ERROR_DETAILS)},
        {2, "type {a}", On::main,
         [](C& c, const Step& s, fw::Dialog&) {
             if (const int edit = kAccount[s.a].id; c.dialer.item(edit).isEnabled()) {
                 c.driver.type(c.dialer, edit, s.a % 2 == 0 ? "ann" : "bob");
             }
         },
         any(kAccount), kAccount},
        {2, "minimize", On::main,
         [](C& c, const Step&, fw::Dialog&) { c.driver.sysCommand(c.dialer, fw::kScMinimize); }},
        {1, "About", On::main,
         [](C& c, const Step&, fw::Dialog&) { c.driver.sysCommand(c.dialer, IDM_ABOUTBOX); }},
        // A grayed item cannot be chosen; the tray icon is gone once the program ends.
        {14, "tray {a}", On::anything,
         [](C& c, const Step& s, fw::Dialog&) {
             if (c.trayIconUp() && !fw::test::itemAt(c.dialer.m_trayMenu, s.a).grayed) {
                 c.connectCommand_ = s.a <= 1;
                 c.trayCommand(kTray[s.a].id);
             }
         },
         rc::gen::element(0, 1, 3, 4), kTray},
        {4, "tray double click", On::anything,
         [](C& c, const Step&, fw::Dialog&) {
             if (c.trayIconUp()) {
                 c.restore();
             }
         }},
        // The entry list of Options or of Task Properties.
        {10, "choose entry {a}", On::dialog,
         [](C& c, const Step& s, fw::Dialog& top) {
             for (const int id : {IDC_ENTRY_LIST, IDC_TASK_ENTRY_LIST}) {
                 if (top.item(id).handle() != nullptr) {
                     if (const int count = fw::ComboBox(top, id).count(); count > 0) {
                         c.driver.choose(top, id, s.a % count);
                     }
                 }
             }
         },
         range(0, kPhonebookSize + 1)},
        {6, "click \"{a}\"", On::options,
         [](C& c, const Step& s, fw::Dialog& top) { c.clickIfClickable(top, kCheckBoxes[s.a].id); },
         rc::gen::weightedOneOf<int>({{3, range(0, 2)}, {2, any(kCheckBoxes)}}),
         kCheckBoxes},
        {1, "New Connection...", On::options, click(IDC_NEW_CONNECTION)},
        {2, "Save Dial-up to File...", On::options, dialupFile},
        {2, "Import Dial-up...{a}", On::options, dialupFile,
         rc::gen::element(0, 0, 1, 2), kImportFaults, rc::gen::just(1)},
        // Only "Add Task..." is offered below the last row.
        {8, "task row {b}: {a}", On::options,
         [](C& c, const Step& s, fw::Dialog& top) {
             const fw::ListView list(top, IDC_TASK_LIST);
             const int rows = list.itemCount(), row = s.b % (rows + 1);
             if (list.isEnabled() && (s.a == 0 || row < rows)) {
                 c.driver.answerMenu(kTaskCommands[s.a].id);
                 c.clickRow(top, fw::nm::kRightClick, row);
             }
         },
         any(kTaskCommands), kTaskCommands, rc::gen::inRange(0, 4)},
        {2, "double click task row {a}", On::options,
         [](C& c, const Step& s, fw::Dialog& top) {
             const fw::ListView list(top, IDC_TASK_LIST);
             if (const int rows = list.itemCount(); list.isEnabled() && rows > 0) {
                 c.clickRow(top, fw::nm::kDoubleClick, s.a % rows);
             }
         },
         range(0, 4)},
        {5, "task time in {a} min", On::task,
         [](C& c, const Step& s, fw::Dialog& task) {
             if (const auto when = DialogTimeOf(fw::now() + s.a * 60)) {
                 c.driver.type(task, IDC_TASK_MONTH, std::to_string(when->month));
                 c.driver.type(task, IDC_TASK_DAY, std::to_string(when->day));
                 c.driver.type(task, IDC_TASK_YEAR, std::to_string(when->year));
                 c.driver.type(task, IDC_TASK_TIME, when->time);
                 c.driver.choose(task, IDC_TASK_AM_PM, when->amPm);
             }
         },
         range(-3, 90)},
        {1, "task time without a colon", On::task,
         [](C& c, const Step&, fw::Dialog& task) { c.driver.type(task, IDC_TASK_TIME, "7"); }},
        {1, "task limit: none", On::task, limit, rc::gen::just(-1)},
        {3, "task limit: {a} min", On::task, limit, range(0, 3)},
        {2, "task {a} ({b} runs)", On::task,
         [](C& c, const Step& s, fw::Dialog& task) {
             c.clickIfClickable(task, kRecurrences[s.a].id);
             if (s.a == kRecurNumber && task.item(IDC_TASK_RUNS).isEnabled()) {
                 c.driver.type(task, IDC_TASK_RUNS, std::to_string(s.b));
             }
         },
         any(kRecurrences), kRecurrences, rc::gen::inRange(1, 4)},
        {16, "box answered after {a} ms", On::box, nullptr, kAnswerDelay},
        {48, "advance {a} ms", On::clock,
         [](C& c, const Step& s, fw::Dialog& top) { c.advance(s.a, top); }, kDuration},
        // To just before the next task, or just past its time.
        {10, "advance to {a} ms before the next task", On::nextTask,
         [](C& c, const Step& s, fw::Dialog& top) {
             c.advance(c.durationOf(s, c.driver.nowMs()), top);
         },
         rc::gen::weightedOneOf<int>({{3, range(-5 * kSecond, 0)}, {2, range(0, kMinute)}})},
        {6, "busy {a} ms", On::anything,
         [](C& c, const Step& s, fw::Dialog&) { c.driver.busy(s.a); }, range(1, 5 * kSecond)},
        // The program's own two files more often than an exported one. The writes go to a
        // temporary file beside the file, which takes its place once complete.
        {10, "fault: {a} of {b}", On::anything,
         [](C& c, const Step& s, fw::Dialog&) {
             const std::string file = c.folder + "\\" + kFaultFiles[s.b].text;
             const auto op = static_cast<Op>(kSaveOps[s.a].id);
             c.driver.injectFault({op == Op::move ? file : file + fw::kSaveSuffix, op,
                                   op == Op::write ? Cause::diskFull : Cause::accessDenied,
                                   op == Op::write ? 10u : 0u});
         },
         any(kSaveOps), kSaveOps, rc::gen::element(0, 0, 1, 1, 2), kFaultFiles},
        // The shell's taskbar is created again, without the icons it showed.
        {2, "the shell restarts", On::anything,
         [](C& c, const Step&, fw::Dialog&) {
             c.trayFrom_ = c.driver.tray().size();
             c.driver.send(c.dialer, fw::registerMessage("TaskbarCreated"), 0, 0);
         }},
    };
    return table;
}

const char* entryName(int entry) {
    return entry < kPhonebookSize ? kPhonebook[entry].name : entry == kPhonebookSize ? "Gone" : "";
}

rc::Gen<Step> genStep() {
    int total = 0;
    for (const DialerCase::Kind& kind : DialerCase::kinds()) {
        total += kind.weight;
    }
    // The kind by its weight, at any size; its values shrink, the kind does not.
    const auto drawn =
        rc::gen::noShrink(rc::gen::resize(rc::kNominalSize, rc::gen::inRange(0, total)));
    return rc::gen::mapcat(drawn, [](int at) {
        int kind = 0;
        for (const auto& kinds = DialerCase::kinds(); at >= kinds[kind].weight; ++kind) {
            at -= kinds[kind].weight;
        }
        const DialerCase::Kind& row = DialerCase::kinds()[kind];
        return rc::gen::map(rc::gen::pair(row.a, row.b), [kind](std::pair<int, int> ab) {
            return Step{kind, ab.first, ab.second};
        });
    });
}

rc::Gen<Start> genStart() {
    return rc::gen::exec([] {
        Start start{*chance(3, 1), *chance(1, 1), *chance(1, 1), *chance(1, 3), *chance(1, 5)};
        start.remembered = *rc::gen::weightedOneOf<int>(
            {{1, rc::gen::just(0)}, {5, rc::gen::inRange(1, kPhonebookSize + 2)}});
        start.current = *rc::gen::inRange(0, start.remembered + 1);
        const int tasks =
            *rc::gen::weightedOneOf<int>({{1, rc::gen::just(0)}, {6, rc::gen::inRange(1, 4)}});
        for (int i = 0; i < tasks; ++i) {
            // Now and then the empty name that only a damaged file holds.
            const int entry =
                *rc::gen::weightedOneOf<int>({{12, rc::gen::inRange(0, kPhonebookSize + 1)},
                                              {1, rc::gen::just(kPhonebookSize + 1)}});
            const std::int32_t due = *rc::gen::weightedOneOf<std::int32_t>(
                {{1, rc::gen::inRange(-300, 0)}, {4, rc::gen::inRange(0, 1800)}});
            start.tasks.push_back({entry, due, *rc::gen::element(-1, -1, 0, 1, 2, 30),
                                   *rc::gen::element(0, 0, 0, 1, 2, 3), *chance(1, 6)});
        }
        start.truncatedTasks = *chance(1, 12);
        return start;
    });
}

void showValue(const Start& start, std::ostream& os) {
    os << "scheduling " << start.scheduling << ", keep dialing " << start.keepDialing
       << ", save account " << start.saveAccount << ", auto dial " << start.autoDial
       << ", start minimized " << start.startMinimized << "; remembered";
    for (int i = 0; i < start.remembered; ++i) {
        os << (i == start.current ? " [" : " \"") << entryName(i)
           << (i == start.current ? "]" : "\"");
    }
    os << "; Tasks.dat" << (start.truncatedTasks ? " (cut short)" : "") << ":";
    for (const DrawnTask& task : start.tasks) {
        os << " {\"" << entryName(task.entry) << "\" in " << task.dueInSeconds << " s, "
           << (task.runs > 0 ? std::to_string(task.runs) + " runs" : "daily")
           << (task.limitMinutes >= 0 ? ", limit " + std::to_string(task.limitMinutes) + " min"
                                      : "")
           << (task.disabled ? ", disabled}" : "}");
    }
}

void showValue(const Step& step, std::ostream& os) {
    const DialerCase::Kind& kind = DialerCase::kinds()[step.kind];
    std::string text = kind.text;
    const auto fill = [&text](const char* field, std::span<const Named> names, int value) {
        if (const std::size_t at = text.find(field); at != std::string::npos) {
            text.replace(at, 3, names.empty() ? std::to_string(value) : names[value].text);
        }
    };
    fill("{a}", kind.aNames, step.a);
    fill("{b}", kind.bNames, step.b);
    os << text;
}

}  // namespace dexp
