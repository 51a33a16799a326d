#include "framework/file_error.h"

#include <gtest/gtest.h>

namespace {

using fw::FileError;
using Cause = FileError::Cause;

TEST(FileErrorTest, TextsNameTheFile) {
    const struct {
        Cause cause;
        const char* text;
    } rows[] = {
        {Cause::fileNotFound, "A.DAT was not found."},
        {Cause::badPath, "A.DAT contains an invalid path."},
        {Cause::tooManyOpenFiles,
         "A.DAT could not be opened because there are too many open files."},
        {Cause::accessDenied, "Access to A.DAT was denied."},
        {Cause::invalidFile, "An invalid file handle was associated with A.DAT."},
        {Cause::directoryFull, "A.DAT could not be created because the directory is full."},
        {Cause::badSeek, "Seek failed on A.DAT"},
        {Cause::hardIO, "A hardware I/O error was reported while accessing A.DAT."},
        {Cause::sharingViolation, "A sharing violation occurred while accessing A.DAT."},
        {Cause::lockViolation, "A locking violation occurred while accessing A.DAT."},
        {Cause::diskFull, "Disk full while accessing A.DAT."},
        {Cause::endOfFile, "An attempt was made to access A.DAT past its end."},
        {Cause::generic, "An unknown error occurred while accessing A.DAT."},
    };
    for (const auto& row : rows) {
        const FileError error(row.cause, "A.DAT");
        EXPECT_EQ(error.text(), row.text);
        EXPECT_STREQ(error.what(), row.text);
    }
}

TEST(FileErrorTest, CausesOfPlatformCodes) {
    const struct {
        long code;
        Cause cause;
    } rows[] = {
        {2, Cause::fileNotFound},   {3, Cause::badPath},       {123, Cause::badPath},
        {161, Cause::badPath},      {206, Cause::badPath},     {4, Cause::tooManyOpenFiles},
        {5, Cause::accessDenied},   {19, Cause::accessDenied}, {6, Cause::invalidFile},
        {82, Cause::directoryFull}, {25, Cause::badSeek},      {132, Cause::badSeek},
        {23, Cause::hardIO},        {31, Cause::hardIO},       {32, Cause::sharingViolation},
        {33, Cause::lockViolation}, {39, Cause::diskFull},     {112, Cause::diskFull},
        {38, Cause::endOfFile},     {0, Cause::generic},       {87, Cause::generic},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FileError::causeOf(row.code), row.cause) << row.code;
    }
}

TEST(FileErrorTest, FormatMessageReplacesNumberedArguments) {
    EXPECT_EQ(fw::formatMessage("%2 before %1", {"one", "two"}), "two before one");
    // A number without an argument and a lone percent sign stay as written.
    EXPECT_EQ(fw::formatMessage("%1 of %3: 100%", {"x"}), "x of %3: 100%");
}

}  // namespace
