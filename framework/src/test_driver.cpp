#include "framework/test_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/dialog.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "sys.h"
#include "virtual_clock.h"

namespace fw::test {

namespace {

Driver* currentDriver = nullptr;
// One clock per driver; kept beside it so the header needs no clock type.
std::unique_ptr<VirtualClock> driverClock;

constexpr std::uintptr_t commandParam(int id, int code) {
    return static_cast<std::uintptr_t>(id & 0xFFFF) |
           (static_cast<std::uintptr_t>(code & 0xFFFF) << 16);
}

}  // namespace

Driver::Driver(std::int64_t startMs) {
    if (currentDriver != nullptr) {
        fail("only one test driver may run at a time");
    }
    currentDriver = this;
    driverClock = std::make_unique<VirtualClock>(startMs);
    sys::resetSandbox();
}

Driver::~Driver() {
    driverClock.reset();
    currentDriver = nullptr;
}

Driver* Driver::current() {
    return currentDriver;
}

void Driver::fail(const std::string& message) {
    std::fprintf(stderr, "test driver: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

bool Driver::open(Dialog& dialog) {
    dialog.ended_ = false;
    dialog.result_ = 0;
    Handle parent = dialog.parent() != nullptr ? dialog.parent()->handle() : nullptr;
    if (sys::createDialog(dialog.templateId(), parent, dialog) == nullptr) {
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

int Driver::runModal(Dialog& dialog) {
    auto it = modalScripts_.find(dialog.templateId());
    if (it == modalScripts_.end()) {
        fail("modal dialog " + std::to_string(dialog.templateId()) + " ran without a script");
    }
    auto script = std::move(it->second);
    modalScripts_.erase(it);
    if (open(dialog)) {
        script(*this, dialog);
        if (!dialog.ended()) {
            fail("the script left modal dialog " + std::to_string(dialog.templateId()) + " open");
        }
        afterMessage();
    }
    return dialog.result();
}

void Driver::afterMessage() {
    // Destroying a dialog may end or open others: look again after each one.
    for (;;) {
        auto ended = std::find_if(open_.begin(), open_.end(),
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
    driverClock->settle();
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
    driverClock->settle();
}

std::int64_t Driver::nowMs() const {
    return driverClock->nowMs();
}
void Driver::advance(std::int64_t ms) {
    driverClock->advance(ms);
}
void Driver::pump() {
    driverClock->settle();
}

bool Driver::timerRunning(const Window& window, unsigned id) const {
    return driverClock->timerRunning(window.handle(), id);
}

unsigned Driver::timerInterval(const Window& window, unsigned id) const {
    return driverClock->timerInterval(window.handle(), id);
}

void Driver::answerMessageBox(int result) {
    messageBoxAnswers_.push_back(result);
}
void Driver::answerFileDialog(std::optional<std::string> path) {
    fileDialogAnswers_.push_back(std::move(path));
}
void Driver::answerMenu(unsigned command) {
    menuAnswers_.push_back(command);
}

int Driver::scriptMessageBox(const MessageBoxRecord& record) {
    messageBoxes_.push_back(record);
    if (!messageBoxAnswers_.empty()) {
        int answer = messageBoxAnswers_.front();
        messageBoxAnswers_.pop_front();
        return answer;
    }
    if ((record.type & mb::kButtonMask) == mb::kOk) {
        return kIdOk;
    }
    fail("message box without an answer: \"" + record.text + "\"");
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
    drawing_.clear();
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

void Driver::injectFault(const FileFault& fault) {
    sys::injectFileFault(fault);
}

}  // namespace fw::test

namespace fw::detail {

bool testMode() {
    return test::Driver::current() != nullptr;
}

}  // namespace fw::detail
