#include "explorer_session.h"

#include <algorithm>
#include <map>

#include "framework/dialog.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "resource.h"
#include "setup/install/copying_dlg.h"
#include "setup/wizard/wizard.h"

namespace setup_explorer {

namespace {

using Kind = Step::Kind;
using Op = fw::test::FileFault::Op;

// The minutes a user who stopped acting leaves Setup to end by itself.
constexpr int kMinutesToEnd = 60;

// The wizard's pages in their order.
constexpr int kPages[] = {IDD_WELCOME, IDD_DESTINATION, IDD_COPYING, IDD_COMPLETE};
const char* const kReached[] = {"the banner", "the welcome page", "the destination page",
                                "the copying dialog", "the completion dialog"};

// The page's place in the wizard, from 1; 0 for another dialog.
int pageNumber(int templateId) {
    const auto page = std::find(std::begin(kPages), std::end(kPages), templateId);
    return page != std::end(kPages) ? static_cast<int>(page - std::begin(kPages)) + 1 : 0;
}

bool isPage(int templateId) {
    return pageNumber(templateId) > 0;
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
    const std::string before = format.substr(0, name);
    const std::string after = format.substr(name + 2);
    return text.size() > before.size() + after.size() && text.starts_with(before) &&
           text.ends_with(after);
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
        perform(script_.take());
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
    // How far the cases go, in RapidCheck's summary.
    RC_TAG(kReached[reached_]);
}

void Session::drive(fw::Dialog& dialog) {
    const int kind = dialog.templateId();
    hold(!ended_, "no dialog opens after the end");
    hold(!isPage(kind) || !leftSetup_, "no page opens once the user left Setup");
    reached_ = std::max(reached_, pageNumber(kind));
    modals_.push_back(&dialog);
    check();
    for (int leaving = 0; isUp(dialog); check()) {
        if (!script_.done()) {
            perform(script_.take());
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
    while (!script_.done()) {
        const Step& step = script_.take();
        if (step.kind == Kind::answer) {
            return {fw::kIdOk, step.ms};
        }
    }
    return {fw::kIdOk, 0};
}

void Session::perform(const Step& step) {
    CMainFrame* frame = banner();
    switch (step.kind) {
        case Kind::about:
        case Kind::exit:
            // The menu takes input only while no dialog disables the banner.
            if (frame != nullptr && frame->isEnabled()) {
                driver_.command(*frame, step.kind == Kind::about ? ID_APP_ABOUT : ID_APP_EXIT);
            }
            break;
        case Kind::closeBanner:
            if (frame != nullptr) {
                driver_.sysCommand(*frame, fw::kScClose);
            }
            break;
        case Kind::click:
            click(step);
            break;
        case Kind::key:
            // Keys go to the active dialog, the innermost.
            if (!modals_.empty() && isUp(*modals_.back()) && modals_.back()->isEnabled()) {
                driver_.pressKey(*modals_.back(),
                                 step.button == 0 ? fw::kKeyReturn : fw::kKeyEscape);
            }
            break;
        case Kind::closeBox:
            if (const std::vector<fw::Dialog*> open = takingInput();
                static_cast<std::size_t>(step.dialog) < open.size()) {
                driver_.close(*open[static_cast<std::size_t>(step.dialog)]);
            }
            break;
        case Kind::browse:
            browse(step);
            break;
        case Kind::answer:
            break;  // no message box is up
        case Kind::wait:
            driver_.advance(step.ms);
            break;
        case Kind::busy:
            driver_.busy(step.ms);
            break;
        case Kind::fault:
            armFault(step);
            break;
    }
}

void Session::click(const Step& step) {
    const std::vector<fw::Dialog*> open = takingInput();
    if (static_cast<std::size_t>(step.dialog) >= open.size()) {
        return;
    }
    fw::Dialog& dialog = *open[static_cast<std::size_t>(step.dialog)];
    const int back = dialog.templateId() == IDD_WELCOME ? IDC_WELCOME_BACK : IDC_DEST_BACK;
    const int ids[] = {fw::kIdOk, fw::kIdCancel, back};
    const int id = ids[step.button];
    const fw::Control button = dialog.item(id);
    if (button.handle() != nullptr && button.isEnabled() && button.isVisible()) {
        driver_.click(dialog, id);
    }
}

void Session::browse(const Step& step) {
    const std::vector<fw::Dialog*> open = takingInput();
    if (open.empty() || open.front()->templateId() != IDD_DESTINATION) {
        return;
    }
    const std::string folder = Disk::folderOf(step.place, step.length);
    if (folder.empty()) {
        driver_.answerFileDialog(std::nullopt);
    } else {
        disk_.addDestination(folder);
        driver_.answerFileDialog(Disk::chosenName(folder));
    }
    driver_.click(*open.front(), IDC_BROWSE);
}

void Session::armFault(const Step& step) {
    const std::string path = disk_.faultPath(step.file, step.side, destination());
    driver_.injectFault({path, step.op, step.cause, step.afterBytes});
    causes_.push_back(step.cause);
    const std::string key = fw::foldedName(path);
    switch (step.op) {
        case Op::open:
        case Op::read:
        case Op::length:
        case Op::close:
            leeway_.unreadable.insert(key);
            break;
        case Op::create:
        case Op::write:
            if (step.side == Side::target) {
                leeway_.struckInPlace.insert(key);
            }
            break;
        case Op::remove:
            leeway_.removalFailed = true;
            break;
        case Op::move:
            leeway_.moveFailed = true;
            break;
    }
    armed_ = driver_.armedFaults();
}

std::vector<fw::Dialog*> Session::takingInput() const {
    std::vector<fw::Dialog*> open;
    for (auto it = modals_.rbegin(); it != modals_.rend(); ++it) {
        if (isUp(**it) && (*it)->isEnabled() && (*it)->isVisible()) {
            open.push_back(*it);
        }
    }
    return open;
}

fw::Dialog* Session::findUp(int templateId) const {
    for (auto it = modals_.rbegin(); it != modals_.rend(); ++it) {
        if ((*it)->templateId() == templateId && isUp(**it)) {
            return *it;
        }
    }
    return nullptr;
}

std::string Session::destination() const {
    if (const fw::Dialog* copying = findUp(IDD_COPYING)) {
        return static_cast<const CCopyingDlg*>(copying)->m_strDestFolder;
    }
    if (const fw::Dialog* page = findUp(IDD_DESTINATION)) {
        return page->item(IDC_DEST_FOLDER).text();
    }
    return Disk::kDefaultFolder;
}

CMainFrame* Session::banner() const {
    CMainFrame* frame = app_.m_pMainFrame.get();
    return frame != nullptr && frame->exists() ? frame : nullptr;
}

std::size_t Session::quits() const {
    const std::vector<fw::test::ShellRecord>& shell = driver_.shell();
    return static_cast<std::size_t>(
        std::count_if(shell.begin(), shell.end(),
                      [](const fw::test::ShellRecord& record) { return record.kind == "quit"; }));
}

void Session::check() {
    checkFaultsFired();
    checkDialogs();
    checkPromptAnswered();
    if (driver_.armedFaults() == 0) {
        leeway_.unreadable.clear();
    }
    const std::string broken = disk_.check(leeway_);
    hold(broken.empty(), broken);
}

void Session::checkDialogs() {
    std::map<int, int> kinds;
    int pages = 0;
    bool pageInLoop = false;
    for (const fw::Dialog* dialog : modals_) {
        pageInLoop = pageInLoop || isPage(dialog->templateId());
        if (isUp(*dialog)) {
            ++kinds[dialog->templateId()];
            pages += isPage(dialog->templateId()) ? 1 : 0;
        }
    }
    for (const auto& [kind, count] : kinds) {
        hold(count == 1, "at most one dialog of a kind: " + std::to_string(kind));
    }
    hold(pages + kinds[IDD_ABOUTBOX] <= 1, "no wizard page while another Setup dialog is open");
    const CMainFrame* frame = banner();
    hold(frame != nullptr || !pageInLoop, "the banner stays while the wizard runs");
    if (frame != nullptr) {
        // A prompt stands in front of its page, which the banner's input follows.
        const bool ownUp = std::any_of(
            modals_.begin(), modals_.end(),
            [frame](const fw::Dialog* d) { return isUp(*d) && d->owner() == frame->handle(); });
        hold(frame->isEnabled() == !ownUp,
             "the banner takes input exactly when none of its dialogs is up");
    }
}

void Session::checkPromptAnswered() {
    if (promptPage_ == nullptr) {
        return;
    }
    const auto page = std::find(modals_.begin(), modals_.end(), promptPage_);
    if (page != modals_.end()) {
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

void Session::checkFaultsFired() {
    const std::size_t armed = driver_.armedFaults();
    untold_ += armed_ - std::min(armed_, armed);
    armed_ = armed;
}

// Every error Setup reports has a cause the case set up: a fault that fired, or a destination
// that may be refused.
void Session::checkBox(const std::string& text) {
    checkFaultsFired();
    const bool faulted =
        untold_ > 0 && std::any_of(causes_.begin(), causes_.end(),
                                   [&](fw::FileError::Cause cause) { return tells(text, cause); });
    const bool refused =
        Disk::mayBeRefused(destination()) && tells(text, fw::FileError::Cause::badPath);
    hold(faulted || refused, "an error has a cause the case set up: \"" + text + "\"");
    untold_ = 0;
}

}  // namespace setup_explorer
