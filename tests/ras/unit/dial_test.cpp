// Dialing the simulated lines on the virtual clock: the dial parameters the dialer hands the
// service, the reports, the status, hang-ups at any stage.
#include <algorithm>
#include <string>
#include <vector>

#include "ras_fixture.h"

namespace {

using ras::sim::Line;

// Open port, port opened, connect device, device connected, all devices connected,
// authenticate, authenticated, connected.
const std::vector<DialReport> kAnswered = {{0, 0}, {1, 0}, {2, 0},  {3, 0},
                                           {4, 0}, {5, 0}, {14, 0}, {0x2000, 0}};

// The answering line's first reports, then the one that ends the dial.
std::vector<DialReport> failing(std::size_t reportsBefore, DialReport last) {
    std::vector<DialReport> reports(kAnswered.begin(), kAnswered.begin() + reportsBefore);
    reports.push_back(last);
    return reports;
}

TEST_F(SimulatedRasTest, EachLineReportsItsStatesAndError) {
    const struct {
        Line line;
        std::vector<DialReport> reports;
    } rows[] = {
        {Line::answers, kAnswered},
        {Line::busy, failing(3, {2, 676})},
        {Line::noAnswer, failing(3, {2, 678})},
        {Line::noDialTone, failing(3, {2, 680})},
        {Line::rejectsLogin, failing(6, {5, 691})},
    };
    for (const auto& row : rows) {
        const std::string name = "Line " + std::to_string(static_cast<int>(row.line));
        SCOPED_TRACE(name);
        addEntry(name, row.line, 5);
        ras::Connection handle = dial(name);
        driver.advance(60'000);
        EXPECT_EQ(DialReports::take(), row.reports);
        // Once the line has done all it does, the status is its last report.
        EXPECT_EQ(status(handle), row.reports.back());
        hangUp(handle);
    }
}

TEST_F(SimulatedRasTest, StatusNamesTheEntrysDevice) {
    addEntry("Work", Line::answers, 0, "ISDN Terminal Adapter (64K)");
    ras::ConnStatus record{};
    record.dwSize = sizeof record;
    ASSERT_EQ(RasGetConnectStatusA(connect("Work"), ras::platformRecord(&record)), ras::kSuccess);
    EXPECT_STREQ(record.szDeviceType, "isdn");
    EXPECT_STREQ(record.szDeviceName, "ISDN Terminal Adapter (64K)");
}

TEST_F(SimulatedRasTest, LineThatDropsShowsItOnlyInTheStatus) {
    addEntry("Flaky", Line::dropsAfter, 10);
    ras::Connection handle = connect("Flaky");
    EXPECT_EQ(DialReports::take(), kAnswered);
    driver.advance(9'600);  // 13.6 s after the dial: connected for 9.9 s
    EXPECT_EQ(status(handle), (DialReport{0x2000, 0}));
    driver.advance(200);
    EXPECT_EQ(status(handle), (DialReport{0x2001, 628}));
    EXPECT_TRUE(DialReports::take().empty());
}

TEST_F(SimulatedRasTest, HangUpAtAnyStageEndsTheReports) {
    const struct {
        Line line;
        std::int64_t hangUpAtMs;
        std::size_t reportsBefore;
    } rows[] = {
        {Line::answers, 0, 0},       {Line::answers, 150, 1},       {Line::answers, 350, 2},
        {Line::answers, 1000, 3},    {Line::answers, 2250, 4},      {Line::answers, 2400, 5},
        {Line::answers, 3000, 6},    {Line::answers, 3600, 7},      {Line::busy, 2000, 3},
        {Line::noAnswer, 10'000, 3}, {Line::rejectsLogin, 3000, 6}, {Line::dropsAfter, 4000, 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("line " + std::to_string(static_cast<int>(row.line)) + " hung up at " +
                     std::to_string(row.hangUpAtMs));
        addEntry("Line", row.line, 1);
        ras::Connection handle = dial("Line");
        driver.advance(row.hangUpAtMs);
        EXPECT_EQ(DialReports::take().size(), row.reportsBefore);
        EXPECT_EQ(RasHangUpA(handle), ras::kSuccess);
        driver.advance(60'000);
        EXPECT_TRUE(DialReports::take().empty());
        EXPECT_EQ(status(handle), kGone);
    }
}

TEST_F(SimulatedRasTest, BusyForTheFirstAttemptsCountsEachEntry) {
    addEntry("Twice", Line::busyFirst, 2);
    addEntry("Once", Line::busyFirst, 1);
    const struct {
        const char* name;
        DialReport last;
    } rows[] = {
        {"Twice", {2, 676}},   {"Once", {2, 676}},     {"Twice", {2, 676}},
        {"Once", {0x2000, 0}}, {"Twice", {0x2000, 0}}, {"Twice", {0x2000, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ras::Connection handle = dial(row.name);
        driver.advance(10'000);
        EXPECT_EQ(DialReports::take().back(), row.last);
        hangUp(handle);
    }
}

TEST_F(SimulatedRasTest, DamagedEntryDialsAsAnAnsweringLine) {
    fw::reg::Key key;
    ASSERT_EQ(key.create(ras::sim::kAddressesKey), fw::reg::kSuccess);
    ASSERT_EQ(key.set("Damaged", fw::reg::kBinary, "\x01\x00", 2), fw::reg::kSuccess);
    RasHangUpA(connect("Damaged"));
    EXPECT_EQ(DialReports::take(), kAnswered);
}

TEST(DialParams, NamesAndSecretsAreCutAt256Characters) {
    for (std::size_t length : {0u, 1u, 255u, 256u, 257u, 400u}) {
        SCOPED_TRACE(length);
        const std::string entry(length, 'e');
        const std::string user(length, 'u');
        const std::string password(length, 'p');
        const ras::DialParams params = ras::makeDialParams(entry, user, password);
        const std::size_t kept = std::min<std::size_t>(length, 256);
        EXPECT_EQ(params.dwSize, 1052u);
        EXPECT_EQ(ras::fieldText(params.szEntryName), entry.substr(0, kept));
        EXPECT_EQ(ras::fieldText(params.szUserName), user.substr(0, kept));
        EXPECT_EQ(ras::fieldText(params.szPassword), password.substr(0, kept));
        EXPECT_EQ(params.szEntryName[256], '\0');
        EXPECT_EQ(params.szPassword[256], '\0');
        EXPECT_STREQ(params.szPhoneNumber, "");
        EXPECT_STREQ(params.szCallbackNumber, "");
        EXPECT_STREQ(params.szDomain, "");
    }
}

}  // namespace
