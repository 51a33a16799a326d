// The file system around files: folders, deletion, the current and Windows directories.
#pragma once

#include <cstddef>
#include <string>

namespace fw {

// The room for a path that the platform's calls take, its terminator included (MAX_PATH).
constexpr std::size_t kMaxPath = 260;

std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);
// The Windows folder, without a trailing backslash.
std::string windowsDirectory();
// The full path of a name relative to the current directory.
std::string fullPath(const std::string& name);
// A name in the form the platform compares file names in: upper case (ASCII and Latin-1 letters).
std::string foldedName(const std::string& name);
// Whether two names mean the same file: their full paths, ignoring case.
bool samePath(const std::string& a, const std::string& b);
bool createDirectory(const std::string& path);
bool deleteFile(const std::string& path);
// A name for a file beside name, on its way into name's place or out of it: name followed by
// suffix, or where that would not fit kMaxPath, name with its last letter changed to mark (to '#'
// if it is mark already), which fits wherever name does.
std::string nameBeside(const std::string& name, const char* suffix, char mark);
// Renames over an existing file in one step (for writing a file in full or not at all). Raises
// FileError for the cause the platform gives (a file in use, a read-only one), naming to as given.
void replaceFile(const std::string& from, const std::string& to);

// Converts UTF-16 text to the 8-bit code page (unrepresentable characters become '?').
std::string wideToAnsi(const std::u16string& text);

}  // namespace fw
