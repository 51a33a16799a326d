// Files and folders through the Win32 file calls; failures raise FileError by GetLastError.
#include <windows.h>

#include <algorithm>

#include "sys.h"

namespace fw::sys {

namespace {

[[noreturn]] void raiseLastError(const std::string& name) {
    const auto error = static_cast<long>(GetLastError());
    throw FileError(FileError::causeOf(error), name, error);
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

std::uint64_t fileLength(Handle file, const std::string& path) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handleOf(file), &length)) {
        raiseLastError(path);
    }
    return static_cast<std::uint64_t>(length.QuadPart);
}

std::uint64_t filePosition(Handle file, const std::string& path) {
    LARGE_INTEGER zero{};
    LARGE_INTEGER position;
    if (!SetFilePointerEx(handleOf(file), zero, &position, FILE_CURRENT)) {
        raiseLastError(path);
    }
    return static_cast<std::uint64_t>(position.QuadPart);
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

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace fw::sys
