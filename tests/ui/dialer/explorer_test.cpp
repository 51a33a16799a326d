// The dialer's event explorer: what it draws (the state a case starts from, and the steps that
// follow, each one thing a user, the clock, the line or the disk can do at any moment) and the
// property that every order of them keeps the invariants.
#include <string>
#include <utility>

#include "dialer/scheduler/schedule_arithmetic.h"
#include "explorer_case.h"
#include "framework/file_fault.h"
#include "framework/inspect.h"

namespace dexp {

namespace {

using Op = fw::test::FileFault::Op;
using Cause = fw::FileError::Cause;
using rc::gen::element, rc::gen::inRange, rc::gen::just, rc::gen::weightedOneOf;

constexpr int kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute;

// The tray menu's items, by position (2 is the separator).
constexpr const char* kTray[] = {"Connect", "Disconnect", "", "Options...", "Open"};
constexpr unsigned kTrayIds[] = {ID_TRAY_CONNECT, ID_TRAY_DISCONNECT, 0, IDC_OPTIONS, ID_TRAY_OPEN};
constexpr const char* kCheckBoxes[] = {"schedule", "keep dialing", "save account", "with Windows"};
constexpr int kCheckBoxIds[] = {IDC_DIAL_BY_SCHEDULE, IDC_KEEP_DIALING, IDC_SAVE_USER_PASSWORD,
                                IDC_START_WITH_WINDOWS};
constexpr const char* kTaskCommands[] = {"Add Task...", "Delete Task", "Disable", "Properties..."};
constexpr unsigned kTaskCommandIds[] = {ID_TASK_ADD, ID_TASK_DELETE, ID_TASK_DISABLE,
                                        ID_TASK_PROPERTIES};
constexpr const char* kTypedFields[] = {"account ID", "password"};
constexpr int kTypedFieldIds[] = {IDC_USER_ID, IDC_PASSWORD};
constexpr const char* kFaultFiles[] = {"Ondrel.dat", "Tasks.dat"};
// What saving a file does: the temporary file beside it is created, written and closed, and moved
// into the file's place.
constexpr const char* kSaveOps[] = {"create", "write", "close", "move"};
constexpr Op kSaveOpIds[] = {Op::create, Op::write, Op::close, Op::move};

rc::Gen<bool> chance(int yes, int no) {
    return rc::gen::weightedElement<bool>({{yes, true}, {no, false}});
}

}  // namespace

const std::vector<DialerCase::Kind>& DialerCase::kinds() {
    using C = DialerCase;
    using S = const Step&;
    using W = fw::Dialog;
    const auto click = [](int id) -> Action {
        return [id](C& c, S, W& top) { c.clickIfClickable(top, id); };
    };
    const auto choose = [](int id) -> Action {
        return [id](C& c, S s, W& top) {
            if (const int count = fw::ComboBox(top, id).count(); count > 0) {
                c.driver.choose(top, id, s.a % count);
            }
        };
    };
    const auto key = [](int code) -> Action {
        return [code](C& c, S, W& top) { c.driver.pressKey(top, code); };
    };
    static const std::vector<Kind> table = {
        {20, "OK/Connect", On::window, click(fw::kIdOk)},
        {10, "Cancel", On::dialog, click(fw::kIdCancel)},
        {1, "Exit", On::main, [](C& c, S, W&) { c.exit(false); }},
        {2, "Exit, away until past the next task", On::main, [](C& c, S, W&) { c.exit(true); }},
        {2, "Return", On::window, key(fw::kKeyReturn)},
        {1, "Escape", On::close, key(fw::kKeyEscape)},
        {1, "close box", On::closeBox, [](C& c, S, W& top) { c.driver.close(top); }},
        {10, "Options...", On::main, click(IDC_OPTIONS)},
        {4, "Error Details...", On::main, click(IDC_ERROR_DETAILS)},
        // What is typed is saved with the entry, in "Ondrel.dat", when the account is kept.
        {3, "type the {a}", On::main,
         [](C& c, S s, W& w) {
             if (w.item(kTypedFieldIds[s.a]).isEnabled()) {
                 c.driver.type(w, kTypedFieldIds[s.a], "typed " + std::to_string(s.b));
             }
         },
         inRange(0, 2), kTypedFields, inRange(0, 3)},
        {2, "minimize", On::main, [](C& c, S, W& w) { c.driver.sysCommand(w, fw::kScMinimize); }},
        {1, "About", On::main, [](C& c, S, W& w) { c.driver.sysCommand(w, IDM_ABOUTBOX); }},
        // A grayed item cannot be chosen; the tray icon is gone once the program ends.
        {14, "tray {a}", On::anything,
         [](C& c, S s, W&) {
             if (c.trayIconUp() && !fw::test::itemAt(c.dialer.m_trayMenu, s.a).grayed) {
                 if (s.a <= 1) {
                     c.userConnectCommand();
                 }
                 c.trayCommand(kTrayIds[s.a]);
                 c.expect(kTrayIds[s.a] != ID_TRAY_OPEN || c.dialer.isVisible(), kInTray,
                          "\"Open\" left it there");
             }
         },
         element(0, 1, 3, 4), kTray},
        {4, "tray double click", On::anything, [](C& c, S, W&) { c.restoreFromTray(); }},
        // An item of the entry list (as many as the phonebook and "Gone"), modulo its count.
        {5, "choose entry {a}", On::options, choose(IDC_ENTRY_LIST), inRange(0, 8)},
        {5, "choose entry {a}", On::task, choose(IDC_TASK_ENTRY_LIST), inRange(0, 8)},
        {6, "check box {a}", On::options, [](C& c, S s, W& w) { c.clickIfClickable(w, kCheckBoxIds[s.a]); },
         weightedOneOf<int>({{3, inRange(0, 2)}, {1, inRange(0, 4)}}), kCheckBoxes},
        // A right click on a row, or below the last one, where only "Add Task..." is offered.
        {8, "task row {b}: {a}", On::options,
         [](C& c, S s, W& top) {
             const fw::ListView list(top, IDC_TASK_LIST);
             const fw::Rect first = list.itemRect(0);
             const int rows = list.itemCount(), row = s.b % (rows + 1);
             const int height = std::max(first.height(), 1);
             if (list.isEnabled() && (s.a == 0 || row < rows)) {
                 c.driver.answerMenu(kTaskCommandIds[s.a]);
                 c.driver.clickList(top, IDC_TASK_LIST, fw::nm::kRightClick,
                                    {first.left + 20, first.top + height / 2 + height * row});
             }
         },
         inRange(0, 4), kTaskCommands, inRange(0, 4)},
        {5, "task time in {a} min", On::task,
         [](C& c, S s, W& task) {
             if (const auto when = DialogTimeOf(fw::now() + s.a * 60)) {
                 c.driver.type(task, IDC_TASK_MONTH, std::to_string(when->month));
                 c.driver.type(task, IDC_TASK_DAY, std::to_string(when->day));
                 c.driver.type(task, IDC_TASK_YEAR, std::to_string(when->year));
                 c.driver.type(task, IDC_TASK_TIME, when->time);
                 c.driver.choose(task, IDC_TASK_AM_PM, when->amPm);
             }
         },
         inRange(-3, 90)},
        // The limit's check box as a says (-1: off), then its minutes.
        {4, "task limit: {a} min", On::task,
         [](C& c, S s, W& task) {
             if ((task.item(IDC_TASK_DISCONNECT_AFTER).checkState() == fw::kChecked) != (s.a >= 0)) {
                 c.clickIfClickable(task, IDC_TASK_DISCONNECT_AFTER);
             }
             if (task.item(IDC_TASK_MINUTES).isEnabled()) {
                 c.driver.type(task, IDC_TASK_MINUTES, std::to_string(s.a));
             }
         },
         inRange(-1, 3)},
        // Times that cross what the dialer waits for: a connection (3.7 s), the poll (7.5 s), a
        // redial (8 s), the warning's countdown (21 s), a task's minutes, a day.
        {48, "advance {a} ms", On::clock, [](C& c, S s, W& top) { c.advance(s.a, top); },
         weightedOneOf<int>({{3, inRange(1, kSecond)},
                             {5, inRange(kSecond, 12 * kSecond)},
                             {2, inRange(12 * kSecond, 30 * kSecond)},
                             {5, inRange(30 * kSecond, 10 * kMinute)},
                             {1, inRange(10 * kMinute, 2 * kHour)},
                             {1, element(24 * kHour - kMinute, 24 * kHour)}})},
        // To just before the next task, or just past its time.
        {10, "advance to {a} ms before the next task", On::nextTask,
         [](C& c, S s, W& top) { c.advance(c.durationOf(s, c.driver.nowMs()), top); },
         weightedOneOf<int>({{3, inRange(-5 * kSecond, 0)}, {2, inRange(0, kMinute)}})},
        {6, "busy {a} ms", On::anything, [](C& c, S s, W&) { c.driver.busy(s.a); }, inRange(1, 5 * kSecond)},
        // The writes go to a temporary file beside the file, which takes its place once complete.
        {10, "fault: {a} of {b}", On::anything,
         [](C& c, S s, W&) {
             const std::string file = c.folder + "\\" + kFaultFiles[s.b];
             const Op op = kSaveOpIds[s.a];
             c.driver.injectFault({op == Op::move ? file : file + fw::kSaveSuffix, op,
                                   op == Op::write ? Cause::diskFull : Cause::accessDenied,
                                   op == Op::write ? 10u : 0u});
         },
         inRange(0, 4), kSaveOps, element(0, 1), kFaultFiles},
        // The shell's taskbar is created again, without the icons it showed.
        {2, "the shell restarts", On::anything,
         [](C& c, S, W&) {
             c.trayFrom_ = c.driver.tray().size();
             c.driver.send(c.dialer, fw::registerMessage("TaskbarCreated"), 0, 0);
         }},
    };
    return table;
}

rc::Gen<Step> genStep() {
    // Each kind as often as its weight; its values shrink, the kind does not.
    std::vector<int> byWeight;
    for (int kind = 0; kind < static_cast<int>(DialerCase::kinds().size()); ++kind) {
        byWeight.insert(byWeight.end(), DialerCase::kinds()[kind].weight, kind);
    }
    return rc::gen::mapcat(rc::gen::noShrink(rc::gen::elementOf(byWeight)), [](int kind) {
        const DialerCase::Kind& row = DialerCase::kinds()[kind];
        return rc::gen::map(rc::gen::pair(row.a, row.b), [kind](std::pair<int, int> ab) {
            return Step{kind, ab.first, ab.second};
        });
    });
}

rc::Gen<Start> genStart() {
    return rc::gen::exec([] {
        Start start{{.saveUserAndPassword = *chance(1, 1),
                     .keepDialing = *chance(1, 1),
                     .autoDial = *chance(1, 3),
                     .startMinimized = *chance(1, 5),
                     .dialBySchedule = *chance(3, 1)}};
        start.remembered = *weightedOneOf<int>({{1, just(0)}, {5, inRange(1, kPhonebookSize + 2)}});
        start.current = *inRange(0, start.remembered + 1);
        const int tasks = *weightedOneOf<int>({{1, just(0)}, {6, inRange(1, 4)}});
        for (int i = 0; i < tasks; ++i) {
            // Now and then the empty name that only a damaged file holds.
            const int entry = *weightedOneOf<int>(
                {{12, inRange(0, kPhonebookSize + 1)}, {1, just(kPhonebookSize + 1)}});
            const int limit = *element(-1, -1, 0, 1, 2, 30), runs = *element(0, 0, 0, 1, 2, 3);
            start.tasks.push_back(
                {"Task " + std::to_string(i), entryName(entry),
                 kStart + *weightedOneOf<int>({{1, inRange(-300, 0)}, {4, inRange(0, 1800)}}),
                 std::max(limit, 0), limit >= 0, *chance(1, 6), runs > 0 ? kRecurNumber : 0, runs});
        }
        return start;
    });
}

void showValue(const Start& start, std::ostream& os) {
    const Options& options = start.options;
    os << "schedule, keep dialing, save account, auto dial, minimized: " << options.dialBySchedule
       << options.keepDialing << options.saveUserAndPassword << options.autoDial
       << options.startMinimized << "; remembered";
    for (int i = 0; i < start.remembered; ++i) {
        os << (i == start.current ? " [" : " \"") << entryName(i)
           << (i == start.current ? "]" : "\"");
    }
    os << "; Tasks.dat:";
    for (const Task& task : start.tasks) {
        os << " {\"" << task.entry << "\" in " << task.time - kStart << " s, "
           << (task.number > 0 ? std::to_string(task.number) + " runs" : "daily")
           << (task.disconnectAfter != 0 ? ", limit " + std::to_string(task.minutes) + " min" : "")
           << (task.disabled != 0 ? ", disabled}" : "}");
    }
}

void showValue(const Step& step, std::ostream& os) {
    const DialerCase::Kind& kind = DialerCase::kinds()[step.kind];
    std::string text = kind.text;
    for (const auto& [field, names, value] :
         {std::tuple{"{a}", kind.aNames, step.a}, {"{b}", kind.bNames, step.b}}) {
        if (const std::size_t at = text.find(field); at != std::string::npos) {
            text.replace(at, 3, names.empty() ? std::to_string(value) : names[value]);
        }
    }
    os << text;
}

TEST(DialerExplorer, EveryOrderOfEventsKeepsTheInvariants) {
    explore::check("dialer explorer", [] {
        const Start start = *genStart();
        DialerCase(start).run(*rc::gen::container<std::vector<Step>>(genStep()));
    });
}

}  // namespace dexp
