// Listing the phonebook's entries into a caller's buffer.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ras_fixture.h"

namespace {

constexpr ras::Dword kRecord = sizeof(ras::EntryNameRecord);

ras::Dword enumerate(std::vector<ras::EntryNameRecord>& records, ras::Dword* size,
                     ras::Dword* entries) {
    return RasEnumEntriesA(nullptr, nullptr, ras::platformRecord(records.data()), size, entries);
}

std::vector<std::string> namesIn(const std::vector<ras::EntryNameRecord>& records,
                                 ras::Dword count) {
    std::vector<std::string> names;
    for (ras::Dword i = 0; i < count; ++i) {
        EXPECT_EQ(records[i].dwSize, kRecord);
        names.push_back(ras::fieldText(records[i].szEntryName));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(SimulatedRasTest, EnumerationAsksForRoomWhenTwentyRecordsDoNotHoldAll) {
    for (std::uint32_t count : {0u, 1u, 20u, 21u, 100u}) {
        SCOPED_TRACE(count);
        fw::reg::deleteTree("RemoteAccess");
        std::vector<std::string> expected;
        for (std::uint32_t i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Entry %03u", i);
            expected.emplace_back(name);
            addEntry(name, ras::sim::Line::answers);
        }

        std::vector<ras::EntryNameRecord> records(20, ras::EntryNameRecord{});
        records[0].dwSize = kRecord;
        ras::Dword size = 20 * kRecord;
        ras::Dword entries = 999;
        const ras::Dword result = enumerate(records, &size, &entries);
        EXPECT_EQ(entries, count);
        EXPECT_EQ(size, count * kRecord);
        if (count <= 20) {
            EXPECT_EQ(result, ras::kSuccess);
            EXPECT_EQ(namesIn(records, count), expected);
            continue;
        }
        EXPECT_EQ(result, ras::kErrorBufferTooSmall);
        EXPECT_EQ(records[1].dwSize, 0u);  // nothing written

        records.assign(size / kRecord, ras::EntryNameRecord{});
        records[0].dwSize = kRecord;
        EXPECT_EQ(enumerate(records, &size, &entries), ras::kSuccess);
        EXPECT_EQ(namesIn(records, entries), expected);
    }
}

TEST_F(SimulatedRasTest, EnumerationSkipsNamesNoEntryCanHave) {
    addEntry("Work", ras::sim::Line::answers);
    addEntry(std::string(257, 'x'), ras::sim::Line::answers);
    addEntry(std::string(256, 'y'), ras::sim::Line::answers);
    // Values that no entry of this service could have written.
    addEntry("Dial\\Up", ras::sim::Line::answers);
    addEntry("Tab\tName", ras::sim::Line::answers);

    std::vector<ras::EntryNameRecord> records(3, ras::EntryNameRecord{});
    records[0].dwSize = kRecord;
    ras::Dword size = 3 * kRecord;
    ras::Dword entries = 0;
    ASSERT_EQ(enumerate(records, &size, &entries), ras::kSuccess);
    ASSERT_EQ(entries, 2u);
    EXPECT_EQ(ras::fieldText(records[0].szEntryName), "Work");
    EXPECT_EQ(ras::fieldText(records[1].szEntryName), std::string(256, 'y'));
}

}  // namespace
