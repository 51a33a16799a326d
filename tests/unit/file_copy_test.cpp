#include "framework/file_copy.h"

#include <string>

#include "framework/paths.h"
#include "framework/save_file.h"
#include "sandbox_fixture.h"

namespace {

using Cause = fw::FileError::Cause;
using Op = fw::test::FileFault::Op;

class FileCopyTest : public SandboxTest {
  protected:
    // Copies "src" to "a" and "b"; the text of the error, if any.
    std::string copy() {
        char buffer[fw::kCopyBlock];
        const std::string targets[] = {"a", "b"};
        try {
            fw::copyFile("src", targets, buffer);
            return {};
        } catch (const fw::FileError& error) {
            return error.text();
        }
    }
};

TEST_F(FileCopyTest, EverySizeArrivesWholeInEveryTarget) {
    for (std::size_t size : {0, 1, 998, 999, 1000, 1998, 2500}) {
        std::string data(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            data[i] = static_cast<char>(i * 31 + size);
        }
        driver.writeFile("src", data);
        EXPECT_EQ(copy(), "");
        EXPECT_EQ(driver.readFile("a"), data) << size;
        EXPECT_EQ(driver.readFile("b"), data) << size;
        EXPECT_FALSE(fw::fileExists(std::string("b") + fw::kSaveSuffix));
    }
}

TEST_F(FileCopyTest, AFailedCopyLeavesTheOldTargetsAndNoTemporaryFile) {
    const struct {
        bool source;
        fw::test::FileFault fault;
        const char* message;
    } rows[] = {
        {false, {}, "src was not found."},
        {true, {"b.tmp", Op::create, Cause::accessDenied}, "Access to b was denied."},
        {true, {"b.tmp", Op::write, Cause::diskFull, 1500}, "Disk full while accessing C:\\b."},
        {true,
         {"src", Op::read, Cause::hardIO, 1000},
         "A hardware I/O error was reported while accessing C:\\src."},
    };
    for (const auto& row : rows) {
        driver.writeFile("a", "old a");
        driver.writeFile("b", "old b");
        fw::deleteFile("src");
        if (row.source) {
            driver.writeFile("src", std::string(3000, 'n'));
            driver.injectFault(row.fault);
        }
        EXPECT_EQ(copy(), row.message);
        EXPECT_EQ(driver.readFile("a"), "old a") << row.message;
        EXPECT_EQ(driver.readFile("b"), "old b") << row.message;
        EXPECT_FALSE(fw::fileExists("a.tmp") || fw::fileExists("b.tmp")) << row.message;
    }
}

}  // namespace
