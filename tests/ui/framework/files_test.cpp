// Files and folders: paths, errors by cause, replacing and deleting, the same on both backends (the
// headless sandbox against the real file system under Wine); Setup's install tests hold names that
// ignore case.
#include <gtest/gtest.h>

#include "file_error_causes.h"
#include "framework/file.h"
#include "framework/inspect.h"
#include "framework/paths.h"
#include "framework/test_driver.h"
#include "scratch_folder.h"

namespace {

using fw::File;
using fw::FileError;
using fw::FileMode;
using Cause = FileError::Cause;

class Files : public ::testing::Test {
  protected:
    fw::test::Driver driver;
    ScratchFolder folder;
};

TEST_F(Files, FullPathsResolveAgainstTheCurrentDirectory) {
    EXPECT_EQ(fw::currentDirectory(), folder.path);
    const struct {
        std::string name;
        std::string full;
    } rows[] = {
        {"a.txt", folder.path + "\\a.txt"},
        {".\\..\\b", folder.path.substr(0, folder.path.find_last_of('\\')) + "\\b"},
        {"sub/./c.dat", folder.path + "\\sub\\c.dat"},
        {"\\x\\.\\y", "C:\\x\\y"},
        {"C:/one/../two", "C:\\two"},
        {"..\\..\\..\\..\\..\\..", "C:\\"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fw::fullPath(row.name), row.full) << row.name;
    }
    EXPECT_FALSE(fw::setCurrentDirectory(folder.path + "\\nowhere"));
    EXPECT_EQ(fw::currentDirectory(), folder.path);
}

TEST_F(Files, ErrorsByCauseNameTheFile) {
    ASSERT_TRUE(fw::createDirectory("Dir"));
    const std::string tooLong(fw::kMaxPath + 40, 'x');
    const struct {
        const char* name;
        FileMode mode;
        Cause cause;
    } rows[] = {
        {"missing.dat", FileMode::read, Cause::fileNotFound},
        {"Nowhere\\x.dat", FileMode::read, Cause::badPath},
        {"bad?name.dat", FileMode::createWrite, Cause::badPath},
        {"Dir", FileMode::read, Cause::accessDenied},
        {"Dir", FileMode::createWrite, Cause::accessDenied},
        {tooLong.c_str(), FileMode::createWrite, Cause::badPath},
    };
    for (const auto& row : rows) {
        File file;
        EXPECT_EQ(errorOf([&] { file.open(row.name, row.mode); }),
                  std::make_pair(row.cause, std::string(row.name)))
            << row.name;
    }
    // Failures after the open name the full path.
    File output;
    output.open("out.dat", FileMode::createWrite);
    char byte = 0;
    EXPECT_EQ(errorOf([&] { output.read(&byte, 1); }),
              std::make_pair(Cause::accessDenied, folder.path + "\\out.dat"));
}

TEST_F(Files, ReplaceAndDelete) {
    driver.writeFile("Settings.dat", "old");
    driver.writeFile("Settings.tmp", "new");
    fw::replaceFile("settings.TMP", "SETTINGS.DAT");
    EXPECT_EQ(driver.readFile("Settings.dat"), "new");
    EXPECT_FALSE(fw::test::fileExists("Settings.tmp"));
    // A file in use cannot be replaced.
    File inUse;
    inUse.open("Settings.dat", FileMode::read);
    driver.writeFile("Other.dat", "other");
    const struct {
        const char* from;
        const char* to;
        Cause cause;
    } refused[] = {
        {"Settings.tmp", "Settings.dat", Cause::fileNotFound},
        {"Other.dat", "Nowhere\\Settings.dat", Cause::badPath},
        {"Other.dat", "Settings.dat", Cause::accessDenied},
    };
    for (const auto& row : refused) {
        EXPECT_EQ(errorOf([&] { fw::replaceFile(row.from, row.to); }),
                  std::make_pair(row.cause, std::string(row.to)))
            << row.from;
    }
    inUse.close();
    fw::replaceFile("Settings.dat", "Renamed.dat");
    EXPECT_EQ(driver.readFile("renamed.dat"), "new");

    ASSERT_TRUE(fw::createDirectory("Dir"));
    EXPECT_FALSE(fw::deleteFile("Dir"));
    EXPECT_TRUE(fw::deleteFile("Renamed.dat"));
    EXPECT_FALSE(fw::deleteFile("Renamed.dat"));
}

#ifndef _WIN32
// Faults exist only in the headless sandbox.
using Op = fw::test::FileFault::Op;

TEST_F(Files, HeadlessOnlyAWriteFaultKeepsTheBytesBeforeIt) {
    driver.injectFault({"w.dat", Op::write, Cause::diskFull, 6});
    File file;
    file.open("w.dat", FileMode::createWrite);
    file.write("1234", 4);
    EXPECT_EQ(errorOf([&] { file.write("56789", 5); }),
              std::make_pair(Cause::diskFull, folder.path + "\\w.dat"));
    file.write("!", 1);
    file.close();
    EXPECT_EQ(driver.readFile("w.dat"), "123456!");
}
#endif

}  // namespace
