// Dials, status queries and hang-ups from two threads at once while the clock runs. Also built
// with ThreadSanitizer (ONDREL_TSAN).
#include <atomic>
#include <thread>

#include "ras_fixture.h"

namespace {

TEST_F(SimulatedRasTest, DialsAndHangUpsFromTwoThreadsAtOnce) {
    addEntry("Answers", ras::sim::Line::answers);
    addEntry("Busy", ras::sim::Line::busy);
    addEntry("Drops", ras::sim::Line::dropsAfter, 0);
    const char* const names[] = {"Answers", "Busy", "Drops", "Missing"};

    // Each thread puts its new connection here and hangs up the one it takes out, so that a
    // connection is often hung up by the thread that did not dial it.
    std::atomic<ras::Connection> shared{nullptr};
    std::atomic<int> unexpected{0};
    std::atomic<int> running{2};
    auto work = [&](int first) {
        for (int i = 0; i < 400; ++i) {
            const int which = (first + i) % 4;
            ras::Connection handle = nullptr;
            const ras::Dword result = dialEntry(names[which], &handle);
            unexpected += result != (which == 3 ? ras::kErrorCannotFindEntry : ras::kSuccess);
            ras::Connection other = shared.exchange(handle);
            const DialReport query = status(handle);
            unexpected += query.state == ~0u && query.error != ras::kErrorInvalidHandle;
            if (other != nullptr) {
                unexpected += RasHangUpA(other) != ras::kSuccess;
            }
        }
        --running;
    };
    std::thread a(work, 0);
    std::thread b(work, 1);
    while (running > 0) {
        driver.advance(97);
    }
    a.join();
    b.join();
    EXPECT_EQ(RasHangUpA(shared.load()), ras::kSuccess);
    EXPECT_EQ(unexpected, 0);

    DialReports::take();
    driver.advance(60'000);
    EXPECT_TRUE(DialReports::take().empty());
}

}  // namespace
