// Every cause a file error can have, for tests that make a file operation fail with each (the
// texts the framework shows for them are held to the standard ones in
// tests/unit/file_error_test.cpp), and the error an action raises.
#pragma once

#include <functional>
#include <string>
#include <utility>

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

// The cause of the error the action raises, with the file it names ("none" when it raises nothing).
inline std::pair<fw::FileError::Cause, std::string> errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const fw::FileError& error) {
        return {error.cause(), error.fileName()};
    }
    return {fw::FileError::Cause::generic, "none"};
}
