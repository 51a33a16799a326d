#include "framework/file_copy.h"

#include <string>

#include "framework/inspect.h"
#include "framework/paths.h"
#include "sandbox_fixture.h"

namespace {

using Cause = fw::FileError::Cause;
using Op = fw::test::FileFault::Op;
using FileCopyTest = SandboxTest;

TEST_F(FileCopyTest, AFailedCopyToTwoTargetsLeavesBothAsTheyWereWithoutTemporaryFiles) {
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
        char buffer[fw::kCopyBlock];
        const std::string targets[] = {"a", "b"};
        try {
            fw::copyFile("src", targets, buffer);
            ADD_FAILURE() << row.message;
        } catch (const fw::FileError& error) {
            EXPECT_EQ(error.text(), row.message);
        }
        EXPECT_EQ(driver.readFile("a"), "old a") << row.message;
        EXPECT_EQ(driver.readFile("b"), "old b") << row.message;
        EXPECT_FALSE(fw::test::fileExists("a.tmp") || fw::test::fileExists("b.tmp")) << row.message;
    }
}

}  // namespace
