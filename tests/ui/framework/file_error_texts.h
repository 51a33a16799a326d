// Every cause a file error can have, with the text the framework's file-error box shows for it:
// for tests that make a file operation fail with each.
#pragma once

#include "framework/file_error.h"

struct FileErrorText {
    fw::FileError::Cause cause;
    const char* text;  // %1 stands for the file
};

inline constexpr FileErrorText kFileErrorTexts[] = {
    {fw::FileError::Cause::generic, "An unknown error occurred while accessing %1."},
    {fw::FileError::Cause::fileNotFound, "%1 was not found."},
    {fw::FileError::Cause::badPath, "%1 contains an invalid path."},
    {fw::FileError::Cause::tooManyOpenFiles,
     "%1 could not be opened because there are too many open files."},
    {fw::FileError::Cause::accessDenied, "Access to %1 was denied."},
    {fw::FileError::Cause::invalidFile, "An invalid file handle was associated with %1."},
    {fw::FileError::Cause::directoryFull, "%1 could not be created because the directory is full."},
    {fw::FileError::Cause::badSeek, "Seek failed on %1"},
    {fw::FileError::Cause::hardIO, "A hardware I/O error was reported while accessing %1."},
    {fw::FileError::Cause::sharingViolation, "A sharing violation occurred while accessing %1."},
    {fw::FileError::Cause::lockViolation, "A locking violation occurred while accessing %1."},
    {fw::FileError::Cause::diskFull, "Disk full while accessing %1."},
    {fw::FileError::Cause::endOfFile, "An attempt was made to access %1 past its end."},
};
