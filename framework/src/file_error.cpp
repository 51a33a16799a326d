// File-error texts, the causes of platform error codes and the standard report.
#include "framework/file_error.h"

#include "framework/app.h"
#include "framework/message_box.h"

namespace fw {

const char* FileError::textOf(Cause cause) {
    switch (cause) {
        case Cause::fileNotFound:
            return "%1 was not found.";
        case Cause::badPath:
            return "%1 contains an invalid path.";
        case Cause::tooManyOpenFiles:
            return "%1 could not be opened because there are too many open files.";
        case Cause::accessDenied:
            return "Access to %1 was denied.";
        case Cause::invalidFile:
            return "An invalid file handle was associated with %1.";
        case Cause::directoryFull:
            return "%1 could not be created because the directory is full.";
        case Cause::badSeek:
            return "Seek failed on %1";
        case Cause::hardIO:
            return "A hardware I/O error was reported while accessing %1.";
        case Cause::sharingViolation:
            return "A sharing violation occurred while accessing %1.";
        case Cause::lockViolation:
            return "A locking violation occurred while accessing %1.";
        case Cause::diskFull:
            return "Disk full while accessing %1.";
        case Cause::endOfFile:
            return "An attempt was made to access %1 past its end.";
        case Cause::generic:
            break;
    }
    return "An unknown error occurred while accessing %1.";
}

FileError::Cause FileError::causeOf(long osError) {
    switch (osError) {
        case 2:   // ERROR_FILE_NOT_FOUND
        case 18:  // ERROR_NO_MORE_FILES
            return Cause::fileNotFound;
        case 3:    // ERROR_PATH_NOT_FOUND
        case 15:   // ERROR_INVALID_DRIVE
        case 53:   // ERROR_BAD_NETPATH
        case 67:   // ERROR_BAD_NET_NAME
        case 123:  // ERROR_INVALID_NAME
        case 161:  // ERROR_BAD_PATHNAME
        case 206:  // ERROR_FILENAME_EXCED_RANGE
            return Cause::badPath;
        case 4:  // ERROR_TOO_MANY_OPEN_FILES
            return Cause::tooManyOpenFiles;
        case 5:    // ERROR_ACCESS_DENIED
        case 12:   // ERROR_INVALID_ACCESS
        case 19:   // ERROR_WRITE_PROTECT
        case 80:   // ERROR_FILE_EXISTS
        case 183:  // ERROR_ALREADY_EXISTS
            return Cause::accessDenied;
        case 6:  // ERROR_INVALID_HANDLE
            return Cause::invalidFile;
        case 82:  // ERROR_CANNOT_MAKE
            return Cause::directoryFull;
        case 25:   // ERROR_SEEK
        case 131:  // ERROR_NEGATIVE_SEEK
        case 132:  // ERROR_SEEK_ON_DEVICE
            return Cause::badSeek;
        case 21:  // ERROR_NOT_READY
        case 23:  // ERROR_CRC
        case 29:  // ERROR_WRITE_FAULT
        case 30:  // ERROR_READ_FAULT
        case 31:  // ERROR_GEN_FAILURE
            return Cause::hardIO;
        case 32:  // ERROR_SHARING_VIOLATION
            return Cause::sharingViolation;
        case 33:  // ERROR_LOCK_VIOLATION
            return Cause::lockViolation;
        case 39:   // ERROR_HANDLE_DISK_FULL
        case 112:  // ERROR_DISK_FULL
            return Cause::diskFull;
        case 38:  // ERROR_HANDLE_EOF
            return Cause::endOfFile;
        default:
            return Cause::generic;
    }
}

std::string FileError::text() const {
    return formatMessage(textOf(cause_), {fileName_});
}

const char* FileError::what() const noexcept {
    try {
        what_ = text();
    } catch (...) {
        return textOf(cause_);
    }
    return what_.c_str();
}

void reportFileError(const Window* owner, const FileError& error) {
    const App* app = App::current();
    messageBox(owner, error.text(), app ? app->title : std::string(), mb::kOk | mb::kIconStop);
}

std::string formatMessage(const std::string& format, std::initializer_list<std::string> args) {
    std::string result;
    result.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (format[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            result += *(args.begin() + index);
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

}  // namespace fw
