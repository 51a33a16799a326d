#include "explorer_steps.h"

#include <string>
#include <utility>

#include "framework/save_file.h"

namespace dexp {

namespace {

using Op = fw::test::FileFault::Op;
using Cause = fw::FileError::Cause;

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;

// The tray menu's items, by position (2 is the separator).
constexpr const char* kTrayTexts[] = {"Connect", "Disconnect", "", "Options...", "Open"};
constexpr const char* kCheckBoxes[] = {"Dial according to a schedule",
                                       "Keep dialing",
                                       "Save User ID and Password",
                                       "Start with Windows",
                                       "Automatically dial",
                                       "Start minimized",
                                       "Start program",
                                       "Play sound"};
constexpr const char* kTaskCommands[] = {"Add Task...", "Delete Task", "Disable", "Properties..."};
constexpr const char* kRecurrences[] = {"Daily", "Weekly", "Monthly", "Number:"};
constexpr const char* kFaultFiles[] = {"Ondrel.dat", "Tasks.dat", "entry.dnx"};
// What saving a file does: the temporary file beside it is created, written and closed, and moved
// into the file's place.
constexpr Op kFaultOps[] = {Op::create, Op::write, Op::close, Op::move};
constexpr const char* kFaultOpNames[] = {"create", "write", "close", "move"};
constexpr const char* kImportFaults[] = {"", " (its open fails)", " (its read fails)"};
// How the shrunk list shows each step, in Act's order: {A} stands for what its first field names,
// {b} and {ms} for its other fields.
constexpr const char* kStepTexts[] = {"OK/Connect",
                                      "Cancel",
                                      "Exit{A}",
                                      "Return",
                                      "Escape",
                                      "close box",
                                      "Options...",
                                      "Properties...",
                                      "Error Details...",
                                      "type {A} {b}",
                                      "minimize",
                                      "About",
                                      "tray {A}",
                                      "tray double click",
                                      "choose entry {A}",
                                      "click \"{A}\"",
                                      "New Connection...",
                                      "Save Dial-up to File...",
                                      "Import Dial-up...{A}",
                                      "task row {b}: {A}",
                                      "double click task row {b}",
                                      "task time {A}",
                                      "task limit: {A}",
                                      "task {A} ({b} runs)",
                                      "box answered after {ms} ms",
                                      "advance {ms} ms",
                                      "advance to {ms} ms before the next task",
                                      "busy {ms} ms",
                                      "the shell restarts",
                                      "fault: {A}"};

rc::Gen<Step> genAct(Act act, rc::Gen<int> a = rc::gen::just(0)) {
    return rc::gen::map(std::move(a), [act](int value) { return Step{act, value}; });
}

// Times that cross what the dialer waits for: a connection (3.7 s), the poll (7.5 s), a redial
// (8 s), the warning's countdown (21 s), a task's minutes, a day.
rc::Gen<std::int64_t> genDuration() {
    return rc::gen::weightedOneOf<std::int64_t>({
        {3, rc::gen::inRange<std::int64_t>(1, kSecond)},
        {5, rc::gen::inRange<std::int64_t>(kSecond, 12 * kSecond)},
        {2, rc::gen::inRange<std::int64_t>(12 * kSecond, 30 * kSecond)},
        {5, rc::gen::inRange<std::int64_t>(30 * kSecond, 10 * kMinute)},
        {1, rc::gen::inRange<std::int64_t>(10 * kMinute, 2 * kHour)},
        {1, rc::gen::element<std::int64_t>(24 * kHour - kMinute, 24 * kHour)},
    });
}

// How long a message box stays up: answered at once, or while timers fire behind it.
rc::Gen<std::int64_t> genAnswerDelay() {
    return rc::gen::weightedOneOf<std::int64_t>({
        {3, rc::gen::just<std::int64_t>(0)},
        {3, rc::gen::inRange<std::int64_t>(1, 10 * kSecond)},
        {4, rc::gen::inRange<std::int64_t>(10 * kSecond, 3 * kMinute)},
    });
}

// To just before the next task, or just past its time.
rc::Gen<std::int64_t> genNearTask() {
    return rc::gen::weightedOneOf<std::int64_t>({
        {3, rc::gen::inRange<std::int64_t>(-5 * kSecond, 0)},
        {2, rc::gen::inRange<std::int64_t>(0, kMinute)},
    });
}

rc::Gen<Step> genTimed(Act act, rc::Gen<std::int64_t> duration) {
    return rc::gen::map(std::move(duration), [act](std::int64_t ms) {
        return Step{act, 0, 0, ms};
    });
}

rc::Gen<Step> genPair(Act act, rc::Gen<int> a, rc::Gen<int> b) {
    return rc::gen::map(rc::gen::pair(std::move(a), std::move(b)), [act](std::pair<int, int> ab) {
        return Step{act, ab.first, ab.second};
    });
}

rc::Gen<Step> genFault() {
    return rc::gen::exec([] {
        // The program's own two files more often than an exported one.
        const int file = *rc::gen::element(0, 0, 1, 1, 2);
        return Step{Act::fault, *rc::gen::inRange(0, static_cast<int>(std::size(kFaultOps))), file};
    });
}

rc::Gen<DrawnTask> genTask() {
    return rc::gen::exec([] {
        DrawnTask task;
        // Now and then the empty name that only a damaged file holds.
        task.entry = *rc::gen::weightedOneOf<int>(
            {{12, rc::gen::inRange(0, kGoneEntry + 1)}, {1, rc::gen::just(kNoName)}});
        task.dueInSeconds =
            *rc::gen::weightedOneOf<std::int32_t>({{1, rc::gen::inRange<std::int32_t>(-300, 0)},
                                                   {4, rc::gen::inRange<std::int32_t>(0, 1800)}});
        task.limitMinutes = *rc::gen::element(-1, -1, 0, 1, 2, 30);
        task.numbered = *rc::gen::arbitrary<bool>();
        task.runs = *rc::gen::inRange(1, 4);
        task.disabled = *rc::gen::weightedElement<bool>({{6, false}, {1, true}});
        return task;
    });
}

}  // namespace

const char* entryName(int entry) {
    if (entry < kPhonebookSize) {
        return kPhonebook[entry].name;
    }
    return entry == kGoneEntry ? "Gone" : "";
}

rc::Gen<Start> genStart() {
    return rc::gen::exec([] {
        Start start;
        start.scheduling = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
        start.keepDialing = *rc::gen::arbitrary<bool>();
        start.saveAccount = *rc::gen::arbitrary<bool>();
        start.autoDial = *rc::gen::weightedElement<bool>({{1, true}, {3, false}});
        start.startMinimized = *rc::gen::weightedElement<bool>({{1, true}, {5, false}});
        start.remembered = *rc::gen::weightedOneOf<int>(
            {{1, rc::gen::just(0)}, {5, rc::gen::inRange(1, kGoneEntry + 2)}});
        start.current = *rc::gen::inRange(0, start.remembered + 1);
        const int tasks =
            *rc::gen::weightedOneOf<int>({{1, rc::gen::just(0)}, {6, rc::gen::inRange(1, 4)}});
        start.tasks = *rc::gen::container<std::vector<DrawnTask>>(tasks, genTask());
        start.truncatedTasks = *rc::gen::weightedElement<bool>({{1, true}, {12, false}});
        return start;
    });
}

rc::Gen<Step> genStep() {
    const auto any = [](int count) { return rc::gen::inRange(0, count); };
    return rc::gen::weightedOneOf<Step>({
        {20, genAct(Act::ok)},
        {10, genAct(Act::cancel)},
        {3, genAct(Act::exit, rc::gen::element(0, 1, 1))},
        {2, genAct(Act::enter)},
        {1, genAct(Act::escape)},
        {1, genAct(Act::closeBox)},
        {10, genAct(Act::options)},
        {2, genAct(Act::properties)},
        {4, genAct(Act::errorDetails)},
        {2, genPair(Act::typeAccount, any(2), any(2))},
        {2, genAct(Act::minimize)},
        {1, genAct(Act::about)},
        {14, genAct(Act::tray, rc::gen::element(0, 1, 3, 4))},
        {4, genAct(Act::trayRestore)},
        {10, genAct(Act::chooseEntry, any(kPhonebookSize + 1))},
        {6, genAct(Act::check, rc::gen::weightedOneOf<int>({{3, any(2)}, {2, any(8)}}))},
        {1, genAct(Act::newConnection)},
        {2, genAct(Act::saveDialup)},
        {2, genAct(Act::importDialup, rc::gen::element(0, 0, 1, 2))},
        {8, genPair(Act::taskMenu, any(4), any(4))},
        {2, genPair(Act::taskOpen, rc::gen::just(0), any(4))},
        {6, genAct(Act::taskTime, rc::gen::weightedOneOf<int>({{8, rc::gen::inRange(-3, 90)},
                                                               {1, rc::gen::just(kNoColon)}}))},
        {4, genAct(Act::taskLimit, rc::gen::element(-1, 0, 1, 2))},
        {2, genPair(Act::taskRepeat, any(4), rc::gen::inRange(1, 4))},
        {16, genTimed(Act::answer, genAnswerDelay())},
        {48, genTimed(Act::advance, genDuration())},
        {10, genTimed(Act::nearTask, genNearTask())},
        {6, genTimed(Act::busy, rc::gen::inRange<std::int64_t>(1, 5 * kSecond))},
        {10, genFault()},
        {2, genAct(Act::shellRestart)},
    });
}

fw::test::FileFault faultOf(const Step& step, const std::string& folder) {
    const std::string file = folder + "\\" + kFaultFiles[step.b];
    const Op op = kFaultOps[step.a];
    // The writes go to a temporary file beside the file, which takes its place once complete.
    return {op == Op::move ? file : file + fw::kSaveSuffix, op,
            op == Op::write ? Cause::diskFull : Cause::accessDenied, op == Op::write ? 10u : 0u};
}

std::optional<fw::test::FileFault> importFault(const Step& step, const std::string& file) {
    switch (step.a) {
        case 1:
            return fw::test::FileFault{file, Op::open, Cause::sharingViolation};
        case 2:
            return fw::test::FileFault{file, Op::read, Cause::hardIO, 6};
        default:
            return std::nullopt;
    }
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
           << (task.numbered ? std::to_string(task.runs) + " runs" : "daily");
        if (task.limitMinutes >= 0) {
            os << ", limit " << task.limitMinutes << " min";
        }
        os << (task.disabled ? ", disabled}" : "}");
    }
}

void showValue(const Step& step, std::ostream& os) {
    // What a step's first field names, for the steps whose text shows it.
    const auto named = [&step]() -> std::string {
        switch (step.act) {
            case Act::exit:
                return step.a == 0 ? "" : ", and away until just past the next task";
            case Act::typeAccount:
                return step.a == 0 ? "account" : "password";
            case Act::tray:
                return kTrayTexts[step.a];
            case Act::check:
                return kCheckBoxes[step.a];
            case Act::importDialup:
                return kImportFaults[step.a];
            case Act::taskMenu:
                return kTaskCommands[step.a];
            case Act::taskTime:
                return step.a == kNoColon ? "without a colon"
                                          : "in " + std::to_string(step.a) + " min";
            case Act::taskLimit:
                return step.a < 0 ? "none" : std::to_string(step.a) + " min";
            case Act::taskRepeat:
                return kRecurrences[step.a];
            case Act::fault:
                return std::string(kFaultOpNames[step.a]) + " of " + kFaultFiles[step.b];
            default:
                return std::to_string(step.a);
        }
    };
    std::string text = kStepTexts[static_cast<int>(step.act)];
    for (const auto& [field, value] : {std::pair<std::string, std::string>{"{A}", named()},
                                       {"{b}", std::to_string(step.b)},
                                       {"{ms}", std::to_string(step.ms)}}) {
        if (const std::size_t at = text.find(field); at != std::string::npos) {
            text.replace(at, field.size(), value);
        }
    }
    os << text;
}

}  // namespace dexp
