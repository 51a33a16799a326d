#include "dialer/options/dnx_file.h"

#include <optional>
#include <string>

#include "framework/archive.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;

const std::string kAbsent = i32(0);
RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

class DnxFileTest : public SandboxTest {
  protected:
    std::optional<DnxEntry> loadEntry(const std::string& data) { return load(data, ReadDnx); }
    void expectRead(const std::string& data, const DnxEntry& expected) {
        const std::optional<DnxEntry> read = loadEntry(data);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->name, expected.name);
        EXPECT_EQ(read->values, expected.values);
    }
};

// A golden file written out by hand from the format: magic, archived name, seven records, all
// absent here. The export from the Options dialog holds a full entry's bytes.
TEST_F(DnxFileTest, GoldenFileBothWays) {
    const DnxEntry bare{"abc", {}};
    const std::string golden = "DNX1" + bytes({0x03}) + "abc" + std::string(28, '\0');
    EXPECT_EQ(store([&bare](Archive& ar) { WriteDnx(ar, bare); }), golden);
    expectRead(golden, bare);
}

TEST_F(DnxFileTest, ReaderAcceptsTheEdgesOfWhatItAllows) {
    DnxEntry largest{std::string(256, 'x'), {}};
    largest.values[3] = value(3, std::string(999, 'z'));
    expectRead("DNX1" + bytes({0xFF, 0x00, 0x01}) + largest.name + kAbsent + kAbsent + kAbsent +
                   i32(1) + i32(999) + i32(3) + std::string(999, 'z') + kAbsent + kAbsent + kAbsent,
               largest);
    DnxEntry flagged{bytes({0xE9, 0xA0, 0x80}), {}};  // 8-bit characters are not control ones
    flagged.values[6] = value(1, std::string("u\0", 2));
    // Any non-zero flag means present.
    expectRead("DNX1" + bytes({3}) + flagged.name + std::string(24, '\0') + i32(0x80000000) +
                   i32(2) + i32(1) + std::string("u\0", 2),
               flagged);
}

// The dialer's ui tests hold the plainer bad files; these are the edges.
TEST_F(DnxFileTest, BadFilesAreRefusedWhole) {
    const std::string records(28, '\0');
    const struct {
        const char* what;
        std::string data;
    } rows[] = {
        {"magic in lower case", "dnx1" + bytes({3}) + "abc" + records},
        {"NUL in the name", "DNX1" + bytes({3, 'a', 0, 'b'}) + records},
        {"DEL in the name", "DNX1" + bytes({3, 'a', 0x7F, 'b'}) + records},
        {"unit separator in the name", "DNX1" + bytes({3, 'a', 0x1F, 'b'}) + records},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(loadEntry(row.data).has_value()) << row.what;
    }
}

}  // namespace
