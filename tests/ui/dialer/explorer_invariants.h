// The dialer explorer's invariants, and the record of what happened that they read: the
// service's calls, the dialogs up, the tray as the shell holds it, and the end.
#pragma once

#include <algorithm>
#include <mutex>
#include <tuple>

#include "dialer/scheduler/task_store.h"
#include "dialer/settings/settings_store.h"
#include "dialing_fixture.h"
#include "framework/archive.h"
#include "framework/clock.h"
#include "framework/file.h"
#include "framework/save_file.h"

namespace dexp {

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
inline bool fired(const CTaskList& before, CTaskList after, std::int64_t nowMs) {
    for (const CTasks& task : before) {
        const auto same = std::find(after.begin(), after.end(), task);
        if (task.m_bDisabled == 0 && std::int64_t{task.m_timeNext} * 1000 <= nowMs) {
            if (same == after.end()) {
                return true;
            }
            after.erase(same);
        }
    }
    return false;
}

class CheckedDialer : public DialingTest {
  protected:
    static constexpr std::int64_t kRedialMs = 8000, kStartupDialMs = 4001;  // tick, then 4 s
    static constexpr const char* kAgrees = "the window agrees with the service";
    static constexpr const char* kAfterExit = "nothing runs after Exit";
    static constexpr const char* kInTray = "the window is in the tray exactly while minimised";

    // No service thread runs yet.
    CheckedDialer() {
        current = this;
        real = service;
        service.RasDialA = &dial;
        service.RasHangUpA = &hangUp;
    }
    ~CheckedDialer() override {
        std::lock_guard lock(currentLock);
        current = nullptr;
    }

    // Records the first broken invariant; the case then stops taking steps.
    void expect(bool kept, const std::string& invariant, const std::string& detail) {
        if (!kept && failure_.empty()) {
            failure_ = invariant + ": " + detail;
        }
    }

    // Before every step.
    void checkInvariants() {
        const std::optional<CSettings> settings = load(settingsPath(), ReadSettings);
        for (const auto& [file, loads] :
             {std::pair{settingsPath(), settings.has_value()},
              {tasksPath(), load(tasksPath(), ReadTasks).has_value()},
              {fw::windowsDirectory() + "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk",
               true}}) {
            expect(loads || !fw::test::fileExists(file), "every file loads", file + " does not");
            expect(!fw::test::fileExists(file + fw::kSaveSuffix), "no temporary file is left",
                   file);
        }
        expect(!settings || std::ranges::count(settings->m_astrEntryNames, "") == 0,
               "every file loads", "Ondrel.dat remembers an entry with no name");
        expect(!tasksWhenOptionsOpened_ || dialer.m_aTasks == *tasksWhenOptionsOpened_,
               "no task fires while Options is open", "the task list changed behind the dialog");
        for (const ras::Connection call : openCalls_) {
            expect(!dialer.exists() || call == dialer.m_hRasConn, kAgrees,
                   callName(call) + " is up, and the dialer holds another");
        }
        // Once the user ends the program, the icon goes first and the window only hangs up.
        if (ending_ || !dialer.exists()) {
            return;
        }
        expect(trayIconUp(), "the tray icon is there while the dialer runs", "it is not");
        expect(dialer.isVisible() != dialer.isMinimized(), kInTray,
               dialer.isVisible() ? "it shows minimised" : "it is hidden, and not minimised");
        const std::string shown = button();
        const ras::Connection handle = dialer.m_hRasConn;
        const bool lineUp = handle != nullptr && lineState(handle) == ras::kConnected;
        // A line that dropped is noticed by the next poll; a connection whose report has not
        // arrived yet still shows as a call under way.
        expect(shown != "Disconnect" || lineUp || driver.timerRunning(dialer, TIMER_POLL), kAgrees,
               "the window shows a connection the service does not have");
        expect(!lineUp || shown == "Disconnect" || shown == "Cancel Call", kAgrees,
               callName(handle) + " is connected, and the window shows \"" + shown + "\"");
    }

    // As a modal dialog opens: one of a kind, and the end's question only over a connection.
    void checkOpening(const fw::Dialog& opening) {
        const int id = opening.templateId();
        expect(id != IDD_KEEP_CONNECTION || !exitDialing_, kAfterExit,
               "the end asks whether to keep a call that is not up yet");
        expect(std::ranges::none_of(modals_, [id](auto* up) { return up->templateId() == id; }),
               "at most one dialog of a kind is open", "two of template " + std::to_string(id));
    }

    void checkAfterExit() {
        checkInvariants();
        expect(!trayIconUp(), kAfterExit, "the tray icon is still there");
        expect(dialer.m_pSchedulerThread == nullptr, kAfterExit, "the scheduler's worker is left");
        for (const ras::Connection call : openCalls_) {
            // An attempt under way goes on without the program; a connection only when kept.
            expect(call == exitHandle_ && (exitDialing_ || kept_), kAfterExit,
                   callName(call) + " is left up, and nobody chose to keep it");
        }
        expect(
            !exitDialing_ || exitHandle_ == nullptr || std::ranges::count(openCalls_, exitHandle_),
            kAfterExit, "the end hung up the attempt under way");
        // A line closing as the process ends can leave its port busy.
        for (const ras::Connection call : hungUp_) {
            ras::ConnStatus status{};
            status.dwSize = sizeof status;
            const ras::Dword known =
                service.RasGetConnectStatusA(call, ras::platformRecord(&status));
            expect(known == ras::kErrorInvalidHandle || std::ranges::count(openCalls_, call),
                   kAfterExit, callName(call) + " was hung up, and its line is still closing");
        }
        const auto before =
            std::tuple(dials_, driver.messageBoxes().size(), modalsRun_, settings(), tasks());
        driver.advance(24 * 3600 * 1000);
        expect(before == std::tuple(dials_, driver.messageBoxes().size(), modalsRun_, settings(),
                                    tasks()),
               kAfterExit, "a dial, a box, a dialog or a file's change came a day later");
    }

    // The user's Connect, Cancel Call or Disconnect: whatever failed before it, nothing redials.
    void userConnectCommand() {
        connectCommand_ = true;
        std::lock_guard lock(currentLock);
        failures_.clear();
    }

    bool trayIconUp() const {
        // The last record since the taskbar was last created that adds (0) or removes the icon.
        const std::vector<fw::test::TrayRecord>& records = driver.tray();
        for (std::size_t i = records.size(); i-- > trayFrom_;) {
            if (records[i].op != 1) {
                return records[i].op == 0;
            }
        }
        return false;
    }

    std::string failure_;
    bool running_ = false;  // the window is up and past its start-up tick
    std::int64_t startMs_ = 0;
    std::vector<fw::Dialog*> modals_;
    int modalsRun_ = 0;
    std::optional<CTaskList> tasksWhenOptionsOpened_;
    std::size_t trayFrom_ = 0;  // the shell's records from the last taskbar created on
    // What the step being run may dial for: the user's Connect, Cancel Call or Disconnect (once),
    // a task of the list as it stood when the step began or last dialed, a redial after a
    // failure since the user's last such command, the start-up dial.
    bool connectCommand_ = false;
    CTaskList stepTasks_;
    std::vector<std::int64_t> failures_;  // failure reports and refused dials, not yet redialed
    bool autoDialPending_ = false;
    int dials_ = 0;
    std::vector<ras::Connection> openCalls_;  // dialed and not hung up
    std::vector<ras::Connection> hungUp_;
    // The end: what was up when the user ended the program, and the answer to its question.
    bool ending_ = false, exitDialing_ = false, kept_ = false;
    ras::Connection exitHandle_ = nullptr;

  private:
    static std::string callName(ras::Connection handle) {
        return "call " + std::to_string(reinterpret_cast<std::uintptr_t>(handle));
    }

    // Every dial must have a cause among what happened since its step began.
    void onDial(std::int64_t atMs) {
        expect(!ending_, kAfterExit, "RasDialA after the user ended the program");
        // A dial by hand drops the start-up dial that was still to come.
        const bool startupDial = autoDialPending_ && atMs >= startMs_ + kStartupDialMs;
        autoDialPending_ = startupDial;
        if (std::exchange(connectCommand_, false)) {
            return;
        }
        // A firing dials at once, before any other can fire: the list as it stands now is what
        // the next firing of this step moves on.
        if (fired(stepTasks_, dialer.m_aTasks, atMs)) {
            stepTasks_ = dialer.m_aTasks;
            return;
        }
        if (std::exchange(autoDialPending_, false)) {
            return;
        }
        std::lock_guard lock(currentLock);
        const auto redial = std::ranges::find_if(
            failures_, [atMs](std::int64_t at) { return atMs - at >= kRedialMs - 1; });
        expect(redial != failures_.end(), "every dial has a cause",
               "RasDialA at " + std::to_string(atMs - startMs_) + " ms, with none behind it");
        if (redial != failures_.end()) {
            failures_.erase(redial);
        }
    }

    // The service's dial and hang-up, recorded for the case that runs; the lock keeps the
    // service's threads off a case that ends.
    static inline std::mutex currentLock;
    static inline CheckedDialer* current = nullptr;
    static inline ras::RemoteAccess real;
    static inline ras::DialFunc dialerNotifier = nullptr;

    static ras::Dword RASAPI_CALL dial(ras::DialExtensionsArg extensions, const char* phonebook,
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
    static ras::Dword RASAPI_CALL hangUp(ras::Connection connection) {
        const ras::Dword result = real.RasHangUpA(connection);
        if (result == ras::kSuccess) {
            std::erase(current->openCalls_, connection);
            current->hungUp_.push_back(connection);
        }
        return result;
    }
    static void RASAPI_CALL notify(unsigned message, ras::ConnState state, ras::Dword error) {
        if (std::lock_guard lock(currentLock); current != nullptr && error != ras::kSuccess) {
            current->failures_.push_back(fw::nowMs());
        }
        dialerNotifier(message, state, error);
    }
};

}  // namespace dexp
