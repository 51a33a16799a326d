// Files and folders through the Win32 file calls; failures raise FileError by GetLastError.
#include <windows.h>

#include <algorithm>

#include "framework/paths.h"
#include "replace_by_renames.h"
#include "sys.h"

namespace fw::sys {

namespace {

long lastError() {
    return static_cast<long>(GetLastError());
}

[[noreturn]] void raiseLastError(const std::string& name) {
    const long error = lastError();
    throw FileError(FileError::causeOf(error), name, error);
}

// The calls of a replace by renames, each 0 or the platform's error.
long renameFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) ? 0 : lastError();
}
long removeFile(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : lastError();
}
bool fileThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HANDLE handleOf(Handle file) {
    return static_cast<HANDLE>(file);
}

// One transfer is at most what a DWORD counts.
DWORD chunk(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
}

// Calls that fill a buffer and, when it is too small, return the size they need.
template <typename Fill>
std::string fetchText(Fill fill) {
    std::string text(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
}

}  // namespace

Handle fileOpen(const std::string& name, FileMode mode) {
    const bool reading = mode == FileMode::read;
    HANDLE file =
        CreateFileA(name.c_str(), reading ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        raiseLastError(name);
    }
    return file;
}

std::size_t fileRead(Handle file, void* data, std::size_t size, const std::string& path) {
    DWORD read = 0;
    if (!ReadFile(handleOf(file), data, chunk(size), &read, nullptr)) {
        raiseLastError(path);
    }
    return read;
}

void fileWrite(Handle file, const void* data, std::size_t size, const std::string& path) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD wanted = chunk(size);
        DWORD written = 0;
        if (!WriteFile(handleOf(file), bytes, wanted, &written, nullptr)) {
            raiseLastError(path);
        }
        if (written < wanted) {
            throw FileError(FileError::Cause::diskFull, path);
        }
        bytes += written;
        size -= written;
    }
}

// GetFileSize and SetFilePointer, with their high halves, rather than the "Ex" forms that
// Windows 98 and NT 4 lack. A low half of all ones is an error only when the last error says so.
std::uint64_t fileLength(Handle file, const std::string& path) {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(handleOf(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        raiseLastError(path);
    }
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::uint64_t filePosition(Handle file, const std::string& path) {
    LONG high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(handleOf(file), 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        raiseLastError(path);
    }
    return (static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32) | low;
}

void fileClose(Handle file, const std::string& path) {
    if (!CloseHandle(handleOf(file))) {
        raiseLastError(path);
    }
}

std::string currentDirectory() {
    return fetchText([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

bool setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string windowsDirectory() {
    return fetchText([](char* buffer, DWORD size) {
        return static_cast<DWORD>(GetWindowsDirectoryA(buffer, size));
    });
}

std::string fullPath(const std::string& name) {
    return fetchText([&](char* buffer, DWORD size) {
        return GetFullPathNameA(name.c_str(), size, buffer, nullptr);
    });
}

bool createDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

// MoveFileExA, or where the system has none (98 and ME), the same by plain renames; the error is
// the platform's either way.
void replaceFile(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return;
    }
    long error = lastError();
    if (error == ERROR_CALL_NOT_IMPLEMENTED) {
        error = replaceByRenames(from, to, nameBeside(to, kSteppedAsideSuffix, kSteppedAsideMark),
                                 {renameFile, removeFile, fileThere});
    }
    if (error != 0) {
        throw FileError(FileError::causeOf(error), to, error);
    }
}

}  // namespace fw::sys
