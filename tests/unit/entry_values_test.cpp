#include "dialer/options/entry_values.h"

#include <string>

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

}  // namespace
