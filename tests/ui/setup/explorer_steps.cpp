#include "explorer_steps.h"

#include <string>
#include <tuple>

namespace setup_explorer {

namespace {

using Kind = Step::Kind;
using Op = fw::test::FileFault::Op;
using Cause = fw::FileError::Cause;

const char* const kButtons[] = {"default", "cancel", "back"};
const char* const kPlaces[] = {"the default folder", "the Desktop",     "the program group",
                               "the older install",  "a long folder",   "an unmakeable folder",
                               "the root of C:",     "nothing (cancel)"};
const char* const kFiles[] = {"Ondrel.exe",         "Ondrel.cnt", "Ondrel.hlp", "Ondrel v1.3.lnk",
                              "More Info.html",     "Title.html", "Intro.html", "Order.html",
                              "Ondrel.gif",         "bg2.gif",    "icon.gif",   "the desktop copy",
                              "the Start-menu copy"};
const char* const kSides[] = {"source", "target", "temporary"};
const char* const kOps[] = {"open", "create", "read", "write", "length", "close", "remove", "move"};

// From a blink to minutes: the banner's 50 ms frames, the half-second pauses, the whole run.
rc::Gen<std::int64_t> genMs() {
    return rc::gen::weightedOneOf<std::int64_t>({
        {5, rc::gen::inRange<std::int64_t>(1, 60)},
        {6, rc::gen::inRange<std::int64_t>(400, 700)},
        {5, rc::gen::inRange<std::int64_t>(1000, 6000)},
        {1, rc::gen::inRange<std::int64_t>(60'000, 600'000)},
    });
}

// Mostly the innermost dialog; now and then one under it that still takes input.
rc::Gen<int> genDialog() {
    return rc::gen::weightedElement<int>({{8, 0}, {2, 1}, {1, 2}});
}

rc::Gen<Step> genClick() {
    return rc::gen::map(
        rc::gen::tuple(rc::gen::weightedElement<int>({{14, 0}, {3, 1}, {2, 2}}), genDialog()),
        [](const std::tuple<int, int>& drawn) {
            Step step{Kind::click};
            std::tie(step.button, step.dialog) = drawn;
            return step;
        });
}

rc::Gen<Step> genBrowse() {
    return rc::gen::map(rc::gen::tuple(rc::gen::weightedElement<Place>({{2, Place::defaultFolder},
                                                                        {3, Place::desktop},
                                                                        {3, Place::programGroup},
                                                                        {2, Place::olderInstall},
                                                                        {4, Place::longFolder},
                                                                        {1, Place::unmakeable},
                                                                        {1, Place::driveRoot},
                                                                        {1, Place::cancelled}}),
                                       // Around the longest a full path can be (259 characters).
                                       rc::gen::inRange(238, 246)),
                        [](const std::tuple<Place, int>& drawn) {
                            Step step{Kind::browse};
                            std::tie(step.place, step.length) = drawn;
                            return step;
                        });
}

rc::Gen<Step> genFault() {
    return rc::gen::map(
        rc::gen::tuple(
            // The shortcut copies, and the template shortcut they come from, above all.
            rc::gen::weightedElement<int>({{10, kStartMenuCopy},
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
                                           {1, 10}}),
            // What the run does with each name: it reads the source, creates and
            // writes the temporary file, closes both and removes the temporary one
            // when a copy fails; the shell link object writes the target in place.
            rc::gen::weightedElement<std::pair<Side, Op>>(
                {{1, {Side::source, Op::open}},
                 {1, {Side::source, Op::read}},
                 {1, {Side::source, Op::length}},
                 {1, {Side::source, Op::close}},
                 {1, {Side::target, Op::create}},
                 {1, {Side::target, Op::write}},
                 {1, {Side::target, Op::close}},
                 {2, {Side::temporary, Op::create}},
                 {2, {Side::temporary, Op::write}},
                 {6, {Side::temporary, Op::close}},
                 {1, {Side::temporary, Op::remove}},
                 // A read-only or in-use file, among others.
                 {3, {Side::target, Op::move}}}),
            rc::gen::inRange(0, static_cast<int>(Cause::endOfFile) + 1),
            rc::gen::element<std::uint64_t>(0, 500, 1500)),
        [](const std::tuple<int, std::pair<Side, Op>, int, std::uint64_t>& drawn) {
            Step step{Kind::fault};
            step.file = std::get<0>(drawn);
            std::tie(step.side, step.op) = std::get<1>(drawn);
            step.cause = static_cast<Cause>(std::get<2>(drawn));
            step.afterBytes = std::get<3>(drawn);
            return step;
        });
}

rc::Gen<Step> withMs(Kind kind, rc::Gen<std::int64_t> ms) {
    return rc::gen::map(ms, [kind](std::int64_t drawn) {
        Step step{kind};
        step.ms = drawn;
        return step;
    });
}

}  // namespace

rc::Gen<Step> genStep() {
    return rc::gen::weightedOneOf<Step>({
        {4, rc::gen::just(Step{Kind::about})},
        {1, rc::gen::just(Step{Kind::exit})},
        {1, rc::gen::just(Step{Kind::closeBanner})},
        {18, genClick()},
        {4, rc::gen::map(rc::gen::weightedElement<int>({{3, 0}, {1, 1}}),
                         [](int button) {
                             Step step{Kind::key};
                             step.button = button;
                             return step;
                         })},
        {2, rc::gen::map(genDialog(),
                         [](int dialog) {
                             Step step{Kind::closeBox};
                             step.dialog = dialog;
                             return step;
                         })},
        {8, genBrowse()},
        {5, withMs(Kind::answer, genMs())},
        {18, withMs(Kind::wait, genMs())},
        {2, withMs(Kind::busy, rc::gen::inRange<std::int64_t>(1, 3000))},
        {12, genFault()},
    });
}

std::ostream& operator<<(std::ostream& out, const Step& step) {
    switch (step.kind) {
        case Kind::about:
            return out << "About";
        case Kind::exit:
            return out << "Exit";
        case Kind::closeBanner:
            return out << "close the banner";
        case Kind::click:
            return out << "click " << kButtons[step.button] << " in dialog " << step.dialog;
        case Kind::key:
            return out << (step.button == 0 ? "Return" : "Escape");
        case Kind::closeBox:
            return out << "close box of dialog " << step.dialog;
        case Kind::browse:
            out << "browse to " << kPlaces[static_cast<int>(step.place)];
            if (step.place == Place::longFolder) {
                out << " of " << step.length;
            }
            return out;
        case Kind::answer:
            return out << "OK in the box after " << step.ms << " ms";
        case Kind::wait:
            return out << "wait " << step.ms << " ms";
        case Kind::busy:
            return out << "busy " << step.ms << " ms";
        case Kind::fault:
            return out << "fault: " << kOps[static_cast<int>(step.op)] << " of "
                       << kFiles[step.file] << " (" << kSides[static_cast<int>(step.side)]
                       << ") fails: " << fw::FileError::textOf(step.cause)
                       << (step.op == Op::read || step.op == Op::write
                               ? " after " + std::to_string(step.afterBytes) + " bytes"
                               : std::string());
    }
    return out;
}

}  // namespace setup_explorer
