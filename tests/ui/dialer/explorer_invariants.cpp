// The dialer explorer's invariants, and the record of the service's calls they read.
#include <algorithm>
#include <mutex>
#include <tuple>
#include <utility>

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
constexpr const char* kLoads = "every file loads with the dialer's readers";
constexpr const char* kAgrees = "the window agrees with the service";
constexpr const char* kNothingAfterExit = "nothing runs after Exit";

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

// Whether a task due by now has fired since the list was before: a firing moves its task on or
// removes it.
bool fired(const CTaskList& before, CTaskList after, std::int64_t nowMs) {
    for (const CTasks& task : before) {
        if (task.m_bDisabled != 0 || std::int64_t{task.m_timeNext} * 1000 > nowMs) {
            continue;
        }
        const auto same = std::find(after.begin(), after.end(), task);
        if (same == after.end()) {
            return true;
        }
        after.erase(same);
    }
    return false;
}

std::string callName(ras::Connection handle) {
    return "call " + std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace

void DialerCase::recordCalls() {
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
    ++current->dials_;
    if (connection != nullptr && *connection != nullptr) {
        current->openCalls_.push_back(*connection);
    }
    // Refused at once: the dialer fails it as a reported failure, and may redial.
    if (result != ras::kSuccess) {
        current->failures_.push_back(atMs);
    }
    return result;
}

ras::Dword RASAPI_CALL DialerCase::hangUp(ras::Connection connection) {
    const ras::Dword result = real.RasHangUpA(connection);
    if (result == ras::kSuccess) {
        std::erase(current->openCalls_, connection);
    }
    return result;
}

void RASAPI_CALL DialerCase::notify(unsigned message, ras::ConnState state, ras::Dword error) {
    if (std::lock_guard lock(currentLock); current != nullptr && error != ras::kSuccess) {
        current->failures_.push_back(fw::nowMs());
    }
    dialerNotifier(message, state, error);
}

void DialerCase::onDial(std::int64_t atMs) {
    // A dial by hand drops the start-up dial that was still to come.
    const bool startupDial = autoDialPending_ && atMs >= startMs_ + kStartupDialMs;
    autoDialPending_ = autoDialPending_ && atMs >= startMs_ + kStartupDialMs;
    if (std::exchange(connectCommand_, false)) {
        return;
    }
    // A firing dials at once, before any other can fire: the list as it stands now is what the
    // next firing of this step moves on.
    if (fired(stepTasks_, dialer.m_aTasks, atMs)) {
        stepTasks_ = dialer.m_aTasks;
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
    if (tasksWhenOptionsOpened_ && dialer.m_aTasks != *tasksWhenOptionsOpened_) {
        broken("no task fires while Options is open", "the task list changed behind the dialog");
    }
    checkFiles();
    if (dialer.exists()) {
        checkConnection();
    }
    // The icon goes first when the program ends.
    if (!ending_ && !trayIconUp()) {
        broken("the tray icon is there while the dialer runs", "it is not");
    }
}

void DialerCase::checkOneOfAKind(const fw::Dialog& opening) {
    // The dialer's own; the remote access service's entry editors are the platform's affair.
    const int id = opening.templateId();
    const int own[] = {IDD_ABOUTBOX, IDD_OPTIONS, IDD_KEEP_CONNECTION, IDD_TASK_PROPERTIES,
                       IDD_DISCONNECT_WARNING};
    if (std::ranges::count(own, id) > 0 &&
        std::ranges::any_of(modals_,
                            [id](const fw::Dialog* open) { return open->templateId() == id; })) {
        broken("at most one dialog of a kind is open",
               "two dialogs of template " + std::to_string(id));
    }
}

void DialerCase::checkFiles() {
    const std::string entryFile = folder + "\\entry.dnx";
    if (fw::test::fileExists(settingsPath())) {
        const std::optional<CSettings> settings = load(settingsPath(), ReadSettings);
        if (!settings) {
            broken(kLoads, "Ondrel.dat does not");
        } else if (std::ranges::count(settings->m_astrEntryNames, "") > 0) {
            broken(kLoads, "Ondrel.dat remembers an entry with no name");
        }
    }
    if (fw::test::fileExists(tasksPath()) && !load(tasksPath(), ReadTasks)) {
        broken(kLoads, "Tasks.dat does not");
    }
    if (fw::test::fileExists(entryFile) && !load(entryFile, ReadDnx)) {
        broken(kLoads, "entry.dnx does not");
    }
    for (const std::string& file :
         {settingsPath(), tasksPath(), entryFile,
          fw::windowsDirectory() + "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk"}) {
        if (fw::test::fileExists(file + fw::kSaveSuffix)) {
            broken("no temporary file is left", file + fw::kSaveSuffix);
        }
    }
}

void DialerCase::checkConnection() {
    const ras::Connection handle = dialer.m_hRasConn;
    for (const ras::Connection call : openCalls_) {
        if (call != handle) {
            broken(kAgrees, callName(call) + " is up, and the dialer holds another");
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
        broken(kAgrees, "the window shows a connection the service does not have");
    }
    // A connection whose report has not arrived yet still shows as a call under way.
    if (lineUp && button != "Disconnect" && button != "Cancel Call") {
        broken(kAgrees,
               callName(handle) + " is connected, and the window shows \"" + button + "\"");
    }
}

bool DialerCase::trayIconUp() const {
    const std::vector<fw::test::TrayRecord>& records = driver.tray();
    // The last record that adds or removes the icon (1 only changes it).
    for (std::size_t i = records.size(); i-- > trayFrom_;) {
        if (records[i].op != 1) {
            return records[i].op == 0;
        }
    }
    return false;
}

void DialerCase::checkAfterExit() {
    checkFiles();
    if (trayIconUp()) {
        broken(kNothingAfterExit, "the tray icon is still there");
    }
    if (dialer.m_pSchedulerThread != nullptr) {
        broken(kNothingAfterExit, "the scheduler's worker is still there");
    }
    for (const ras::Connection call : openCalls_) {
        // An attempt under way goes on without the program; a connection only when kept.
        if (!(call == exitHandle_ && (exitDialing_ || kept_))) {
            broken(kNothingAfterExit, callName(call) + " is left up, and nobody chose to keep it");
        }
    }
    const auto before =
        std::tuple(dials_, driver.messageBoxes().size(), modalsRun_, settings(), tasks());
    driver.advance(kDayMs);
    if (std::tuple(dials_, driver.messageBoxes().size(), modalsRun_, settings(), tasks()) !=
        before) {
        broken(kNothingAfterExit,
               "a dial, a message box, a dialog or a file change came a day later");
    }
}

}  // namespace dexp
