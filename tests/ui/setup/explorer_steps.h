// The steps of Setup's event explorer: one thing the user, the clock or the disk can do at any
// moment, drawn so that the orders that hid faults are common (About open when the banner's pause
// ends, the banner closed under the wizard, the Cancel Setup prompt left open while the copy runs,
// the Desktop or the program group as destination, faults on the shortcut copies, long folders).
#pragma once

#include <rapidcheck.h>

#include <array>
#include <cstring>
#include <functional>
#include <ranges>

#include "explorer_disk.h"
#include "framework/dialog.h"
#include "resource.h"
#include "setup/install/copying_dlg.h"
#include "setup/main_frame.h"
#include "setup/setup_app.h"
#include "setup/wizard/wizard.h"

namespace setup_explorer {

// In the order of the table of steps, which says what each does.
enum class Kind { about, exit, close, click, key, closeBox, browse, wait, busy, fault };

struct Step {
    Kind kind = Kind::wait;
    // click: 0 the default button (OK, "&Next", "&Resume"), 1 Cancel ("&Exit"), 2 "&Back";
    // key: 0 Return, 1 Escape.
    int button = 0;
    // click, closeBox: which open dialog that takes input, counted from the innermost.
    int dialog = 0;
    // browse: where "Browse..." takes the destination, and a long folder's length.
    int place = 0;
    int length = 0;
    std::int64_t ms = 0;
    // fault: the file (0 to 12), which of its names, the operation and the cause.
    int file = 0;
    Side side = Side::target;
    Op op = Op::open;
    fw::FileError::Cause cause = fw::FileError::Cause::generic;
    std::uint64_t afterBytes = 0;
};

// Setup as the steps find it: started from the explorer's disk under the test driver.
struct Setup {
    static bool isUp(const fw::Dialog& dialog) { return dialog.exists() && !dialog.ended(); }
    // The banner while its window is there.
    CMainFrame* banner() const {
        CMainFrame* frame = app.m_pMainFrame.get();
        return frame != nullptr && frame->exists() ? frame : nullptr;
    }
    // An open dialog that takes input, counted from the innermost; null when fewer are open.
    fw::Dialog* open(int dialog) const {
        for (fw::Dialog* up : modals | std::views::reverse) {
            if (isUp(*up) && up->isEnabled() && up->isVisible() && dialog-- == 0) {
                return up;
            }
        }
        return nullptr;
    }
    // The folder the installation goes to as things stand.
    std::string destination() const {
        std::string folder = SetupTest::kDefaultFolder;
        for (const fw::Dialog* dialog : modals) {
            const int kind = isUp(*dialog) ? dialog->templateId() : 0;
            folder = kind == IDD_COPYING ? static_cast<const CCopyingDlg*>(dialog)->m_strDestFolder
                     : kind == IDD_DESTINATION ? dialog->item(IDC_DEST_FOLDER).text()
                                               : folder;
        }
        return folder;
    }
    void perform(const Step& step);

    fw::test::Driver driver;
    Disk disk{driver};
    CSetupApp app{RunWizard};
    // The dialogs whose loops run, innermost last.
    std::vector<fw::Dialog*> modals;
    // The causes of the faults armed.
    std::vector<fw::FileError::Cause> causes;
};

using rc::gen::set;

// An index into rows, each drawn as often as its weight.
template <class Rows, class Weight = std::identity>
inline rc::Gen<int> weighted(const Rows& rows, Weight weight = {}) {
    std::vector<int> drawn;
    for (int at = 0; const auto& row : rows) {
        drawn.insert(drawn.end(), static_cast<std::size_t>(std::invoke(weight, row)), at++);
    }
    return rc::gen::elementOf(drawn);
}

// Where "Browse..." takes the destination: the Desktop and the program group hold the shortcuts a
// run replaces; a long folder, filled up to the step's length, is around the longest a path can be
// (259 characters); Setup makes only the last two levels of a folder; Browse gives the root of C:
// as "C:".
struct Place {
    const char* name;
    int weight;
    std::string folder;
};
const Place kPlaces[] = {{"the default folder", 2, SetupTest::kDefaultFolder},
                         {"the Desktop", 3, Disk::kDesktop},
                         {"the program group", 3, Disk::kProgramGroup},
                         {"the older install", 2, Disk::kOlderInstall},
                         {"a long folder of $length", 4, "C:\\Long\\"},
                         {"an unmakeable folder", 1, Disk::kUnmakeable},
                         {"the root of C:", 1, "C:"},
                         {"nothing (cancel)", 1, ""}};

// How often a fault strikes each operation on each name of a file. The run reads the source,
// creates and writes the temporary file, closes both and removes the temporary one when a copy
// fails; the shell link object writes the target in place; a move fails on a read-only or in-use
// file, among others.
constexpr int kStrikes[3][8] = {
    // open, create, read, write, length, close, remove, move
    {1, 0, 1, 0, 1, 1, 0, 0},  // source
    {0, 1, 0, 1, 0, 1, 0, 3},  // target
    {0, 2, 0, 2, 0, 6, 1, 0},  // temporary
};
const char* const kOps[] = {"open", "create", "read", "write", "length", "close", "remove", "move"};
const char* const kButtons[] = {"default", "cancel", "back"};

// From a blink to minutes: the banner's 50 ms frames, the half-second pauses, the whole run.
const rc::Gen<Step> kLasting = rc::gen::build<Step>(set(
    &Step::ms,
    rc::gen::weightedOneOf<std::int64_t>({{5, rc::gen::inRange<std::int64_t>(1, 60)},
                                          {6, rc::gen::inRange<std::int64_t>(400, 700)},
                                          {5, rc::gen::inRange<std::int64_t>(1000, 6000)},
                                          {1, rc::gen::inRange<std::int64_t>(60'000, 600'000)}})));
// Mostly the innermost dialog; now and then one under it that still takes input.
const auto kInDialog = set(&Step::dialog, weighted(std::array{8, 2, 1}));

// The banner's menu takes input only while no dialog disables the banner; its close box comes from
// the taskbar even while a dialog is up.
inline void toBanner(Setup& setup, unsigned command) {
    CMainFrame* frame = setup.banner();
    if (frame != nullptr && command == fw::kScClose) {
        setup.driver.sysCommand(*frame, command);
    } else if (frame != nullptr && frame->isEnabled()) {
        setup.driver.command(*frame, command);
    }
}

// A click, a key or the close box, on an open dialog that takes input; keys go to the active
// dialog, the innermost.
inline void toDialog(Setup& setup, const Step& step) {
    fw::Dialog* dialog = setup.open(step.dialog);
    if (dialog == nullptr) {
        return;
    }
    const int back = dialog->templateId() == IDD_WELCOME ? IDC_WELCOME_BACK : IDC_DEST_BACK;
    const int id =
        std::array{fw::kIdOk, fw::kIdCancel, back}[static_cast<std::size_t>(step.button)];
    const fw::Control button = dialog->item(id);
    if (step.kind == Kind::closeBox) {
        setup.driver.close(*dialog);
    } else if (step.kind == Kind::key && dialog == setup.modals.back()) {
        setup.driver.pressKey(*dialog, step.button == 0 ? fw::kKeyReturn : fw::kKeyEscape);
    } else if (step.kind == Kind::click && button.handle() != nullptr && button.isEnabled() &&
               button.isVisible()) {
        setup.driver.click(*dialog, id);
    }
}

inline void arm(Setup& setup, const Step& step) {
    const std::string path = Disk::faultPath(step.file, step.side, setup.destination());
    setup.driver.injectFault({path, step.op, step.cause, step.afterBytes});
    setup.disk.excuse(path, step.side, step.op);
    setup.causes.push_back(step.cause);
}

inline void browse(Setup& setup, const Step& step) {
    fw::Dialog* page = setup.open(0);
    if (page == nullptr || page->templateId() != IDD_DESTINATION) {
        return;
    }
    std::string folder = kPlaces[step.place].folder;
    if (folder.ends_with('\\')) {
        folder.resize(static_cast<std::size_t>(step.length), 'L');
    }
    if (!folder.empty()) {
        setup.disk.addDestination(folder);
    }
    // Browse answers with a name in the folder, which Setup cuts off.
    setup.driver.answerFileDialog(folder.empty() ? std::nullopt
                                                 : std::optional(folder + "\\install to"));
    setup.driver.click(*page, IDC_BROWSE);
}

// A kind of step: how often it is drawn, what it draws, how it reads and what it does.
struct Row {
    int weight;
    rc::Gen<Step> draw;
    // What the shrunk list shows, with the step's $fields.
    const char* text;
    std::function<void(Setup&, const Step&)> act;
};
// In the order of Kind.
const Row kSteps[] = {
    {4, rc::gen::just(Step{}), "About", [](Setup& s, const Step&) { toBanner(s, ID_APP_ABOUT); }},
    {1, rc::gen::just(Step{}), "Exit", [](Setup& s, const Step&) { toBanner(s, ID_APP_EXIT); }},
    {1, rc::gen::just(Step{}), "close the banner",
     [](Setup& s, const Step&) { toBanner(s, fw::kScClose); }},
    {18, rc::gen::build<Step>(set(&Step::button, weighted(std::array{14, 3, 2})), kInDialog),
     "click $button in dialog $dialog", toDialog},
    {4, rc::gen::build<Step>(set(&Step::button, weighted(std::array{3, 1}))), "$key", toDialog},
    {2, rc::gen::build<Step>(kInDialog), "close box of dialog $dialog", toDialog},
    {8,
     rc::gen::build<Step>(set(&Step::place, weighted(kPlaces, &Place::weight)),
                          set(&Step::length, rc::gen::inRange(238, 246))),
     "browse to $place", browse},
    {18, kLasting, "wait $ms ms", [](Setup& s, const Step& step) { s.driver.advance(step.ms); }},
    // The windows' thread is held, then input comes before the timers.
    {2, rc::gen::build<Step>(set(&Step::ms, rc::gen::inRange<std::int64_t>(1, 3000))),
     "busy $ms ms", [](Setup& s, const Step& step) { s.driver.busy(step.ms); }},
    {12,
     rc::gen::build(
         rc::gen::map(weighted(kStrikes | std::views::join),
                      [](int at) { return Step{.side = Side(at / 8), .op = Op(at % 8)}; }),
         // The shortcut copies, and the template shortcut they come from, above all.
         set(&Step::file, weighted(std::array{1, 1, 1, 3, 1, 1, 1, 1, 1, 1, 1, 4, 10})),
         set(&Step::cause, rc::gen::cast<fw::FileError::Cause>(rc::gen::inRange(
                               0, static_cast<int>(fw::FileError::Cause::endOfFile) + 1))),
         set(&Step::afterBytes, rc::gen::element<std::uint64_t>(0, 500, 1500))),
     "fault: $op of $file (after $bytes bytes) fails: $cause", arm},
};

// Any step, each kind as often as its weight.
inline rc::Gen<Step> genStep() {
    return rc::gen::mapcat(weighted(kSteps, &Row::weight), [](int at) {
        return rc::gen::build(kSteps[at].draw, set(&Step::kind, rc::gen::just(Kind(at))));
    });
}

// A readable line for the shrunk list of a failing case.
inline std::ostream& operator<<(std::ostream& out, const Step& step) {
    std::string text = kSteps[static_cast<int>(step.kind)].text;
    // A place's name has the length in it.
    const std::pair<const char*, std::string> fields[] = {
        {"$button", kButtons[step.button]},
        {"$key", step.button == 0 ? "Return" : "Escape"},
        {"$dialog", std::to_string(step.dialog)},
        {"$place", kPlaces[step.place].name},
        {"$length", std::to_string(step.length)},
        {"$ms", std::to_string(step.ms)},
        {"$op", kOps[static_cast<int>(step.op)]},
        {"$bytes", std::to_string(step.afterBytes)},
        {"$cause", fw::FileError::textOf(step.cause)},
        {"$file", Disk::faultPath(step.file, step.side, "<destination>")}};
    for (const auto& [name, value] : fields) {
        if (const std::size_t at = text.find(name); at != std::string::npos) {
            text.replace(at, std::strlen(name), value);
        }
    }
    return out << text;
}

inline void Setup::perform(const Step& step) {
    kSteps[static_cast<int>(step.kind)].act(*this, step);
}

}  // namespace setup_explorer
