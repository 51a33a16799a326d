// Listing the phonebook's entries into a caller's buffer (more of them than the dialer's first
// buffer holds: the Options tests).
#include <string>
#include <vector>

#include "ras_fixture.h"

namespace {

constexpr ras::Dword kRecord = sizeof(ras::EntryNameRecord);

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
    ASSERT_EQ(
        RasEnumEntriesA(nullptr, nullptr, ras::platformRecord(records.data()), &size, &entries),
        ras::kSuccess);
    ASSERT_EQ(entries, 2u);
    EXPECT_EQ(ras::fieldText(records[0].szEntryName), "Work");
    EXPECT_EQ(ras::fieldText(records[1].szEntryName), std::string(256, 'y'));
}

}  // namespace
