// The current user's registry, the same on both backends (the headless registry against Wine's).
#include "framework/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/inspect.h"
#include "framework/test_driver.h"

namespace {

namespace reg = fw::reg;

// Everything lives under a key of the test's own, removed afterwards.
class RegistryTest : public ::testing::Test {
  protected:
    RegistryTest() { fw::test::deleteTree(kRoot); }
    ~RegistryTest() override { fw::test::deleteTree(kRoot); }
    static constexpr const char* kRoot = "Software\\FwTest";
    fw::test::Driver driver;
};

// Values of every type keep their type and bytes, a value larger than the reader's room or a
// missing key reads as absent, in the dialer's entry transfer tests.
TEST_F(RegistryTest, NamesIgnoreCaseKeepingTheFirstSpelling) {
    {
        reg::Key key;
        ASSERT_EQ(key.create("Software\\FwTest\\Sub"), reg::kSuccess);
        for (const char* name : {"Count", "Name", "Blob", "NAME"}) {
            ASSERT_EQ(key.set(name, reg::kString, name,
                              static_cast<std::uint32_t>(std::strlen(name) + 1)),
                      reg::kSuccess);
        }
    }
    reg::Key key;
    ASSERT_EQ(key.open("SOFTWARE\\fwtest\\SUB"), reg::kSuccess);
    char data[8] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = reg::kNone;
    ASSERT_EQ(key.query("name", data, &size, &type), reg::kSuccess);
    EXPECT_EQ(type, reg::kString);
    EXPECT_EQ(std::string(data, size), std::string("NAME", 5));
    std::vector<std::string> names;
    std::string name;
    std::uint32_t index = 0;
    for (; key.enumValue(index, &name) == reg::kSuccess; ++index) {
        names.push_back(name);
    }
    EXPECT_EQ(key.enumValue(index, &name), reg::kNoMoreItems);
    // Windows keeps an order of its own; the programs sort what they list.
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Blob", "Count", "Name"}));
}

}  // namespace
