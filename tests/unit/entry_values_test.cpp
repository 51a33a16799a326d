// An entry's values: in the registry, and in the file that exports an entry.
#include "dialer/options/entry_values.h"

#include <cstdint>
#include <optional>
#include <string>

#include "dialer/options/dnx_file.h"
#include "framework/archive.h"
#include "framework/registry.h"
#include "sandbox_fixture.h"

namespace {

namespace reg = fw::reg;

constexpr const char* kAddresses = "RemoteAccess\\Addresses";
constexpr const char* kProfile = "RemoteAccess\\Profile\\Home";

RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

void set(const std::string& key, const std::string& name, const RegValue& v) {
    reg::Key k;
    ASSERT_EQ(k.create(key), reg::kSuccess);
    ASSERT_EQ(k.set(name, v.type, v.data.data(), static_cast<std::uint32_t>(v.data.size())),
              reg::kSuccess);
}

using EntryValuesTest = SandboxTest;

TEST_F(EntryValuesTest, MissingKeysReadAsAbsent) {
    EXPECT_EQ(ReadEntryValues("Home"), EntryValues{});
    set(kAddresses, "Home", value(3, "addr"));
    EXPECT_EQ(ReadEntryValues("Home"), (EntryValues{value(3, "addr")})) << "no profile key";
    // The profile key is made even with nothing to set.
    WriteEntryValues("Bare", EntryValues{});
    EXPECT_EQ(reg::Key().open("RemoteAccess\\Profile\\Bare"), reg::kSuccess);
}

TEST_F(EntryValuesTest, WritesPresentValuesAndLeavesTheRestAlone) {
    set(kAddresses, "Home", value(3, "old address"));
    set(kProfile, "User", value(1, std::string("kept\0", 5)));
    set(kProfile, "Mode", value(1, std::string("old\0", 4)));
    EntryValues values{};
    values[0] = value(3, "new");
    values[2] = value(4, std::string("\x02\0\0\0", 4));  // the type replaced too
    values[5] = value(3, "");
    WriteEntryValues("Home", values);
    values[6] = value(1, std::string("kept\0", 5));
    EXPECT_EQ(ReadEntryValues("Home"), values);
}

const std::string kAbsent = le32(0);

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
    EXPECT_EQ(store([&bare](fw::Archive& ar) { WriteDnx(ar, bare); }), golden);
    expectRead(golden, bare);
}

TEST_F(DnxFileTest, ReaderAcceptsTheEdgesOfWhatItAllows) {
    DnxEntry largest{std::string(256, 'x'), {}};
    largest.values[3] = value(3, std::string(999, 'z'));
    expectRead("DNX1" + bytes({0xFF, 0x00, 0x01}) + largest.name + kAbsent + kAbsent + kAbsent +
                   le32(1) + le32(999) + le32(3) + std::string(999, 'z') + kAbsent + kAbsent +
                   kAbsent,
               largest);
    DnxEntry flagged{bytes({0xE9, 0xA0, 0x80}), {}};  // 8-bit characters are not control ones
    flagged.values[6] = value(1, std::string("u\0", 2));
    // Any non-zero flag means present.
    expectRead("DNX1" + bytes({3}) + flagged.name + std::string(24, '\0') + le32(INT32_MIN) +
                   le32(2) + le32(1) + std::string("u\0", 2),
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
