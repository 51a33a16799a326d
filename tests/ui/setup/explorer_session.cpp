#include "explorer_session.h"

#include <algorithm>
#include <set>

#include "framework/dialog.h"
#include "framework/message_box.h"
#include "resource.h"
#include "setup/install/copying_dlg.h"
#include "setup/wizard/wizard.h"

namespace setup_explorer {

namespace {

// The minutes a user who stopped acting leaves Setup to end by itself.
constexpr int kMinutesToEnd = 60;

bool isPage(int templateId) {
    return templateId == IDD_WELCOME || templateId == IDD_DESTINATION ||
           templateId == IDD_COPYING || templateId == IDD_COMPLETE;
}

void hold(bool condition, const std::string& invariant) {
    if (!condition) {
        RC_FAIL(invariant);
    }
}

bool isUp(const fw::Dialog& dialog) {
    return dialog.exists() && !dialog.ended();
}

// Whether the text is the standard file-error text of the cause, for some file.
bool tells(const std::string& text, fw::FileError::Cause cause) {
    const std::string format = fw::FileError::textOf(cause);
    const std::size_t name = format.find("%1");
    return text.size() + 2 > format.size() && text.starts_with(format.substr(0, name)) &&
           text.ends_with(format.substr(name + 2));
}

}  // namespace

Session::Session(const std::vector<Step>& steps)
    : script_(steps), disk_(driver_), app_(RunWizard) {}

void Session::run() {
    driver_.onAnyModal([this](fw::test::Driver&, fw::Dialog& dialog) { drive(dialog); });
    driver_.onAnyMessageBox([this](const fw::test::MessageBoxRecord& box) { return answer(box); });
    hold(app_.initInstance(), "Setup starts");
    check();
    while (!script_.done() && quits() == 0) {
        perform(*this, script_.take());
        check();
    }
    // The user stops acting: the banner's animation runs out and every dialog is left.
    for (int minute = 0; minute < kMinutesToEnd && quits() == 0; ++minute) {
        driver_.advance(60'000);
        check();
    }
    hold(quits() == 1, "Setup ends, once");
    ended_ = true;
    app_.exitInstance();
    driver_.advance(10 * 60'000);
    hold(!driver_.anyTimerRunning(), "nothing runs after the end");
    check();
}

CMainFrame* Session::banner() const {
    CMainFrame* frame = app_.m_pMainFrame.get();
    return frame != nullptr && frame->exists() ? frame : nullptr;
}

fw::Dialog* Session::open(int dialog) const {
    for (auto it = modals_.rbegin(); it != modals_.rend(); ++it) {
        if (isUp(**it) && (*it)->isEnabled() && (*it)->isVisible() && dialog-- == 0) {
            return *it;
        }
    }
    return nullptr;
}

void Session::arm(const Step& step) {
    const std::string path = Disk::faultPath(step.file, step.side, destination());
    driver_.injectFault({path, step.op, step.cause, step.afterBytes});
    disk_.excuse(path, step.side, step.op);
    causes_.push_back(step.cause);
}

void Session::drive(fw::Dialog& dialog) {
    const int kind = dialog.templateId();
    hold(!ended_, "no dialog opens after the end");
    hold(!isPage(kind) || !leftSetup_, "no page opens once the user left Setup");
    modals_.push_back(&dialog);
    check();
    for (int leaving = 0; isUp(dialog); check()) {
        if (!script_.done()) {
            perform(*this, script_.take());
            continue;
        }
        hold(++leaving <= 3, "a dialog ends when the user leaves it: " + std::to_string(kind));
        driver_.pressKey(dialog, fw::kKeyEscape);
    }
    modals_.pop_back();
    hold(dialog.ended() || kind == IDD_ABOUTBOX,
         "only the About box goes with the banner: dialog " + std::to_string(kind) +
             " lost its window under its loop");
    if (kind == IDD_CANCEL_SETUP) {
        promptPage_ = dialog.parent();
        promptAnswer_ = dialog.result();
    }
}

fw::test::Driver::BoxAnswer Session::answer(const fw::test::MessageBoxRecord& box) {
    hold(!ended_, "no message box after the end");
    checkBox(box.text);
    // Setup asks nothing: its boxes tell a file error and have OK alone.
    hold((box.type & fw::mb::kButtonMask) == fw::mb::kOk, "Setup's boxes have OK alone");
    // The steps until an answer happen while the box is up: none of them reaches a window.
    while (!script_.done()) {
        if (const Step& step = script_.take(); step.kind == Step::Kind::answer) {
            return {fw::kIdOk, step.ms};
        }
    }
    return {fw::kIdOk, 0};
}

std::string Session::destination() const {
    const auto up = [this](int kind) {
        const auto it = std::ranges::find_if(modals_, [kind](const fw::Dialog* dialog) {
            return dialog->templateId() == kind && isUp(*dialog);
        });
        return it != modals_.end() ? *it : nullptr;
    };
    if (const fw::Dialog* copying = up(IDD_COPYING)) {
        return static_cast<const CCopyingDlg*>(copying)->m_strDestFolder;
    }
    if (const fw::Dialog* page = up(IDD_DESTINATION)) {
        return page->item(IDC_DEST_FOLDER).text();
    }
    return Disk::kDefaultFolder;
}

std::size_t Session::quits() const {
    return static_cast<std::size_t>(
        std::ranges::count(driver_.shell(), std::string("quit"), &fw::test::ShellRecord::kind));
}

void Session::check() {
    checkDialogs();
    checkPromptAnswered();
    const std::string broken = disk_.check(driver_.armedFaults() > 0);
    hold(broken.empty(), broken);
}

void Session::checkDialogs() {
    const CMainFrame* frame = banner();
    std::set<int> kinds;
    int inFront = 0;
    bool pageRuns = false;
    bool ownUp = false;
    for (const fw::Dialog* dialog : modals_) {
        const int kind = dialog->templateId();
        pageRuns = pageRuns || isPage(kind);
        if (isUp(*dialog)) {
            hold(kinds.insert(kind).second,
                 "at most one dialog of a kind: " + std::to_string(kind));
            hold((!isPage(kind) && kind != IDD_ABOUTBOX) || ++inFront == 1,
                 "no wizard page while another Setup dialog is open");
            ownUp = ownUp || (frame != nullptr && dialog->owner() == frame->handle());
        }
    }
    hold(frame != nullptr || !pageRuns, "the banner stays while the wizard runs");
    // A prompt stands in front of its page, which the banner's input follows.
    hold(frame == nullptr || frame->isEnabled() == !ownUp,
         "the banner takes input exactly when none of its dialogs is up");
}

void Session::checkPromptAnswered() {
    const auto page = std::find(modals_.begin(), modals_.end(), promptPage_);
    if (promptPage_ != nullptr && page != modals_.end()) {
        const bool cancelled = (*page)->ended() && (*page)->result() == fw::kIdCancel;
        if (promptAnswer_ == fw::kIdOk) {
            hold(!cancelled, "after Resume in the Cancel Setup prompt Setup goes on");
        } else {
            hold(cancelled, "after Exit in the Cancel Setup prompt Setup is cancelled");
            leftSetup_ = true;
        }
    }
    promptPage_ = nullptr;
}

// Every error Setup reports has a cause the case set up: a fault that fired since the last error,
// or a destination that may be refused.
void Session::checkBox(const std::string& text) {
    const std::size_t fired = causes_.size() - driver_.armedFaults();
    const bool faulted = fired > told_ && std::ranges::any_of(causes_, [&](auto cause) {
                             return tells(text, cause);
                         });
    const bool refused =
        Disk::mayBeRefused(destination()) && tells(text, fw::FileError::Cause::badPath);
    hold(faulted || refused, "an error has a cause the case set up: \"" + text + "\"");
    told_ = fired;
}

}  // namespace setup_explorer
