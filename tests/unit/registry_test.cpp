#include "framework/registry.h"

#include <cstring>
#include <string>
#include <vector>

#include "sandbox_fixture.h"

namespace {

namespace reg = fw::reg;

using RegistryTest = SandboxTest;

TEST_F(RegistryTest, ValuesKeepTheirTypesAndNamesIgnoreCase) {
    {
        reg::Key key;
        ASSERT_EQ(key.create("Software\\Test\\Sub"), reg::kSuccess);
        const std::uint32_t dword = 0x01020304;
        ASSERT_EQ(key.set("Count", reg::kDword, &dword, 4), reg::kSuccess);
        ASSERT_EQ(key.set("Name", reg::kString, "abc", 4), reg::kSuccess);
        ASSERT_EQ(key.set("Blob", reg::kBinary, "\x00\x01\x02", 3), reg::kSuccess);
    }
    reg::Key key;
    ASSERT_EQ(key.open("SOFTWARE\\test\\SUB"), reg::kSuccess);
    const struct {
        const char* name;
        std::uint32_t type;
        std::string data;
    } rows[] = {
        {"count", reg::kDword, std::string("\x04\x03\x02\x01", 4)},
        {"NAME", reg::kString, std::string("abc", 4)},
        {"blob", reg::kBinary, std::string("\x00\x01\x02", 3)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        char data[16] = {};
        std::uint32_t size = sizeof data;
        std::uint32_t type = reg::kNone;
        ASSERT_EQ(key.query(row.name, data, &size, &type), reg::kSuccess);
        EXPECT_EQ(type, row.type);
        EXPECT_EQ(std::string(data, size), row.data);
    }
}

TEST_F(RegistryTest, PlatformResultCodes) {
    reg::Key key;
    EXPECT_EQ(key.open("Software\\Missing"), reg::kFileNotFound);
    EXPECT_FALSE(key.isOpen());
    ASSERT_EQ(key.create("Software\\Codes"), reg::kSuccess);
    ASSERT_EQ(key.set("Text", reg::kString, "hello", 6), reg::kSuccess);

    std::uint32_t size = 0;
    std::uint32_t type = reg::kNone;
    EXPECT_EQ(key.query("Text", nullptr, &size, &type), reg::kSuccess);
    EXPECT_EQ(size, 6u);
    char small[3] = {'-', '-', '-'};
    size = sizeof small;
    EXPECT_EQ(key.query("Text", small, &size, &type), reg::kMoreData);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, reg::kString);
    EXPECT_EQ(key.query("Other", nullptr, &size, &type), reg::kFileNotFound);

    EXPECT_EQ(key.remove("TEXT"), reg::kSuccess);
    EXPECT_EQ(key.remove("Text"), reg::kFileNotFound);
    key.close();

    EXPECT_EQ(reg::deleteTree("software"), reg::kSuccess);
    EXPECT_EQ(key.open("Software\\Codes"), reg::kFileNotFound);
    EXPECT_EQ(reg::deleteTree("Software"), reg::kFileNotFound);
}

TEST_F(RegistryTest, ValueNamesAreListedSortedWithTheirFirstSpelling) {
    reg::Key key;
    ASSERT_EQ(key.create("Software\\List"), reg::kSuccess);
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA"}) {
        ASSERT_EQ(key.set(name, reg::kString, "", 1), reg::kSuccess);
    }
    std::vector<std::string> names;
    std::string name;
    std::uint32_t index = 0;
    for (; key.enumValue(index, &name) == reg::kSuccess; ++index) {
        names.push_back(name);
    }
    EXPECT_EQ(key.enumValue(index, &name), reg::kNoMoreItems);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

}  // namespace
