// The dialer explorer's invariants, and the record of the service's calls they read.
#include <algorithm>
#include <mutex>
#include <type_traits>

#include "dialer/options/dnx_file.h"
#include "dialer/scheduler/task_store.h"
#include "dialer/settings/settings_store.h"
#include "explorer_case.h"
#include "framework/archive.h"
#include "framework/clock.h"
#include "framework/file.h"
#include "framework/inspect.h"
#include "framework/save_file.h"
#include "resource.h"

namespace dexp {

namespace {

constexpr std::int64_t kRedialMs = 8000;
constexpr std::int64_t kStartupDialMs = 4001;  // the start-up tick, then 4 s
constexpr std::int64_t kDayMs = 24 * 3600 * 1000;

// The case whose service is recorded; its lock keeps the service's threads off a case that ends.
std::mutex currentLock;
DialerCase* current = nullptr;
ras::RemoteAccess real;
ras::DialFunc dialerNotifier = nullptr;

// What a file holds as the dialer's reader reads it; nothing when it does not load.
template <class Read>
auto load(const std::string& path, Read read) -> decltype(read(std::declval<fw::Archive&>())) {
    try {
        fw::File file;
        file.open(path, fw::FileMode::read);
        fw::Archive ar(file, fw::Archive::Mode::load);
        return read(ar);
    } catch (const fw::FileError&) {
        return std::nullopt;
    }
}

// How many of the tasks due by now have fired since the list was before: each firing moves its
// task on or removes it.
int firings(const CTaskList& before, CTaskList after, std::int64_t nowMs) {
    int fired = 0;
    for (const CTasks& task : before) {
        if (task.m_bDisabled != 0 || std::int64_t{task.m_timeNext} * 1000 > nowMs) {
            continue;
        }
        const auto same = std::find(after.begin(), after.end(), task);
        if (same == after.end()) {
            ++fired;
        } else {
            after.erase(same);
        }
    }
    return fired;
}

std::string handleName(ras::Connection handle) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace

void DialerCase::recordCalls() {
    static_assert(std::is_same_v<decltype(&notify), ras::DialFunc>);
    std::lock_guard lock(currentLock);
    current = this;
    real = service;
    service.RasDialA = &dial;
    service.RasHangUpA = &hangUp;
}

DialerCase::~DialerCase() {
    std::lock_guard lock(currentLock);
    current = nullptr;
}

ras::Dword RASAPI_CALL DialerCase::dial(ras::DialExtensionsArg extensions, const char* phonebook,
                                        ras::DialParamsArg params, ras::Dword notifierType,
                                        void* notifier, ras::Connection* connection) {
    dialerNotifier = reinterpret_cast<ras::DialFunc>(notifier);
    const std::int64_t atMs = fw::nowMs();
    current->onDial(atMs);
    const ras::Dword result = real.RasDialA(extensions, phonebook, params, notifierType,
                                            reinterpret_cast<void*>(&notify), connection);
    std::lock_guard lock(currentLock);
    current->dials_.push_back(connection != nullptr ? *connection : nullptr);
    // Refused at once: the dialer fails it as a reported failure, and may redial.
    if (result != ras::kSuccess) {
        current->failures_.push_back(atMs);
    }
    return result;
}

ras::Dword RASAPI_CALL DialerCase::hangUp(ras::Connection connection) {
    const ras::Dword result = real.RasHangUpA(connection);
    if (result == ras::kSuccess) {
        current->hungUp_.push_back(connection);
    }
    return result;
}

void RASAPI_CALL DialerCase::notify(unsigned message, ras::ConnState state, ras::Dword error) {
    {
        std::lock_guard lock(currentLock);
        if (current != nullptr && error != ras::kSuccess) {
            current->failures_.push_back(fw::nowMs());
        }
    }
    dialerNotifier(message, state, error);
}

void DialerCase::onDial(std::int64_t atMs) {
    // A dial by hand drops the start-up dial that was still to come.
    const bool startupDial = autoDialPending_ && atMs >= startMs_ + kStartupDialMs;
    if (atMs < startMs_ + kStartupDialMs) {
        autoDialPending_ = false;
    }
    if (frame_.connectCommand && !frame_.userDialed) {
        frame_.userDialed = true;
        return;
    }
    // A firing dials at once, before any other can fire: the list as it stands now is what the
    // next firing of this step moves on.
    if (firings(frame_.tasks, dialer.m_aTasks, atMs) > 0) {
        frame_.tasks = dialer.m_aTasks;
        return;
    }
    if (startupDial) {
        autoDialPending_ = false;
        return;
    }
    std::lock_guard lock(currentLock);
    const auto redial = std::find_if(failures_.begin(), failures_.end(), [atMs](std::int64_t at) {
        return atMs - at >= kRedialMs - 1;
    });
    if (redial != failures_.end()) {
        failures_.erase(redial);
        return;
    }
    broken("every dial has a cause",
           "RasDialA at " + std::to_string(atMs - startMs_) +
               " ms, with no Connect, task, redial or start-up dial behind it");
}

void DialerCase::broken(const std::string& invariant, const std::string& detail) {
    if (failure_.empty()) {
        failure_ = invariant + ": " + detail;
    }
}

void DialerCase::checkInvariants() {
    if (!running_) {
        return;
    }
    checkDialogs();
    checkFiles();
    if (dialer.exists()) {
        checkConnection();
    }
    // The icon goes first when the program ends.
    if (!ending_) {
        checkTray();
    }
}

void DialerCase::checkDialogs() {
    // The dialer's own; the remote access service's entry editors are the platform's affair.
    for (const int id : {IDD_ABOUTBOX, IDD_OPTIONS, IDD_KEEP_CONNECTION, IDD_TASK_PROPERTIES,
                         IDD_DISCONNECT_WARNING}) {
        if (std::count_if(modals_.begin(), modals_.end(), [id](const fw::Dialog* dialog) {
                return dialog->templateId() == id;
            }) > 1) {
            broken("at most one dialog of a kind is open",
                   "two dialogs of template " + std::to_string(id));
        }
    }
    if (tasksWhenOptionsOpened_ && dialer.m_aTasks != *tasksWhenOptionsOpened_) {
        broken("no task fires while Options is open", "the task list changed behind the dialog");
    }
}

void DialerCase::checkFiles() {
    const std::string settingsFile = settingsPath();
    if (fw::test::fileExists(settingsFile)) {
        const std::optional<CSettings> settings = load(settingsFile, ReadSettings);
        if (!settings) {
            broken("every file loads with the dialer's readers", "Ondrel.dat does not");
        } else if (std::count(settings->m_astrEntryNames.begin(), settings->m_astrEntryNames.end(),
                              "") > 0) {
            broken("every file loads with the dialer's readers",
                   "Ondrel.dat remembers an entry with no name");
        }
    }
    const std::string tasksFile = tasksPath();
    if (fw::test::fileExists(tasksFile) && !load(tasksFile, ReadTasks)) {
        broken("every file loads with the dialer's readers", "Tasks.dat does not");
    }
    const std::string entryFile = folder + "\\entry.dnx";
    if (fw::test::fileExists(entryFile) && !load(entryFile, ReadDnx)) {
        broken("every file loads with the dialer's readers", "entry.dnx does not");
    }
    for (const std::string& file :
         {settingsFile, tasksFile, entryFile,
          fw::windowsDirectory() + "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk"}) {
        if (fw::test::fileExists(file + fw::kSaveSuffix)) {
            broken("no temporary file is left", file + fw::kSaveSuffix);
        }
    }
}

void DialerCase::checkConnection() {
    const ras::Connection handle = dialer.m_hRasConn;
    for (const ras::Connection call : openCalls()) {
        if (call != handle) {
            broken("the window agrees with the service",
                   "call " + handleName(call) + " is up, and the dialer holds another");
        }
    }
    // Once the user ends the program, the window only hangs up before it goes.
    if (ending_) {
        return;
    }
    const std::string button = this->button();
    const bool lineUp = handle != nullptr && lineState(handle) == ras::kConnected;
    // A line that dropped is noticed by the next poll.
    if (button == "Disconnect" && !lineUp && !driver.timerRunning(dialer, TIMER_POLL)) {
        broken("the window agrees with the service",
               "the window shows a connection the service does not have");
    }
    // A connection whose report has not arrived yet still shows as a call under way.
    if (lineUp && button != "Disconnect" && button != "Cancel Call") {
        broken("the window agrees with the service", "call " + handleName(handle) +
                                                         " is connected, and the window shows \"" +
                                                         button + "\"");
    }
}

std::vector<ras::Connection> DialerCase::openCalls() const {
    std::vector<ras::Connection> open;
    for (const ras::Connection call : dials_) {
        if (call != nullptr && std::find(hungUp_.begin(), hungUp_.end(), call) == hungUp_.end()) {
            open.push_back(call);
        }
    }
    return open;
}

bool DialerCase::trayIconUp() {
    const std::vector<fw::test::TrayRecord>& records = driver.tray();
    for (; trayRead_ < records.size(); ++trayRead_) {
        if (records[trayRead_].op != 1) {
            trayUp_ = records[trayRead_].op == 0;
        }
    }
    return trayUp_;
}

void DialerCase::checkTray() {
    if (!trayIconUp()) {
        broken("the tray icon is there while the dialer runs", "it is not");
    }
}

void DialerCase::checkAfterExit() {
    checkFiles();
    if (trayIconUp()) {
        broken("nothing runs after Exit", "the tray icon is still there");
    }
    if (dialer.m_pSchedulerThread != nullptr) {
        broken("nothing runs after Exit", "the scheduler's worker is still there");
    }
    for (const ras::Connection call : openCalls()) {
        // An attempt under way goes on without the program; a connection only when kept.
        if (!(call == exitHandle_ && (exitDialing_ || kept_))) {
            broken("nothing runs after Exit",
                   "call " + handleName(call) + " is left up, and nobody chose to keep it");
        }
    }
    const std::size_t dials = dials_.size();
    const std::size_t boxes = driver.messageBoxes().size();
    const int modals = modalsRun_;
    const std::optional<std::string> settings = this->settings();
    const std::optional<std::string> tasks = this->tasks();
    driver.advance(kDayMs);
    if (dials_.size() != dials || driver.messageBoxes().size() != boxes || modalsRun_ != modals) {
        broken("nothing runs after Exit", "a dial, a message box or a dialog came a day later");
    }
    if (this->settings() != settings || this->tasks() != tasks) {
        broken("nothing runs after Exit", "a file changed a day later");
    }
}

}  // namespace dexp
