// What the simulated service enforces of its callers, as the platform documents it, so that a
// misuse by the dialer fails here as it would on Windows. Each row names the rule, the dialer's
// call it guards and where the platform documents it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "framework/inspect.h"
#include "ras_fixture.h"

namespace {

using ras::Dword;
using ras::sim::Line;

constexpr DialReport kAnsweredLast{0x2000, 0};
// A notifier that, on a line's first report, calls back into the service as the platform allows
// it to, and holds the report until released.
struct CallingNotifier {
    static inline std::mutex mutex;
    static inline std::condition_variable changed;
    static inline bool inReport = false;
    static inline bool release = false;
    static inline std::thread::id reportThread;
    static inline DialReport statusRead = kGone;
    static inline Dword dialResult = ~0u;
    static inline ras::Connection handle = nullptr;  // hung up inside when set

    static void RASAPI_CALL notify(unsigned /*message*/, ras::ConnState /*state*/,
                                   Dword /*error*/) {
        std::unique_lock lock(mutex);
        if (inReport || release) {
            return;
        }
        inReport = true;
        reportThread = std::this_thread::get_id();
        statusRead = status(handle);
        ras::Connection other = nullptr;
        dialResult = dialEntry("Other", &other);
        changed.notify_all();
        changed.wait(lock, [] { return release; });
    }
};

TEST_F(SimulatedRasTest, TheServiceHoldsItsCallersToThePlatformsRules) {
    struct Rule {
        const char* rule;
        const char* guards;  // the dialer's call
        const char* documented;
        std::function<void()> check;
    };
    const std::vector<Rule> rules = {
        {"a record's dwSize is one of the sizes of its platform forms, else 632",
         "every call with a record",
         "RasEnumEntries, RasDial, RasGetConnectStatus: ERROR_INVALID_SIZE",
         [this] {
             addEntry("Work", Line::answers);
             const ras::DialParams params = ras::makeDialParams("Work", "", "");
             const ras::Connection dialed = dial("Work");
             enum Record { entryName, dialParams, status };
             // Calls the function that takes the record with a buffer that has room for any of
             // them and claims a dwSize of size.
             const auto call = [&](Record record, Dword size) {
                 std::vector<unsigned char> buffer(4 * 532);
                 std::memcpy(buffer.data(), &params, sizeof params);
                 std::memcpy(buffer.data(), &size, sizeof size);
                 const auto as = [&]<typename Arg>(Arg) {
                     return reinterpret_cast<Arg>(buffer.data());
                 };
                 Dword bytes = static_cast<Dword>(buffer.size());
                 Dword entries = 0;
                 ras::Connection handle = nullptr;
                 const Dword result =
                     record == entryName
                         ? RasEnumEntriesA(nullptr, nullptr, as(ras::EntryNameArg{}), &bytes,
                                           &entries)
                     : record == dialParams
                         ? RasDialA(nullptr, nullptr, as(ras::DialParamsArg{}), 0,
                                    reinterpret_cast<void*>(&DialReports::notify), &handle)
                         : RasGetConnectStatusA(dialed, as(ras::ConnStatusArg{}));
                 if (handle != nullptr) {
                     hangUp(handle);
                 }
                 return result;
             };
             const bool wide = sizeof(void*) == 8;
             const struct {
                 Record record;
                 std::vector<Dword> accepted;
                 std::vector<Dword> refused;
             } forms[] = {
                 {entryName, {264, 532}, {263, 268, 1180}},
                 {dialParams, {1052, wide ? 1064u : 1060u, wide ? 1072u : 1064u}, {1056, 1051}},
                 {status, {160, 288, 332}, {158, 172}},
             };
             for (const auto& [record, accepted, refused] : forms) {
                 for (const Dword size : accepted) {
                     EXPECT_EQ(call(record, size), ras::kSuccess) << record << " of " << size;
                 }
                 for (const Dword size : refused) {
                     EXPECT_EQ(call(record, size), 632u) << record << " of " << size;
                 }
             }
             RasHangUpA(dialed);
         }},
        {"a buffer too small gives 603 with the bytes and the count needed, and nothing written",
         "RasEnumEntriesA (the entry lists)", "RasEnumEntries: ERROR_BUFFER_TOO_SMALL, lpcb",
         [this] {
             for (const char* name : {"A", "B", "C"}) {
                 addEntry(name, Line::answers);
             }
             for (const Dword room : {Dword{100}, Dword{2 * 264}}) {
                 std::vector<ras::EntryNameRecord> records(3);
                 std::memset(records.data(), 0xAB, 3 * sizeof(ras::EntryNameRecord));
                 records[0].dwSize = 264;
                 const std::vector<ras::EntryNameRecord> before = records;
                 Dword bytes = room;
                 Dword entries = 0;
                 EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, ras::platformRecord(records.data()),
                                           &bytes, &entries),
                           ras::kErrorBufferTooSmall);
                 EXPECT_EQ(bytes, 3u * 264u);
                 EXPECT_EQ(entries, 3u);
                 EXPECT_EQ(std::memcmp(records.data(), before.data(), 3 * 264), 0);
             }
         }},
        {"a dial refused at once stores a handle, which must be hung up",
         "RasDialA, then RasHangUpA of the refused handle", "RasDial: return value; Disconnecting",
         [this] {
             ras::Connection refused = dial("Nowhere", ras::kErrorCannotFindEntry);
             ASSERT_NE(refused, nullptr);
             EXPECT_EQ(status(refused), (DialReport{0x2001, 623}));
             EXPECT_EQ(RasHangUpA(refused), ras::kSuccess);
             EXPECT_EQ(status(refused), kGone);
             driver.advance(60'000);
             EXPECT_TRUE(DialReports::take().empty());
         }},
        {"the notifier runs on the service's thread, holding no lock: it may query and hang up, "
         "not dial",
         "RasDialNotifier", "RasDialFunc: remarks",
         [this] {
             addEntry("Work", Line::answers);
             CallingNotifier::release = false;
             CallingNotifier::inReport = false;
             ras::Connection handle = dial("Work", ras::kSuccess, &CallingNotifier::notify);
             CallingNotifier::handle = handle;
             // The report blocks the clock's step: advance on a thread of its own.
             std::thread clock([this] { driver.advance(200); });
             {
                 std::unique_lock lock(CallingNotifier::mutex);
                 CallingNotifier::changed.wait(lock, [] { return CallingNotifier::inReport; });
             }
             EXPECT_NE(CallingNotifier::reportThread, std::this_thread::get_id());
             EXPECT_NE(CallingNotifier::statusRead.state, ~0u);
             EXPECT_EQ(CallingNotifier::dialResult, 616u);
             // A hang-up from elsewhere returns only once the report under way has ended.
             std::atomic<bool> released{false};
             std::atomic<bool> releasedBeforeReturn{false};
             std::thread hangUp([&] {
                 EXPECT_EQ(RasHangUpA(handle), ras::kSuccess);
                 releasedBeforeReturn = released.load();
             });
             std::this_thread::sleep_for(std::chrono::milliseconds(50));
             {
                 std::lock_guard lock(CallingNotifier::mutex);
                 released = true;
                 CallingNotifier::release = true;
             }
             CallingNotifier::changed.notify_all();
             hangUp.join();
             clock.join();
             EXPECT_TRUE(releasedBeforeReturn);
             driver.advance(10'000);
             EXPECT_TRUE(DialReports::take().empty());
         }},
        {"a hung-up line is disconnected while it closes, then its handle is gone; hanging up "
         "again gives 6",
         "WaitForLineClosed, HangUpConnection", "RasHangUp: remarks",
         [this] {
             addEntry("Work", Line::answers);
             ras::Connection handle = connect("Work");
             EXPECT_EQ(RasHangUpA(handle), ras::kSuccess);
             EXPECT_EQ(status(handle).state, 0x2001u);
             EXPECT_EQ(RasHangUpA(handle), ras::kErrorInvalidHandle);
             driver.advance(ras::sim::kLineCloseMs - 1);
             EXPECT_EQ(status(handle).state, 0x2001u);
             driver.advance(1);
             EXPECT_EQ(status(handle), kGone);
             EXPECT_EQ(RasHangUpA(handle), ras::kErrorInvalidHandle);
         }},
        {"a dial on a port still closing fails with 633, also after the process that hung up "
         "ended",
         "RasDialA after a hang-up, in this process or the next", "RasHangUp: remarks",
         [this] {
             addEntry("Work", Line::answers);
             addEntry("Home", Line::answers);
             addEntry("ISDN", Line::answers, 0, "ISDN Terminal Adapter (64K)");
             RasHangUpA(connect("Work"));
             // The same modem, by another entry: its port is still closing.
             ras::Connection second = dial("Home");
             ras::Connection isdn = dial("ISDN");
             driver.advance(4000);
             EXPECT_EQ(status(second), (DialReport{0, 633}));
             EXPECT_EQ(status(isdn), kAnsweredLast);
             RasHangUpA(second);
             hangUp(isdn);

             // A process ends 100 ms after its hang-up; the next one finds the port busy.
             auto ending = std::make_unique<ras::sim::Service>();
             ras::sim::installService(ending.get());
             RasHangUpA(connect("Home"));
             driver.advance(100);
             ending.reset();
             ras::sim::installService(&simulated.service);
             for (const auto& [after, report] : std::vector<std::pair<std::int64_t, DialReport>>{
                      {1000, {0, 633}}, {ras::sim::kLeftPortBusyMs, kAnsweredLast}}) {
                 driver.advance(after);
                 ras::Connection handle = connect("Home");
                 EXPECT_EQ(status(handle), report) << after;
                 RasHangUpA(handle);
             }
         }},
        {"an error text for every code the service reports, without its number; 87 for a code the "
         "service does not know, 122 for a buffer too small, nothing written either way",
         "RasGetErrorStringA (Error Details)", "RasGetErrorString: return value, remarks",
         [] {
             const std::string busy = "The line is busy.";
             const auto fits = static_cast<Dword>(busy.size() + 1);
             const struct {
                 unsigned code;
                 Dword room;
                 Dword result;
             } calls[] = {
                 {9999, 256, 87}, {0, 256, 87}, {676, fits - 1, 122}, {676, 0, 122}, {676, fits, 0},
             };
             for (const auto& call : calls) {
                 char text[256];
                 std::memset(text, 'x', sizeof text);
                 EXPECT_EQ(RasGetErrorStringA(call.code, text, call.room), call.result)
                     << call.code << " into " << call.room;
                 EXPECT_EQ(std::string(text, busy.size() + 1),
                           call.result == 0 ? busy + '\0' : std::string(busy.size() + 1, 'x'));
             }
             for (const unsigned code : {6, 87, 603, 623, 624, 628, 632, 676, 678, 680, 691}) {
                 char text[256] = {};
                 EXPECT_EQ(RasGetErrorStringA(code, text, sizeof text), ras::kSuccess) << code;
                 EXPECT_GT(std::strlen(text), 10u) << code;
                 EXPECT_EQ(std::string(text).find(std::to_string(code)), std::string::npos) << code;
             }
         }},
        {"editing an entry that does not exist gives 623 and shows nothing",
         "RasEditPhonebookEntryA (Properties)", "RasEditPhonebookEntry: return value",
         [this] {
             EXPECT_EQ(RasEditPhonebookEntryA(nullptr, nullptr, "Nowhere"),
                       ras::kErrorCannotFindEntry);
             EXPECT_TRUE(driver.messageBoxes().empty());
         }},
    };
    for (const Rule& rule : rules) {
        SCOPED_TRACE(rule.rule);
        fw::test::deleteTree("RemoteAccess");
        rule.check();
        driver.advance(60'000);
        DialReports::take();
    }
}

}  // namespace
