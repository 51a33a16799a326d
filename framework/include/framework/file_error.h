// File errors by cause, with the framework's standard texts.
#pragma once

#include <exception>
#include <initializer_list>
#include <string>
#include <utility>

namespace fw {

class Window;

class FileError : public std::exception {
  public:
    enum class Cause {
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    FileError(Cause cause, std::string fileName, long osError = 0)
        : cause_(cause), fileName_(std::move(fileName)), osError_(osError) {}

    Cause cause() const { return cause_; }
    const std::string& fileName() const { return fileName_; }
    long osError() const { return osError_; }
    // The standard text with %1 replaced by the file name.
    std::string text() const;
    const char* what() const noexcept override;

    // The cause of a platform error code (GetLastError values).
    static Cause causeOf(long osError);
    // The standard text of a cause, with %1 left in place.
    static const char* textOf(Cause cause);

  private:
    Cause cause_;
    std::string fileName_;
    long osError_;
    mutable std::string what_;
};

// The framework's standard file-error message box: stop icon, OK button, the application
// title as caption, the error's text.
void reportFileError(const Window* owner, const FileError& error);

// Replaces %1, %2, ... in a message with the arguments, in order.
std::string formatMessage(const std::string& format, std::initializer_list<std::string> args);

}  // namespace fw
