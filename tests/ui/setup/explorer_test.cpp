// Setup's event explorer: generated orders of the user's actions, the clock and file faults, with
// Setup's invariants checked after every step. One property starts with the banner's animation;
// the other where most faults lie, on the destination page, so that as many cases reach the copy.
#include "explorer.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "explorer_steps.h"
#include "framework/message_box.h"
#include "resource.h"

namespace setup_explorer {
namespace {

void hold(bool condition, const std::string& invariant) {
    if (!condition) {
        RC_FAIL(invariant);
    }
}

bool isPage(int templateId) {
    return std::set{IDD_WELCOME, IDD_DESTINATION, IDD_COPYING, IDD_COMPLETE}.contains(templateId);
}

// Whether the text is the standard file-error text of the cause, for some file.
bool tells(const std::string& text, fw::FileError::Cause cause) {
    const std::string format = fw::FileError::textOf(cause);
    const std::size_t name = format.find("%1");
    return text.size() + 2 > format.size() && text.starts_with(format.substr(0, name)) &&
           text.ends_with(format.substr(name + 2));
}

// One generated case: Setup started as the program starts it, driven by the steps in whichever
// loop runs (the banner's, a dialog's, a message box's), with its invariants checked after every
// step, then left as a user leaves it and checked once it ended.
class Session : Setup {
  public:
    explicit Session(const std::vector<Step>& steps) : script_(steps) {}

    void run() {
        driver.onAnyModal([this](fw::test::Driver&, fw::Dialog& dialog) { drive(dialog); });
        driver.onAnyMessageBox(
            [this](const fw::test::MessageBoxRecord& box) { return answer(box); });
        hold(app.initInstance(), "Setup starts");
        check();
        while (!script_.done() && quits() == 0) {
            perform(script_.take());
            check();
        }
        // The user stops acting: the banner's animation runs out and every dialog is left.
        for (int minute = 0; minute < 60 && quits() == 0; ++minute) {
            driver.advance(60'000);
            check();
        }
        hold(quits() == 1, "Setup ends, once");
        ended_ = true;
        app.exitInstance();
        driver.advance(10 * 60'000);
        hold(!driver.anyTimerRunning(), "nothing runs after the end");
        check();
    }

  private:
    // The loop of a modal dialog: the steps until it ends, then Escape as the user leaves it.
    void drive(fw::Dialog& dialog) {
        const int kind = dialog.templateId();
        hold(!ended_, "no dialog opens after the end");
        hold(!isPage(kind) || !leftSetup_, "no page opens once the user left Setup");
        modals.push_back(&dialog);
        check();
        for (int leaving = 0; isUp(dialog); check()) {
            if (!script_.done()) {
                perform(script_.take());
                continue;
            }
            hold(++leaving <= 3, "a dialog ends when the user leaves it: " + std::to_string(kind));
            driver.pressKey(dialog, fw::kKeyEscape);
        }
        modals.pop_back();
        hold(dialog.ended() || kind == IDD_ABOUTBOX,
             "only the About box goes with the banner: dialog " + std::to_string(kind) +
                 " lost its window under its loop");
        if (kind == IDD_CANCEL_SETUP) {
            promptPage_ = dialog.parent();
            exited_ = dialog.result() != fw::kIdOk;
            leftSetup_ = leftSetup_ || exited_;
        }
    }

    // Every error Setup reports has a cause the case set up: a fault that fired since the last
    // error, or a destination that may be refused. Setup asks nothing: its boxes have OK alone.
    // The next step happens while the box is up: a wait leaves it up so long, while any other
    // step reaches no window.
    fw::test::Driver::BoxAnswer answer(const fw::test::MessageBoxRecord& box) {
        hold(!ended_, "no message box after the end");
        const std::size_t fired = causes.size() - driver.armedFaults();
        const bool faulted = fired > told_ && std::ranges::any_of(causes, [&](auto cause) {
                                 return tells(box.text, cause);
                             });
        hold(faulted || (Disk::mayBeRefused(destination()) &&
                         tells(box.text, fw::FileError::Cause::badPath)),
             "an error has a cause the case set up: \"" + box.text + "\"");
        told_ = fired;
        hold((box.type & fw::mb::kButtonMask) == fw::mb::kOk, "Setup's boxes have OK alone");
        const Step step = script_.done() ? Step{} : script_.take();
        return {fw::kIdOk, step.kind == Kind::wait ? step.ms : 0};
    }

    std::ptrdiff_t quits() const {
        return std::ranges::count(driver.shell(), std::string("quit"),
                                  &fw::test::ShellRecord::kind);
    }

    // The invariants that hold after every step.
    void check() {
        checkDialogs();
        checkPromptAnswered();
        const std::string broken = disk.check(driver.armedFaults() > 0);
        hold(broken.empty(), broken);
    }

    void checkDialogs() {
        const CMainFrame* frame = banner();
        std::set<int> kinds;
        int inFront = 0;
        bool ownUp = false;
        for (const fw::Dialog* dialog : modals) {
            const int kind = dialog->templateId();
            hold(frame != nullptr || !isPage(kind), "the banner stays while the wizard runs");
            if (isUp(*dialog)) {
                hold(kinds.insert(kind).second,
                     "at most one dialog of a kind: " + std::to_string(kind));
                hold((!isPage(kind) && kind != IDD_ABOUTBOX) || ++inFront == 1,
                     "no wizard page while another Setup dialog is open");
                ownUp = ownUp || (frame != nullptr && dialog->owner() == frame->handle());
            }
        }
        // A prompt stands in front of its page, which the banner's input follows.
        hold(frame == nullptr || frame->isEnabled() == !ownUp,
             "the banner takes input exactly when none of its dialogs is up");
    }

    // The page the Cancel Setup prompt asked for acts on the user's answer.
    void checkPromptAnswered() {
        const auto page = std::ranges::find(modals, promptPage_);
        if (promptPage_ != nullptr && page != modals.end()) {
            const bool cancelled = (*page)->ended() && (*page)->result() == fw::kIdCancel;
            hold(cancelled == exited_,
                 exited_ ? "after Exit in the Cancel Setup prompt Setup is cancelled"
                         : "after Resume in the Cancel Setup prompt Setup goes on");
        }
        promptPage_ = nullptr;
    }

    explore::Script<Step> script_;
    // The user's last answer to the Cancel Setup prompt, until the page it asked for has acted.
    const fw::Window* promptPage_ = nullptr;
    bool exited_ = false;
    bool leftSetup_ = false;
    bool ended_ = false;
    // How many faults had fired when the last error was told.
    std::size_t told_ = 0;
};

// Runs Setup through the steps given, then through the generated ones.
void explore(const char* name, const std::vector<Step>& first) {
    explore::check(name, [&first] {
        std::vector<Step> steps = *rc::gen::container<std::vector<Step>>(genStep());
        steps.insert(steps.begin(), first.begin(), first.end());
        Session(steps).run();
    });
}

TEST(SetupExplorer, SetupKeepsItsInvariantsInEveryOrderOfEvents) {
    explore("Setup keeps its invariants in every order of events", {});
}

TEST(SetupExplorer, TheWizardKeepsItsInvariantsFromTheDestinationPageOn) {
    // The banner's animation runs out, and "&Next" on the welcome page.
    explore("the wizard keeps its invariants from the destination page on",
            {{.kind = Kind::wait, .ms = 60'000}, {.kind = Kind::click}});
}

}  // namespace
}  // namespace setup_explorer
