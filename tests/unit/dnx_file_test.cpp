#include "dialer/options/dnx_file.h"

#include <optional>
#include <string>

#include "framework/archive.h"
#include "framework/file.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;
using fw::FileError;

std::string u32(std::uint32_t value) {
    return bytes({static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                  static_cast<int>(value >> 16 & 0xFF), static_cast<int>(value >> 24)});
}
const std::string kAbsent = u32(0);
std::string record(std::uint32_t type, const std::string& data) {
    return u32(1) + u32(static_cast<std::uint32_t>(data.size())) + u32(type) + data;
}
RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

class DnxFileTest : public SandboxTest {
  protected:
    std::string storeEntry(const DnxEntry& entry) {
        return store([&entry](Archive& ar) { WriteDnx(ar, entry); });
    }
    std::optional<DnxEntry> loadEntry(const std::string& data) { return load(data, ReadDnx); }
};

void expectSameEntry(const std::optional<DnxEntry>& read, const DnxEntry& expected) {
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->name, expected.name);
    EXPECT_EQ(read->values, expected.values);
}

// Golden files written out by hand from the format: magic, archived name, seven records.
TEST_F(DnxFileTest, GoldenFilesBothWays) {
    DnxEntry full{"Office Line", {}};
    full.values[0] = value(3, bytes({0x01, 0x00, 0xFF, 0x7F}));   // Addresses, binary
    full.values[1] = value(3, bytes({10, 0, 0, 1, 0, 0, 0, 0}));  // IP, binary
    full.values[2] = value(4, bytes({0x01, 0x00, 0x00, 0x00}));   // Mode, 32-bit number
    full.values[4] = value(1, bytes({0x00}));                     // PPPScript, empty string
    full.values[6] = value(1, std::string("bob\0", 4));           // User, string
    const std::string fullBytes =
        "DNX1" + bytes({11}) + "Office Line" +
        bytes({1, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 0x01, 0x00, 0xFF, 0x7F}) +
        bytes({1, 0, 0, 0, 8, 0, 0, 0, 3, 0, 0, 0, 10, 0, 0, 1, 0, 0, 0, 0}) +
        bytes({1, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0}) + bytes({0, 0, 0, 0}) +
        bytes({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}) + bytes({0, 0, 0, 0}) +
        bytes({1, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 'b', 'o', 'b', 0});
    const std::string sevenAbsent(28, '\0');
    const struct {
        const char* what;
        DnxEntry entry;
        std::string golden;
    } rows[] = {
        {"abc, no values", {"abc", {}}, "DNX1" + bytes({0x03}) + "abc" + sevenAbsent},
        {"full entry", full, fullBytes},
        {"254 characters",
         {std::string(254, 'n'), {}},
         "DNX1" + bytes({0xFE}) + std::string(254, 'n') + sevenAbsent},
        {"255 characters",
         {std::string(255, 'n'), {}},
         "DNX1" + bytes({0xFF, 0xFF, 0x00}) + std::string(255, 'n') + sevenAbsent},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(storeEntry(row.entry), row.golden);
        expectSameEntry(loadEntry(row.golden), row.entry);
    }
    EXPECT_EQ(storeEntry(rows[0].entry).size(), 36u);
}

TEST_F(DnxFileTest, ReaderAcceptsTheEdgesOfWhatItAllows) {
    const std::string name256(256, 'x');
    DnxEntry largest{name256, {}};
    largest.values[3] = value(3, std::string(999, 'z'));
    DnxEntry anyFlag{"Flagged", {}};
    anyFlag.values[6] = value(1, std::string("u\0", 2));
    const struct {
        const char* what;
        std::string data;
        DnxEntry expected;
    } rows[] = {
        {"256-character name, 999-byte record",
         "DNX1" + bytes({0xFF, 0x00, 0x01}) + name256 + kAbsent + kAbsent + kAbsent +
             record(3, std::string(999, 'z')) + kAbsent + kAbsent + kAbsent,
         largest},
        {"any non-zero flag means present",
         "DNX1" + bytes({7}) + "Flagged" + std::string(24, '\0') + u32(0x80000000) + u32(2) +
             u32(1) + std::string("u\0", 2),
         anyFlag},
        {"8-bit characters in the name",
         "DNX1" + bytes({3, 0xE9, 0xA0, 0x80}) + std::string(28, '\0'),
         {bytes({0xE9, 0xA0, 0x80}), {}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        expectSameEntry(loadEntry(row.data), row.expected);
    }
}

TEST_F(DnxFileTest, BadFilesAreRefusedWhole) {
    enum class Outcome { invalid, endOfFile };
    const std::string tail = std::string(24, '\0');  // six absent records
    const std::string abc = "DNX1" + bytes({3}) + "abc";
    // The dialer's ui tests hold the plainer bad files; these are the edges.
    const struct {
        const char* what;
        std::string data;
        Outcome outcome;
    } rows[] = {
        {"empty file", "", Outcome::endOfFile},
        {"magic in lower case", "dnx1" + bytes({3}) + "abc" + kAbsent + tail, Outcome::invalid},
        {"ends inside the name", "DNX1" + bytes({5}) + "abc", Outcome::endOfFile},
        {"NUL in the name", "DNX1" + bytes({3, 'a', 0, 'b'}) + kAbsent + tail, Outcome::invalid},
        {"DEL in the name", "DNX1" + bytes({3, 'a', 0x7F, 'b'}) + kAbsent + tail, Outcome::invalid},
        {"unit separator in the name", "DNX1" + bytes({3, 'a', 0x1F, 'b'}) + kAbsent + tail,
         Outcome::invalid},
        {"huge record size", abc + u32(1) + u32(0xFFFFFFFF) + u32(3) + "zz" + tail,
         Outcome::invalid},
        {"ends inside the last record's type",
         abc + kAbsent + std::string(20, '\0') + u32(1) + u32(4) + bytes({1, 0}),
         Outcome::endOfFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            const std::optional<DnxEntry> entry = loadEntry(row.data);
            EXPECT_EQ(row.outcome, Outcome::invalid) << "read without an end-of-file error";
            EXPECT_FALSE(entry.has_value());
        } catch (const FileError& error) {
            EXPECT_EQ(row.outcome, Outcome::endOfFile) << error.text();
            EXPECT_EQ(error.cause(), FileError::Cause::endOfFile);
        }
    }
}

}  // namespace
