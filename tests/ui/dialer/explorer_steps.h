// What the dialer explorer draws: the state a case starts from (options, remembered entries, the
// task list) and the steps that follow, each one thing a user, the clock or the disk can do at any
// moment. Which window a step acts on is decided when it runs: the window on top, a tray command
// whatever is open, a message box's answer only while one is up.
#pragma once

#include <rapidcheck.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "framework/file_fault.h"
#include "platform/ras/entry.h"

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
// Names beyond the phonebook: one the dialer remembers but the phonebook lost, and the empty name
// only a damaged "Tasks.dat" holds.
inline constexpr int kGoneEntry = kPhonebookSize;
inline constexpr int kNoName = kPhonebookSize + 1;
const char* entryName(int entry);

struct DrawnTask {
    int entry = 0;
    std::int32_t dueInSeconds = 0;  // from the start; negative: overdue
    int limitMinutes = -1;          // -1: no disconnect-after limit
    bool numbered = false;          // "Number:" runs, else daily
    int runs = 1;
    bool disabled = false;
};

struct Start {
    bool scheduling = false;
    bool keepDialing = false;
    bool saveAccount = false;
    bool autoDial = false;
    bool startMinimized = false;
    int remembered = 0;  // the first entries of the phonebook (and "Gone") in "Ondrel.dat"
    int current = 0;     // an index into them; past them: no current entry
    std::vector<DrawnTask> tasks;
    bool truncatedTasks = false;  // "Tasks.dat" ends inside its last record
};

// The steps up to about act on the window on top; the user brings the main window back from the
// tray first when it is hidden.
enum class Act : std::uint8_t {
    ok,      // button 1: the main window's Connect, Cancel Call or Disconnect, a dialog's OK
    cancel,  // button 2 of a dialog
    exit,    // the main window's "&Exit"; a: 1 when the user then leaves its questions up until the
             // next task is due
    enter,   // Return, Escape and the close box
    escape,
    closeBox,
    options,  // the main window's buttons and system menu
    properties,
    errorDetails,
    typeAccount,  // a: which edit, b: which text
    minimize,
    about,
    tray,  // a: the tray menu's item, by position
    trayRestore,
    chooseEntry,  // a: the item of the entry list on top (Options, Task Properties)
    check,        // a: one of the Options dialog's check boxes
    newConnection,
    saveDialup,
    importDialup,  // a: a fault on its read of the file, if any
    taskMenu,      // a: the schedule list's command, b: the row under the pointer
    taskOpen,      // b: the row double-clicked
    taskTime,      // Task Properties: a minutes from now, or a time with no colon (kNoColon)
    taskLimit,     // a minutes, -1 for none
    taskRepeat,    // a: the recurrence button, b: the runs
    answer,        // the message box up is answered after ms
    advance,       // the clock runs on for ms
    nearTask,      // the clock runs on to ms before the next task's time
    busy,          // the windows' thread is busy for ms
    shellRestart,  // the shell's taskbar is created again, without the icons it showed
    fault,  // the next operation a of file b ("Ondrel.dat", "Tasks.dat", the entry file) fails
};
inline constexpr int kNoColon = -1000;

struct Step {
    Act act = Act::advance;
    int a = 0;
    int b = 0;
    std::int64_t ms = 0;
};

rc::Gen<Start> genStart();
rc::Gen<Step> genStep();

// The fault a fault step arms, for the files of this program folder.
fw::test::FileFault faultOf(const Step& step, const std::string& folder);
// The fault an import step arms on the file it reads, if any: it fires within the step, so the
// explorer's own reads of the file never meet it.
std::optional<fw::test::FileFault> importFault(const Step& step, const std::string& file);

void showValue(const Start& start, std::ostream& os);
void showValue(const Step& step, std::ostream& os);

}  // namespace dexp
