#include "explorer_steps.h"

#include <array>
#include <cassert>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "explorer_session.h"
#include "framework/dialog.h"
#include "resource.h"
#include "setup/main_frame.h"

namespace setup_explorer {

namespace {

using Kind = Step::Kind;
using Op = fw::test::FileFault::Op;
using rc::gen::set;

const char* const kButtons[] = {"default", "cancel", "back"};
const char* const kPlaces[] = {"the default folder", "the Desktop",     "the program group",
                               "the older install",  "a long folder",   "an unmakeable folder",
                               "the root of C:",     "nothing (cancel)"};
const char* const kOps[] = {"open", "create", "read", "write", "length", "close", "remove", "move"};

// From a blink to minutes: the banner's 50 ms frames, the half-second pauses, the whole run.
rc::Gen<Step> withMs() {
    return rc::gen::build<Step>(
        set(&Step::ms, rc::gen::weightedOneOf<std::int64_t>({
                           {5, rc::gen::inRange<std::int64_t>(1, 60)},
                           {6, rc::gen::inRange<std::int64_t>(400, 700)},
                           {5, rc::gen::inRange<std::int64_t>(1000, 6000)},
                           {1, rc::gen::inRange<std::int64_t>(60'000, 600'000)},
                       })));
}

// Mostly the innermost dialog; now and then one under it that still takes input.
rc::Gen<int> inDialog() {
    return rc::gen::weightedElement<int>({{8, 0}, {2, 1}, {1, 2}});
}

rc::Gen<Step> fault() {
    // What the run does with each name: it reads the source, creates and writes the temporary
    // file, closes both and removes the temporary one when a copy fails; the shell link object
    // writes the target in place. A failed move is a read-only or in-use file, among others.
    const auto strike = [](Side side, Op op) {
        Step step;
        step.side = side;
        step.op = op;
        return step;
    };
    return rc::gen::build(
        rc::gen::weightedElement<Step>({{1, strike(Side::source, Op::open)},
                                        {1, strike(Side::source, Op::read)},
                                        {1, strike(Side::source, Op::length)},
                                        {1, strike(Side::source, Op::close)},
                                        {1, strike(Side::target, Op::create)},
                                        {1, strike(Side::target, Op::write)},
                                        {1, strike(Side::target, Op::close)},
                                        {2, strike(Side::temporary, Op::create)},
                                        {2, strike(Side::temporary, Op::write)},
                                        {6, strike(Side::temporary, Op::close)},
                                        {1, strike(Side::temporary, Op::remove)},
                                        {3, strike(Side::target, Op::move)}}),
        // The shortcut copies, and the template shortcut they come from, above all.
        set(&Step::file, rc::gen::weightedElement<int>({{10, kStartMenuCopy},
                                                        {4, kDesktopCopy},
                                                        {3, 3},
                                                        {1, 0},
                                                        {1, 1},
                                                        {1, 2},
                                                        {1, 4},
                                                        {1, 5},
                                                        {1, 6},
                                                        {1, 7},
                                                        {1, 8},
                                                        {1, 9},
                                                        {1, 10}})),
        set(&Step::cause, rc::gen::cast<fw::FileError::Cause>(rc::gen::inRange(
                              0, static_cast<int>(fw::FileError::Cause::endOfFile) + 1))),
        set(&Step::afterBytes, rc::gen::element<std::uint64_t>(0, 500, 1500)));
}

// The banner's menu takes input only while no dialog disables the banner.
void menu(Session& session, unsigned command) {
    if (CMainFrame* frame = session.banner(); frame != nullptr && frame->isEnabled()) {
        session.driver().command(*frame, command);
    }
}

void click(Session& session, const Step& step) {
    fw::Dialog* dialog = session.open(step.dialog);
    if (dialog == nullptr) {
        return;
    }
    const int back = dialog->templateId() == IDD_WELCOME ? IDC_WELCOME_BACK : IDC_DEST_BACK;
    const int id =
        std::array{fw::kIdOk, fw::kIdCancel, back}[static_cast<std::size_t>(step.button)];
    if (const fw::Control button = dialog->item(id);
        button.handle() != nullptr && button.isEnabled() && button.isVisible()) {
        session.driver().click(*dialog, id);
    }
}

void browse(Session& session, const Step& step) {
    fw::Dialog* page = session.open(0);
    if (page == nullptr || page->templateId() != IDD_DESTINATION) {
        return;
    }
    const std::string folder = Disk::folderOf(step.place, step.length);
    std::optional<std::string> chosen;
    if (!folder.empty()) {
        session.disk().addDestination(folder);
        // Browse answers with a name in the folder, which Setup cuts off.
        chosen = folder + "\\install to";
    }
    session.driver().answerFileDialog(chosen);
    session.driver().click(*page, IDC_BROWSE);
}

struct Row {
    Kind kind;
    int weight;
    rc::Gen<Step> draw;
    std::function<void(std::ostream&, const Step&)> print;
    std::function<void(Session&, const Step&)> act;
};

// In the order of Step::Kind.
const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {Kind::about, 4, rc::gen::just(Step{}),
         [](std::ostream& out, const Step&) { out << "About"; },
         [](Session& session, const Step&) { menu(session, ID_APP_ABOUT); }},
        {Kind::exit, 1, rc::gen::just(Step{}),
         [](std::ostream& out, const Step&) { out << "Exit"; },
         [](Session& session, const Step&) { menu(session, ID_APP_EXIT); }},
        // As the taskbar sends it, even while a dialog is up.
        {Kind::closeBanner, 1, rc::gen::just(Step{}),
         [](std::ostream& out, const Step&) { out << "close the banner"; },
         [](Session& session, const Step&) {
             if (CMainFrame* frame = session.banner()) {
                 session.driver().sysCommand(*frame, fw::kScClose);
             }
         }},
        {Kind::click, 18,
         rc::gen::build<Step>(
             set(&Step::button, rc::gen::weightedElement<int>({{14, 0}, {3, 1}, {2, 2}})),
             set(&Step::dialog, inDialog())),
         [](std::ostream& out, const Step& step) {
             out << "click " << kButtons[step.button] << " in dialog " << step.dialog;
         },
         click},
        // Keys go to the active dialog, the innermost.
        {Kind::key, 4,
         rc::gen::build<Step>(set(&Step::button, rc::gen::weightedElement<int>({{3, 0}, {1, 1}}))),
         [](std::ostream& out, const Step& step) {
             out << (step.button == 0 ? "Return" : "Escape");
         },
         [](Session& session, const Step& step) {
             if (fw::Dialog* dialog = session.open(0);
                 dialog != nullptr && dialog == session.innermost()) {
                 session.driver().pressKey(*dialog,
                                           step.button == 0 ? fw::kKeyReturn : fw::kKeyEscape);
             }
         }},
        {Kind::closeBox, 2, rc::gen::build<Step>(set(&Step::dialog, inDialog())),
         [](std::ostream& out, const Step& step) { out << "close box of dialog " << step.dialog; },
         [](Session& session, const Step& step) {
             if (fw::Dialog* dialog = session.open(step.dialog)) {
                 session.driver().close(*dialog);
             }
         }},
        {Kind::browse, 8,
         rc::gen::build<Step>(
             set(&Step::place, rc::gen::weightedElement<Place>({{2, Place::defaultFolder},
                                                                {3, Place::desktop},
                                                                {3, Place::programGroup},
                                                                {2, Place::olderInstall},
                                                                {4, Place::longFolder},
                                                                {1, Place::unmakeable},
                                                                {1, Place::driveRoot},
                                                                {1, Place::cancelled}})),
             // Around the longest a full path can be (259 characters).
             set(&Step::length, rc::gen::inRange(238, 246))),
         [](std::ostream& out, const Step& step) {
             out << "browse to " << kPlaces[static_cast<int>(step.place)];
             if (step.place == Place::longFolder) {
                 out << " of " << step.length;
             }
         },
         browse},
        // A message box takes it; anywhere else it does nothing.
        {Kind::answer, 5, withMs(),
         [](std::ostream& out, const Step& step) {
             out << "OK in the box after " << step.ms << " ms";
         },
         [](Session&, const Step&) {}},
        {Kind::wait, 18, withMs(),
         [](std::ostream& out, const Step& step) { out << "wait " << step.ms << " ms"; },
         [](Session& session, const Step& step) { session.driver().advance(step.ms); }},
        // The windows' thread is held, then input comes before the timers.
        {Kind::busy, 2,
         rc::gen::build<Step>(set(&Step::ms, rc::gen::inRange<std::int64_t>(1, 3000))),
         [](std::ostream& out, const Step& step) { out << "busy " << step.ms << " ms"; },
         [](Session& session, const Step& step) { session.driver().busy(step.ms); }},
        {Kind::fault, 12, fault(),
         [](std::ostream& out, const Step& step) {
             out << "fault: " << kOps[static_cast<int>(step.op)] << " of "
                 << Disk::faultPath(step.file, step.side, "<destination>")
                 << " fails: " << fw::FileError::textOf(step.cause);
             if (step.op == Op::read || step.op == Op::write) {
                 out << " after " << step.afterBytes << " bytes";
             }
         },
         [](Session& session, const Step& step) { session.arm(step); }},
    };
    return table;
}

const Row& rowOf(Kind kind) {
    const Row& row = rows()[static_cast<std::size_t>(kind)];
    assert(row.kind == kind);
    return row;
}

}  // namespace

rc::Gen<Step> genStep() {
    // Each kind as often as its weight.
    std::vector<rc::Gen<Step>> draws;
    for (const Row& row : rows()) {
        draws.insert(draws.end(), static_cast<std::size_t>(row.weight),
                     rc::gen::map(row.draw, [kind = row.kind](Step step) {
                         step.kind = kind;
                         return step;
                     }));
    }
    return rc::gen::join(rc::gen::elementOf(draws));
}

std::ostream& operator<<(std::ostream& out, const Step& step) {
    rowOf(step.kind).print(out, step);
    return out;
}

void perform(Session& session, const Step& step) {
    rowOf(step.kind).act(session, step);
}

}  // namespace setup_explorer
