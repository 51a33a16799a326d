// Every cause a file error can have, for tests that make a file operation fail with each; the
// texts the framework shows for them are held to the standard ones in
// tests/unit/file_error_test.cpp.
#pragma once

#include "framework/file_error.h"

inline constexpr fw::FileError::Cause kFileErrorCauses[] = {
    fw::FileError::Cause::generic,       fw::FileError::Cause::fileNotFound,
    fw::FileError::Cause::badPath,       fw::FileError::Cause::tooManyOpenFiles,
    fw::FileError::Cause::accessDenied,  fw::FileError::Cause::invalidFile,
    fw::FileError::Cause::directoryFull, fw::FileError::Cause::badSeek,
    fw::FileError::Cause::hardIO,        fw::FileError::Cause::sharingViolation,
    fw::FileError::Cause::lockViolation, fw::FileError::Cause::diskFull,
    fw::FileError::Cause::endOfFile,
};
