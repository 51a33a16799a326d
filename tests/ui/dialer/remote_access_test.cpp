// The dialer and the remote access service: a computer without it, the poll of a connection's
// state, and hang-ups as the platform wants them (a handle hung up once, its line closed before the
// port is dialed again).
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "dialing_fixture.h"
#include "framework/clock.h"
#include "settings_bytes.h"

namespace {

using ras::Dword;
using ras::sim::Line;

constexpr const char* kMissingText =
    "Ondrel dials through the Remote Access Service (rasapi32.dll), which is not installed on this "
    "computer or is incomplete.\nInstall Dial-Up Networking, then start Ondrel again.";
constexpr const char* kMissingCaption = "Error: No Remote Access Service";

// A service that has every function but can do nothing with them, as Wine's own.
Dword RASAPI_CALL stubDial(ras::DialExtensionsArg, const char*, ras::DialParamsArg, Dword, void*,
                           ras::Connection*) {
    return ras::kErrorInvalidFunction;
}
Dword RASAPI_CALL stubEdit(ras::WindowHandle, const char*, const char*) {
    return ras::kErrorCallNotImplemented;
}
Dword RASAPI_CALL stubCreate(ras::WindowHandle, const char*) {
    return ras::kErrorCallNotImplemented;
}

TEST_F(DialingTest, WithoutTheServiceTheDialerStartsAndEachCommandSaysSo) {
    std::map<std::string, fw::Proc> lacking = ras::sim::exports();
    lacking.erase("RasDialA");
    std::map<std::string, fw::Proc> stub = ras::sim::exports();
    stub["RasDialA"] = reinterpret_cast<fw::Proc>(&stubDial);
    stub["RasEditPhonebookEntryA"] = reinterpret_cast<fw::Proc>(&stubEdit);
    stub["RasCreatePhonebookEntryA"] = reinterpret_cast<fw::Proc>(&stubCreate);
    const struct {
        const char* what;
        std::map<std::string, fw::Proc> functions;
        int listed;
    } rows[] = {{"no functions", {}, 0}, {"no RasDialA", lacking, 0}, {"a stub", stub, 1}};
    addEntry("Work");
    const std::string remembered = settingsFile({.keepDialing = 1}, 1, 0, {{"Work", "", ""}});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        driver.clearRecords();
        writeSettings(remembered);
        driver.installLibrary("rasapi32.dll", row.functions);
        const ras::RemoteAccess loaded = ras::LoadRemoteAccess();
        EXPECT_EQ(loaded.available(), row.listed > 0);
        CDialerDlg window(loaded);
        ASSERT_TRUE(driver.open(window));
        driver.advance(1);
        EXPECT_TRUE(driver.messageBoxes().empty());
        EXPECT_EQ(window.item(IDC_ENTRY_NAME).text(), "Work");

        const std::string missing =
            shownBox(kMissingText, kMissingCaption, fw::mb::kOk | fw::mb::kIconExclamation);
        for (const int command : {fw::kIdOk, IDC_PROPERTIES}) {
            driver.clearRecords();
            driver.click(window, command);
            EXPECT_EQ(boxes(), std::vector{missing}) << command;
            EXPECT_EQ(driver.messageBoxes().at(0).owner, window.handle());
        }
        // Nothing dials, now or later.
        EXPECT_EQ(window.item(fw::kIdOk).text(), "&Connect");
        EXPECT_TRUE(window.item(IDC_USER_ID).isEnabled());
        driver.advance(20'000);
        EXPECT_EQ(window.item(IDC_STATUS).text(), "Disconnected");
        EXPECT_FALSE(driver.timerRunning(window, 3));

        driver.onModal(IDD_OPTIONS, [&](fw::test::Driver& d, fw::Dialog& options) {
            EXPECT_EQ(fw::ComboBox(options, IDC_ENTRY_LIST).count(), row.listed);
            d.clearRecords();
            d.click(options, IDC_NEW_CONNECTION);
            EXPECT_EQ(boxes(), std::vector{missing});
            EXPECT_EQ(d.messageBoxes().at(0).owner, options.handle());
            d.click(options, fw::kIdCancel);
        });
        driver.click(window, IDC_OPTIONS);
        driver.clearRecords();
        driver.click(window, IDC_ERROR_DETAILS);
        EXPECT_EQ(boxes(),
                  std::vector{shownBox("No errors to report.", "Error Details", fw::mb::kOk)});
        driver.click(window, fw::kIdCancel);
        EXPECT_EQ(settings(), remembered);
    }
}

// The service's functions with every dial, hang-up and status query recorded.
struct Recorded {
    struct Call {
        std::string what;  // "dial", "hang up" or "status", and the result
        std::int64_t atMs;
        ras::Connection handle;
    };
    static inline std::vector<Call> calls;
    static inline ras::RemoteAccess real;
    // A status query that never finds the handle gone, as a platform that keeps it might.
    static inline bool neverGone = false;
    // The result, state and error a query of a handle the service knows answers, if set.
    static inline std::optional<std::tuple<Dword, std::uint32_t, std::uint32_t>> answer;

    static void wrap(ras::RemoteAccess& service) {
        calls.clear();
        real = service;
        neverGone = false;
        answer.reset();
        service.RasDialA = &dial;
        service.RasHangUpA = &hangUp;
        service.RasGetConnectStatusA = &status;
    }
    static Dword record(const char* what, ras::Connection handle, Dword result) {
        calls.push_back({what + (" " + std::to_string(result)), fw::nowMs(), handle});
        return result;
    }
    static Dword RASAPI_CALL dial(ras::DialExtensionsArg extensions, const char* phonebook,
                                  ras::DialParamsArg params, Dword type, void* notifier,
                                  ras::Connection* connection) {
        const Dword result =
            real.RasDialA(extensions, phonebook, params, type, notifier, connection);
        return record("dial", *connection, result);
    }
    static Dword RASAPI_CALL hangUp(ras::Connection connection) {
        return record("hang up", connection, real.RasHangUpA(connection));
    }
    static Dword RASAPI_CALL status(ras::Connection connection, ras::ConnStatusArg fields) {
        Dword result = real.RasGetConnectStatusA(connection, fields);
        auto* status = reinterpret_cast<ras::ConnStatus*>(fields);
        if (result == ras::kSuccess && answer) {
            std::tie(result, status->rasconnstate, status->dwError) = *answer;
        } else if (neverGone && result == ras::kErrorInvalidHandle) {
            result = ras::kSuccess;
            status->rasconnstate = ras::kDisconnected;
        }
        return record("status", connection, result);
    }

    // The calls that name this handle.
    static std::vector<std::string> of(ras::Connection handle) {
        std::vector<std::string> named;
        for (const Call& call : calls) {
            if (call.handle == handle) {
                named.push_back(call.what);
            }
        }
        return named;
    }
};

TEST_F(DialingTest, ThePollHangsUpOnTheDisconnectedStateAnErrorOrAFailedQueryAndNeverRedials) {
    addEntry("Work");
    Recorded::wrap(service);
    openOn("Work");
    dialer.m_settings.m_bKeepDialing = 1;
    const struct {
        std::tuple<Dword, std::uint32_t, std::uint32_t> answer;  // result, state, error
        std::uint32_t lastError;  // 676, an earlier busy line's, where the line was not lost
    } rows[] = {
        {{ras::kSuccess, ras::kConnected, ras::kSuccess}, ras::kErrorLineBusy},
        {{ras::kSuccess, ras::kDisconnected, ras::kSuccess}, ras::kSuccess},
        {{ras::kSuccess, ras::kDisconnected, ras::kErrorDisconnection}, ras::kErrorDisconnection},
        {{ras::kSuccess, ras::kConnected, ras::kErrorNoAnswer}, ras::kErrorNoAnswer},
        {{ras::kErrorInvalidHandle, ras::kConnected, ras::kSuccess}, ras::kErrorInvalidHandle},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "result " << std::get<0>(row.answer) << ", state "
                     << std::get<1>(row.answer) << ", error " << std::get<2>(row.answer));
        restore();
        clickConnect();
        driver.advance(kConnectMs);
        ASSERT_TRUE(dialer.m_bConnected);
        dialer.m_dwLastError = ras::kErrorLineBusy;
        Recorded::answer = row.answer;
        driver.advance(7500);
        EXPECT_EQ(dialer.m_dwLastError, row.lastError);
        Recorded::answer.reset();
        if (row.lastError == ras::kErrorLineBusy) {
            expectLook(Look::connected, "Ondrel v1.3 (Connected to Work)", "Connected");
            trayCommand(ID_TRAY_DISCONNECT);
            continue;
        }
        // Nothing redials a line that was lost.
        driver.advance(20'000);
        expectLook(Look::idle, kIdleTitle, "Disconnected");
        EXPECT_EQ(trayIcon(), 136);  // the idle frame
    }
}

TEST_F(DialingTest, ARefusedDialHangsUpItsHandleOnceAndTheRedialWaitsForItToGo) {
    addEntry("Work");
    Recorded::wrap(service);
    openOn("Gone");  // not in the phonebook: refused at once
    dialer.m_settings.m_bKeepDialing = 1;
    clickConnect();
    const ras::Connection refused = Recorded::calls.at(0).handle;
    EXPECT_EQ(Recorded::of(refused), (std::vector<std::string>{"dial 623", "hang up 0"}));
    EXPECT_EQ(dialer.m_hRasConn, nullptr);
    EXPECT_EQ(status(), kRetryStatus);
    driver.advance(8000);
    EXPECT_EQ(Recorded::of(refused),
              (std::vector<std::string>{"dial 623", "hang up 0", "status 6"}));
    // Then it redials, and is refused again.
    EXPECT_EQ(Recorded::calls.back().what, "hang up 0");
    EXPECT_NE(Recorded::calls.back().handle, refused);
    EXPECT_EQ(status(), kRetryStatus);
}

TEST_F(DialingTest, ADialAfterAHangUpWaitsUntilTheLineHasClosedOrThreeSecondsHavePassed) {
    addEntry("Work");
    Recorded::wrap(service);
    openOn("Work");
    clickConnect();
    for (const bool neverGone : {false, true}) {
        SCOPED_TRACE(neverGone ? "a handle never gone" : "a line that closes");
        driver.advance(kConnectMs);
        const ras::Connection first = dialer.m_hRasConn;
        restore();
        Recorded::neverGone = neverGone;
        clickConnect();  // Disconnect
        EXPECT_EQ(dialer.m_hRasConn, nullptr);
        const Recorded::Call hungUp = Recorded::calls.back();
        clickConnect();  // Connect, at once
        const Recorded::Call dialed = Recorded::calls.back();
        EXPECT_EQ(hungUp.what + ", " + dialed.what, "hang up 0, dial 0");
        const std::int64_t wait = neverGone ? 3000 : ras::sim::kLineCloseMs;
        EXPECT_GE(dialed.atMs - hungUp.atMs, wait);
        EXPECT_LT(dialed.atMs - hungUp.atMs, wait + 100);
        // Hung up once, then only asked whether it is gone.
        const std::vector<std::string> calls = Recorded::of(first);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "hang up 0"), 1);
        EXPECT_EQ(calls.back(), neverGone ? "status 0" : "status 6");
    }
}

}  // namespace
