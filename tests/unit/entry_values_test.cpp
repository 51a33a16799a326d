#include "dialer/options/entry_values.h"

#include <string>

#include "framework/registry.h"
#include "sandbox_fixture.h"

namespace {

namespace reg = fw::reg;

RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

class EntryValuesTest : public SandboxTest {
  protected:
    static void set(const std::string& key, const std::string& name, const RegValue& v) {
        reg::Key k;
        ASSERT_EQ(k.create(key), reg::kSuccess);
        ASSERT_EQ(k.set(name, v.type, v.data.data(), static_cast<std::uint32_t>(v.data.size())),
                  reg::kSuccess);
    }
    // The value as the registry holds it, read without the transfer buffer's limit.
    static std::optional<RegValue> get(const std::string& key, const std::string& name) {
        reg::Key k;
        if (k.open(key) != reg::kSuccess) {
            return std::nullopt;
        }
        std::vector<unsigned char> data(4096);
        auto size = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = reg::kNone;
        if (k.query(name, data.data(), &size, &type) != reg::kSuccess) {
            return std::nullopt;
        }
        data.resize(size);
        return RegValue{type, data};
    }
    static bool keyExists(const std::string& key) {
        reg::Key k;
        return k.open(key) == reg::kSuccess;
    }
};

constexpr const char* kAddresses = "RemoteAccess\\Addresses";
constexpr const char* kProfile = "RemoteAccess\\Profile\\Home";

TEST_F(EntryValuesTest, MissingKeysReadAsAbsent) {
    EXPECT_EQ(ReadEntryValues("Home"), EntryValues{});
    set(kAddresses, "Home", value(3, "addr"));
    EntryValues expected{};
    expected[0] = value(3, "addr");
    EXPECT_EQ(ReadEntryValues("Home"), expected) << "no profile key";
}

TEST_F(EntryValuesTest, WritesPresentValuesAndLeavesTheRestAlone) {
    set(kAddresses, "Home", value(3, "old address"));
    set(kProfile, "User", value(1, std::string("kept\0", 5)));
    set(kProfile, "Mode", value(1, std::string("old\0", 4)));
    set(kProfile, "Extra", value(1, std::string("x\0", 2)));
    EntryValues values{};
    values[0] = value(3, "new");
    values[2] = value(4, std::string("\x02\0\0\0", 4));
    values[5] = value(3, "");

    WriteEntryValues("Home", values);
    EXPECT_EQ(get(kAddresses, "Home"), value(3, "new"));
    EXPECT_EQ(get(kProfile, "Mode"), value(4, std::string("\x02\0\0\0", 4))) << "type replaced";
    EXPECT_EQ(get(kProfile, "Terminal"), value(3, ""));
    EXPECT_EQ(get(kProfile, "User"), value(1, std::string("kept\0", 5)));
    EXPECT_EQ(get(kProfile, "Extra"), value(1, std::string("x\0", 2)));
    EXPECT_EQ(get(kProfile, "IP"), std::nullopt);
}

TEST_F(EntryValuesTest, AddressesKeyIsNeverCreatedButTheProfileKeyIs) {
    EntryValues values{};
    values[0] = value(3, "addr");
    values[6] = value(1, std::string("me\0", 3));
    WriteEntryValues("Home", values);
    EXPECT_FALSE(keyExists(kAddresses));
    EXPECT_EQ(get(kProfile, "User"), value(1, std::string("me\0", 3)));

    WriteEntryValues("Bare", EntryValues{});
    EXPECT_TRUE(keyExists("RemoteAccess\\Profile\\Bare")) << "created even with nothing to set";
}

}  // namespace
