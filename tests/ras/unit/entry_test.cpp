// The phonebook: the registry value that describes a simulated entry, and the listing of the
// entries into a caller's buffer (more of them than the dialer's first buffer holds: the Options
// tests).
#include "platform/ras/entry.h"

#include <string>
#include <vector>

#include "ras_fixture.h"

namespace {

using ras::sim::Entry;
using ras::sim::Line;

std::vector<unsigned char> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

Entry decode(const std::vector<unsigned char>& data) {
    return ras::sim::decodeEntry(data.data(), data.size());
}

TEST(EntryValue, LayoutAndRoundTrip) {
    const Entry entry{Line::busyFirst, 3, "555-0123", "Modem"};
    const std::vector<unsigned char> data = ras::sim::encodeEntry(entry);
    const std::string expected(
        "\x01\0\0\0\x05\0\0\0\x03\0\0\0\x08\0\0\0"
        "555-0123"
        "\x05\0\0\0"
        "Modem",
        33);
    EXPECT_EQ(data, bytes(expected));
    EXPECT_EQ(decode(data), entry);

    // Texts beyond 128 characters are cut.
    const Entry longTexts{Line::answers, 0, std::string(200, '5'), std::string(129, 'd')};
    const Entry cut{Line::answers, 0, std::string(128, '5'), std::string(128, 'd')};
    EXPECT_EQ(decode(ras::sim::encodeEntry(longTexts)), cut);
}

TEST(EntryValue, DamagedValuesReadAsTheDefaultEntry) {
    const std::string good = std::string("\x01\0\0\0\x06\0\0\0\x07\0\0\0\x01\0\0\0", 16) + "5" +
                             std::string("\x01\0\0\0", 4) + "d";
    ASSERT_EQ(decode(bytes(good)), (Entry{Line::dropsAfter, 7, "5", "d"}));
    const struct {
        const char* what;
        std::string data;
    } rows[] = {
        {"empty", ""},
        {"cut in the header", good.substr(0, 10)},
        {"cut in a text", good.substr(0, good.size() - 1)},
        {"a byte too many", good + "x"},
        {"another version", std::string("\x02", 1) + good.substr(1)},
        {"unknown line", good.substr(0, 4) + std::string("\x07", 1) + good.substr(5)},
        {"length past the end", good.substr(0, 12) + std::string("\xFF\xFF\xFF\xFF", 4)},
        {"length over 128", good.substr(0, 12) + std::string("\x81\0\0\0", 4) +
                                std::string(129, '5') + std::string("\0\0\0\0", 4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(decode(bytes(row.data)), Entry{});
    }
}

constexpr ras::Dword kRecord = sizeof(ras::EntryNameRecord);

TEST_F(SimulatedRasTest, EnumerationSkipsNamesNoEntryCanHave) {
    addEntry("Work", Line::answers);
    addEntry(std::string(257, 'x'), Line::answers);
    addEntry(std::string(256, 'y'), Line::answers);
    // Values that no entry of this service could have written.
    addEntry("Dial\\Up", Line::answers);
    addEntry("Tab\tName", Line::answers);

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
