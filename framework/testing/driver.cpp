#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "driver_sys.h"
#include "framework/dialog.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "framework/resources.h"
#include "framework/test_driver.h"
#include "framework/thread.h"
#include "host.h"
#include "sys.h"
#include "timer_queue.h"
#include "virtual_clock.h"

namespace fw::test {

namespace {

bool driving = false;

constexpr std::uintptr_t commandParam(int id, int code) {
    return static_cast<std::uintptr_t>(id & 0xFFFF) |
           (static_cast<std::uintptr_t>(code & 0xFFFF) << 16);
}

}  // namespace

// The host of a test program: the virtual clock keeps the time and the threads' waits, the
// driver's scripts answer the questions, and shell calls are recorded, not made.
class TestHost final : public detail::Host {
  public:
    TestHost(Driver& driver, VirtualClock& clock) : driver_(driver), clock_(clock) {}

    int runModal(Dialog& dialog) override { return driver_.runModal(dialog); }
    // The driver destroys the dialog once the message that ended it has been handled; its owner
    // takes input again at once, as the platform's EndDialog gives it back.
    void endModal(Dialog& dialog, int /*result*/) override { driver_.giveBackOwner(dialog); }
    int messageLoop() override { Driver::fail("the message loop ran under the test driver"); }
    void postQuit(int exitCode) override {
        driver_.shell_.push_back({"quit", std::to_string(exitCode), "", 0, nullptr});
    }

    std::int64_t nowMs() override { return clock_.nowMs(); }
    std::int64_t tickMs() override { return clock_.tickMs(); }
    // The clock reads the timer queue itself.
    void armTimer(std::optional<std::int64_t> /*dueTick*/) override {}
    void sleep(std::int64_t ms) override {
        // A worker waits on the clock through its Thread, which the clock can release.
        if (Thread::current() != nullptr) {
            Driver::fail("sleepMs called on a thread other than the windows' thread");
        }
        clock_.sleep(ms);
    }
    void threadStarted(Thread& thread) override { clock_.threadStarted(thread); }
    void threadFinished(Thread& thread) override { clock_.threadFinished(thread); }
    bool waitThread(Thread& thread, std::int64_t deadlineMs) override {
        return clock_.waitThread(thread, deadlineMs);
    }
    void wakeThread(Thread& thread) override { clock_.wakeThread(thread); }

    int messageBox(Handle owner, const std::string& text, const std::string& caption,
                   unsigned type) override {
        return driver_.scriptMessageBox({text, caption, type, owner});
    }
    std::optional<std::string> fileDialog(Handle owner, const FileDialogRequest& request) override {
        std::optional<std::string> answer =
            driver_.scriptFileDialog({request.open, request.defaultExt, request.fileName,
                                      request.flags, request.filter, owner});
        // The user browsed to the file's folder, which the platform's dialogs make current.
        if (const std::size_t slash = answer ? answer->find_last_of('\\') : std::string::npos;
            slash != std::string::npos) {
            sys::setCurrentDirectory(answer->substr(0, std::max<std::size_t>(slash, 3)));
        }
        return answer;
    }
    unsigned trackMenu(const Menu& menu, Handle owner, Point screen, unsigned flags) override {
        MenuRecord record;
        for (int i = 0; i < menu.itemCount(); ++i) {
            record.items.push_back(sys::menuItemAt(menu.handle(), i));
        }
        record.at = screen;
        record.flags = flags;
        record.owner = owner;
        return driver_.scriptMenu(record);
    }
    Point cursorPos() override { return driver_.cursor_; }

    bool trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage,
                    const Icon& icon, const std::string& tip) override {
        driver_.tray_.push_back(
            {static_cast<int>(op), owner, id, callbackMessage, icon.resourceId(), tip});
        return true;
    }
    bool shellExecute(Handle owner, const std::string& verb, const std::string& file,
                      int show) override {
        driver_.shell_.push_back({"shell", file, verb, static_cast<unsigned>(show), owner});
        return true;
    }
    unsigned winExec(const std::string& commandLine, int show) override {
        driver_.shell_.push_back({"exec", commandLine, "", static_cast<unsigned>(show), nullptr});
        return 33;  // above 31: started
    }
    bool playSound(const std::string& name, unsigned flags) override {
        driver_.shell_.push_back({"sound", name, "", flags, nullptr});
        return true;
    }
    void openHelp(Handle owner, const std::string& helpFile) override {
        driver_.shell_.push_back({"help", helpFile, "", 0, owner});
    }

    Proc systemProc(const std::string& library, const std::string& function) override {
        const auto dll = driver_.libraries_.find(library);
        if (dll == driver_.libraries_.end()) {
            return nullptr;
        }
        const auto it = dll->second.find(function);
        return it != dll->second.end() ? it->second : nullptr;
    }

  private:
    Driver& driver_;
    VirtualClock& clock_;
};

Driver::Driver(std::int64_t startMs) {
    if (driving) {
        fail("only one test driver may run at a time");
    }
    driving = true;
    clock_ = std::make_unique<VirtualClock>(startMs, [this] { afterMessage(); });
    host_ = std::make_unique<TestHost>(*this, *clock_);
    detail::installHost(host_.get());
    resetSandbox();
}

Driver::~Driver() {
    detail::installHost(nullptr);
    driving = false;
}

void Driver::fail(const std::string& message) {
    if (failuresThrow) {
        throw DriverError(message);
    }
    std::fprintf(stderr, "test driver: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

bool Driver::open(Dialog& dialog) {
    detail::DialogAccess::begin(dialog);
    if (sys::createDialog(dialog.templateId(), dialog.owner(), dialog) == nullptr) {
        fail("dialog " + std::to_string(dialog.templateId()) + " could not be created");
    }
    open_.push_back(&dialog);
    // A modal dialog is shown once initialised, whatever its template says.
    if (!dialog.ended() && !dialog.isVisible()) {
        dialog.show();
    }
    afterMessage();
    return dialog.exists();
}

bool Driver::isOpen(const Dialog& dialog) const {
    return dialog.exists();
}

void Driver::onModal(int templateId, std::function<void(Driver&, Dialog&)> script) {
    modalScripts_.emplace(templateId, std::move(script));
}

void Driver::onAnyModal(std::function<void(Driver&, Dialog&)> script) {
    anyModal_ = std::move(script);
}

int Driver::runModal(Dialog& dialog) {
    std::function<void(Driver&, Dialog&)> script;
    if (auto it = modalScripts_.find(dialog.templateId()); it != modalScripts_.end()) {
        script = std::move(it->second);
        modalScripts_.erase(it);
    } else if (anyModal_) {
        script = anyModal_;
    } else {
        fail("modal dialog " + std::to_string(dialog.templateId()) + " ran without a script");
    }
    // As the platform's modal loop: the owner takes no input while the dialog runs, and gets it
    // back when the dialog ends if it had it before.
    if (const Handle owner = dialog.owner(); owner != nullptr && sys::isWindowEnabled(owner)) {
        sys::enableWindow(owner, false);
        disabledOwners_[&dialog] = owner;
    }
    // The dialogs open before this one wait for its loop to return, ended or not.
    const std::size_t first = open_.size();
    modalsFrom_.push_back(first);
    if (open(dialog)) {
        script(*this, dialog);
        // A dialog whose window went with its owner ends its loop, as the platform's does.
        if (dialog.exists() && !dialog.ended()) {
            fail("the script left modal dialog " + std::to_string(dialog.templateId()) + " open");
        }
    }
    modalsFrom_.pop_back();
    destroyEnded(first);
    // One whose window went without ending is forgotten all the same.
    std::erase(open_, &dialog);
    giveBackOwner(dialog);
    return dialog.ended() ? dialog.result() : -1;
}

void Driver::giveBackOwner(const Dialog& dialog) {
    if (const auto it = disabledOwners_.find(&dialog); it != disabledOwners_.end()) {
        sys::enableWindow(it->second, true);
        disabledOwners_.erase(it);
    }
}

void Driver::afterMessage() {
    // As on the platform, a dialog ends once control returns to its own loop: not while a message
    // box shown by one of its handlers is still up, nor while a modal dialog shown by one of them
    // runs its loop.
    if (boxesUp_ > 0) {
        return;
    }
    destroyEnded(modalsFrom_.empty() ? 0 : modalsFrom_.back());
}

void Driver::destroyEnded(std::size_t first) {
    // Destroying a dialog may end or open others: look again after each one.
    for (;;) {
        auto ended = std::find_if(open_.begin() + static_cast<std::ptrdiff_t>(first), open_.end(),
                                  [](Dialog* dialog) { return dialog->ended(); });
        if (ended == open_.end()) {
            return;
        }
        Dialog* dialog = *ended;
        open_.erase(ended);
        if (dialog->exists()) {
            sys::destroyWindow(dialog->handle());
        }
    }
}

void Driver::installLibrary(const std::string& name, std::map<std::string, Proc> functions) {
    libraries_[name] = std::move(functions);
}

void Driver::click(const Window& window, int id) {
    Handle button = sys::dialogItem(window.handle(), id);
    if (button == nullptr || !sys::isWindowEnabled(button) || !sys::isWindowVisible(button)) {
        fail("click on control " + std::to_string(id) + ", which is missing, disabled or hidden");
    }
    sys::clickButton(button);
    afterMessage();
}

void Driver::type(const Window& window, int id, const std::string& text) {
    Handle edit = sys::dialogItem(window.handle(), id);
    if (edit == nullptr || !sys::isWindowEnabled(edit)) {
        fail("typing into control " + std::to_string(id) + ", which is missing or disabled");
    }
    sys::setWindowText(edit, text);
    afterMessage();
}

void Driver::choose(const Window& window, int id, int index) {
    Handle combo = sys::dialogItem(window.handle(), id);
    if (combo == nullptr || !sys::isWindowEnabled(combo)) {
        fail("choosing in control " + std::to_string(id) + ", which is missing or disabled");
    }
    sys::comboSetSelection(combo, index);
    sys::sendMessage(window.handle(), wm::kCommand, commandParam(id, kComboSelChange),
                     reinterpret_cast<std::intptr_t>(combo));
    afterMessage();
}

void Driver::pressKey(const Window& window, int key) {
    if (key == kKeyF1) {
        sys::sendMessage(window.handle(), wm::kHelp, 0, 0);
        afterMessage();
        return;
    }
    int id = key == kKeyReturn ? sys::defaultButtonId(window.handle()) : kIdCancel;
    Handle button = sys::dialogItem(window.handle(), id);
    sys::sendMessage(window.handle(), wm::kCommand, commandParam(id, kButtonClicked),
                     reinterpret_cast<std::intptr_t>(button));
    afterMessage();
}

void Driver::close(const Window& window) {
    sys::sendMessage(window.handle(), wm::kClose, 0, 0);
    afterMessage();
    // The platform answers a close by posting the Cancel command.
    clock_->settle();
}

void Driver::command(const Window& window, unsigned id) {
    sys::sendMessage(window.handle(), wm::kCommand, commandParam(static_cast<int>(id), 0), 0);
    afterMessage();
}

void Driver::clickList(const Window& window, int id, int code, Point client) {
    Handle list = sys::dialogItem(window.handle(), id);
    if (list == nullptr || !sys::isWindowEnabled(list)) {
        fail("clicking list " + std::to_string(id) + ", which is missing or disabled");
    }
    cursor_ = sys::clientToScreen(list, client);
    sys::sendNotify(window.handle(), id, code);
    afterMessage();
}

void Driver::setCursor(Point screen) {
    cursor_ = screen;
}

std::intptr_t Driver::send(const Window& window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    std::intptr_t result = sys::sendMessage(window.handle(), message, wParam, lParam);
    afterMessage();
    return result;
}

void Driver::sysCommand(const Window& window, unsigned command) {
    send(window, wm::kSysCommand, command, 0);
    clock_->settle();
}

void Driver::setClock(std::int64_t wallMs) {
    clock_->setNow(wallMs);
}

std::int64_t Driver::nowMs() const {
    return clock_->nowMs();
}
void Driver::advance(std::int64_t ms) {
    clock_->advance(ms);
}
std::int64_t Driver::advanceUntil(std::int64_t ms, const std::function<bool()>& done) {
    return clock_->advance(ms, done);
}
void Driver::pump() {
    clock_->settle();
}
void Driver::busy(std::int64_t ms) {
    clock_->sleep(ms);
}

bool Driver::anyTimerRunning() const {
    return detail::timerQueue().nextDue().has_value();
}

bool Driver::timerRunning(const Window& window, unsigned id) const {
    return detail::timerQueue().running(window.handle(), id);
}

unsigned Driver::timerInterval(const Window& window, unsigned id) const {
    return detail::timerQueue().interval(window.handle(), id);
}

void Driver::answerMessageBox(int result) {
    answerMessageBox(result, 0);
}
void Driver::answerMessageBox(int result, std::int64_t afterMs) {
    messageBoxAnswers_.push_back({result, afterMs});
}
void Driver::answerFileDialog(std::optional<std::string> path) {
    fileDialogAnswers_.push_back(std::move(path));
}
void Driver::answerMenu(unsigned command) {
    menuAnswers_.push_back(command);
}

int Driver::scriptMessageBox(const MessageBoxRecord& record) {
    messageBoxes_.push_back(record);
    BoxAnswer answer{kIdOk, 0};
    if (!messageBoxAnswers_.empty()) {
        answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
    } else if (anyMessageBox_) {
        answer = anyMessageBox_(record);
    } else if ((record.type & mb::kButtonMask) != mb::kOk) {
        fail("message box without an answer: \"" + record.text + "\"");
    }
    if (answer.afterMs > 0) {
        ++boxesUp_;
        clock_->advance(answer.afterMs);
        --boxesUp_;
    }
    return answer.result;
}

void Driver::onAnyMessageBox(std::function<BoxAnswer(const MessageBoxRecord&)> answer) {
    anyMessageBox_ = std::move(answer);
}

std::optional<std::string> Driver::scriptFileDialog(const FileDialogRecord& record) {
    fileDialogs_.push_back(record);
    if (fileDialogAnswers_.empty()) {
        return std::nullopt;
    }
    auto answer = fileDialogAnswers_.front();
    fileDialogAnswers_.pop_front();
    return answer;
}

unsigned Driver::scriptMenu(const MenuRecord& record) {
    menus_.push_back(record);
    if (menuAnswers_.empty()) {
        return 0;
    }
    unsigned answer = menuAnswers_.front();
    menuAnswers_.pop_front();
    return answer;
}

void Driver::clearRecords() {
    messageBoxes_.clear();
    fileDialogs_.clear();
    menus_.clear();
    tray_.clear();
    shell_.clear();
    clearDrawing();
}

void Driver::writeFile(const std::string& path, const std::string& bytes) {
    File file;
    file.open(path, FileMode::createWrite);
    file.write(bytes.data(), bytes.size());
    file.close();
}

std::optional<std::string> Driver::readFile(const std::string& path) const {
    if (!sys::fileExists(path)) {
        return std::nullopt;
    }
    File file;
    file.open(path, FileMode::read);
    std::string bytes(static_cast<std::size_t>(file.length()), '\0');
    std::size_t read = file.read(bytes.data(), bytes.size());
    bytes.resize(read);
    file.close();
    return bytes;
}

}  // namespace fw::test
