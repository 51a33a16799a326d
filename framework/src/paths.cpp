// The file-system calls of paths.h, answered by the backend.
#include "framework/paths.h"

#include "sys.h"

namespace fw {

std::string currentDirectory() {
    return sys::currentDirectory();
}

bool setCurrentDirectory(const std::string& path) {
    return sys::setCurrentDirectory(path);
}

std::string windowsDirectory() {
    return sys::windowsDirectory();
}

std::string fullPath(const std::string& name) {
    return sys::fullPath(name);
}

bool createDirectory(const std::string& path) {
    return sys::createDirectory(path);
}

bool deleteFile(const std::string& path) {
    return sys::deleteFile(path);
}

void replaceFile(const std::string& from, const std::string& to) {
    sys::replaceFile(from, to);
}

std::string wideToAnsi(const std::u16string& text) {
    return sys::wideToAnsi(text);
}

}  // namespace fw
