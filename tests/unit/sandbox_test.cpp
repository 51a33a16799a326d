// The headless file sandbox: Windows path semantics, the platform's errors and armed faults.
#include <functional>

#include "framework/file.h"
#include "framework/paths.h"
#include "sandbox_fixture.h"

namespace {

using fw::File;
using fw::FileError;
using fw::FileMode;
using Cause = FileError::Cause;
using Op = fw::test::FileFault::Op;

// The error an action raises (generic and "none" when it raises nothing).
std::pair<Cause, std::string> errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return {error.cause(), error.fileName()};
    }
    return {Cause::generic, "none"};
}

using SandboxHeadlessTest = SandboxTest;

TEST_F(SandboxHeadlessTest, StartsWithTheWindowsLayout) {
    EXPECT_EQ(fw::currentDirectory(), "C:\\");
    EXPECT_EQ(fw::windowsDirectory(), "C:\\WINDOWS");
    EXPECT_TRUE(fw::fileExists("C:\\WINDOWS\\Desktop"));
    EXPECT_TRUE(fw::fileExists("c:\\windows\\start menu\\programs\\startup"));
    EXPECT_FALSE(fw::fileExists("D:\\"));
}

TEST_F(SandboxHeadlessTest, FullPathsResolveAgainstTheCurrentDirectory) {
    ASSERT_TRUE(fw::setCurrentDirectory("c:/windows/Desktop/"));
    EXPECT_EQ(fw::currentDirectory(), "c:\\windows\\Desktop");
    const struct {
        const char* name;
        const char* full;
    } rows[] = {
        {"a.txt", "c:\\windows\\Desktop\\a.txt"},
        {".\\..\\b", "c:\\windows\\b"},
        {"\\x\\.\\y", "c:\\x\\y"},
        {"C:z", "C:\\windows\\Desktop\\z"},
        {"d:z", "d:\\z"},
        {"C:/one/../two/", "C:\\two"},
        {"..\\..\\..\\..", "c:\\"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fw::fullPath(row.name), row.full) << row.name;
    }
    EXPECT_FALSE(fw::setCurrentDirectory("C:\\nowhere"));
    EXPECT_EQ(fw::currentDirectory(), "c:\\windows\\Desktop");
}

TEST_F(SandboxHeadlessTest, NamesIgnoreCase) {
    ASSERT_TRUE(fw::createDirectory("C:\\Data"));
    EXPECT_FALSE(fw::createDirectory("c:\\DATA"));
    EXPECT_FALSE(fw::createDirectory("C:\\Missing\\Sub"));
    driver.writeFile("C:\\Data\\Report.TXT", "old");
    driver.writeFile("c:\\data\\REPORT.txt", "new");
    EXPECT_EQ(driver.readFile("C:\\DATA\\report.txt"), "new");
    ASSERT_TRUE(fw::setCurrentDirectory("c:\\dAtA"));
    EXPECT_EQ(driver.readFile("Report.txt"), "new");
}

TEST_F(SandboxHeadlessTest, ErrorsByCause) {
    ASSERT_TRUE(fw::createDirectory("C:\\Dir"));
    driver.writeFile("C:\\busy.dat", "x");
    File busy;
    busy.open("C:\\busy.dat", FileMode::read);
    const struct {
        const char* name;
        FileMode mode;
        Cause cause;
    } rows[] = {
        {"missing.dat", FileMode::read, Cause::fileNotFound},
        {"C:\\Nowhere\\x.dat", FileMode::read, Cause::badPath},
        {"C:\\Nowhere\\x.dat", FileMode::createWrite, Cause::badPath},
        {"Q:\\x.dat", FileMode::createWrite, Cause::badPath},
        {"bad?name.dat", FileMode::createWrite, Cause::badPath},
        {"C:\\Dir", FileMode::read, Cause::accessDenied},
        {"c:\\BUSY.dat", FileMode::createWrite, Cause::sharingViolation},
    };
    for (const auto& row : rows) {
        File file;
        EXPECT_EQ(errorOf([&] { file.open(row.name, row.mode); }),
                  std::make_pair(row.cause, std::string(row.name)));
    }
    // Reading and writing failures name the full path.
    ASSERT_TRUE(fw::setCurrentDirectory("C:\\Dir"));
    File output;
    output.open("out.dat", FileMode::createWrite);
    char byte = 0;
    EXPECT_EQ(errorOf([&] { output.read(&byte, 1); }),
              std::make_pair(Cause::accessDenied, std::string("C:\\Dir\\out.dat")));
}

TEST_F(SandboxHeadlessTest, InjectedFaultsFireOnce) {
    driver.writeFile("C:\\f.dat", "abc");
    const auto openRead = [] {
        File f;
        f.open("f.dat", FileMode::read);
    };
    const auto create = [] {
        File f;
        f.open("f.dat", FileMode::createWrite);
    };
    const auto read = [] {
        File f;
        char c[3];
        f.open("f.dat", FileMode::read);
        f.read(c, 3);
    };
    const auto length = [] {
        File f;
        f.open("f.dat", FileMode::read);
        f.length();
    };
    const auto close = [] {
        File f;
        f.open("f.dat", FileMode::read);
        f.close();
    };
    const struct {
        Op op;
        Cause cause;
        std::function<void()> action;
        const char* named;
    } rows[] = {
        {Op::open, Cause::accessDenied, openRead, "f.dat"},
        {Op::create, Cause::directoryFull, create, "f.dat"},
        {Op::read, Cause::hardIO, read, "C:\\f.dat"},
        {Op::length, Cause::badSeek, length, "C:\\f.dat"},
        {Op::close, Cause::lockViolation, close, "C:\\f.dat"},
    };
    for (const auto& row : rows) {
        driver.injectFault({"C:\\F.DAT", row.op, row.cause, 0});
        EXPECT_EQ(errorOf(row.action), std::make_pair(row.cause, std::string(row.named)));
        EXPECT_EQ(errorOf(row.action), std::make_pair(Cause::generic, std::string("none")));
    }
    driver.injectFault({"f.dat", Op::remove, Cause::accessDenied, 0});
    EXPECT_FALSE(fw::deleteFile("F.DAT"));
    EXPECT_TRUE(fw::deleteFile("F.DAT"));
    EXPECT_FALSE(fw::fileExists("f.dat"));
}

TEST_F(SandboxHeadlessTest, WriteFaultKeepsTheBytesBeforeIt) {
    driver.injectFault({"w.dat", Op::write, Cause::diskFull, 6});
    File file;
    file.open("w.dat", FileMode::createWrite);
    file.write("1234", 4);
    EXPECT_EQ(errorOf([&] { file.write("56789", 5); }),
              std::make_pair(Cause::diskFull, std::string("C:\\w.dat")));
    file.write("!", 1);
    file.close();
    EXPECT_EQ(driver.readFile("w.dat"), "123456!");
}

TEST_F(SandboxHeadlessTest, ReplaceAndDelete) {
    driver.writeFile("C:\\Settings.dat", "old");
    driver.writeFile("C:\\Settings.tmp", "new");
    ASSERT_TRUE(fw::replaceFile("c:\\settings.TMP", "C:\\SETTINGS.DAT"));
    EXPECT_EQ(driver.readFile("C:\\Settings.dat"), "new");
    EXPECT_FALSE(fw::fileExists("C:\\Settings.tmp"));
    EXPECT_FALSE(fw::replaceFile("C:\\Settings.tmp", "C:\\Settings.dat"));
    EXPECT_FALSE(fw::replaceFile("C:\\Settings.dat", "C:\\Nowhere\\Settings.dat"));
    {
        File open;
        open.open("C:\\Settings.dat", FileMode::read);
        EXPECT_FALSE(fw::deleteFile("C:\\Settings.dat"));
    }
    EXPECT_FALSE(fw::deleteFile("C:\\WINDOWS"));
    EXPECT_TRUE(fw::deleteFile("C:\\Settings.dat"));
    EXPECT_FALSE(fw::deleteFile("C:\\Settings.dat"));
}

}  // namespace
