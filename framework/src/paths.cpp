// The file-system calls of paths.h, answered by the backend.
#include "framework/paths.h"

#include <cassert>
#include <cstring>

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

std::string foldedName(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        const auto byte = static_cast<unsigned char>(c);
        const bool lowerAscii = byte >= 'a' && byte <= 'z';
        const bool lowerLatin1 = byte >= 0xE0 && byte <= 0xFE && byte != 0xF7;
        if (lowerAscii || lowerLatin1) {
            c = static_cast<char>(byte - 0x20);
        }
    }
    return folded;
}

bool samePath(const std::string& a, const std::string& b) {
    return foldedName(fullPath(a)) == foldedName(fullPath(b));
}

bool createDirectory(const std::string& path) {
    return sys::createDirectory(path);
}

bool deleteFile(const std::string& path) {
    return sys::deleteFile(path);
}

std::string nameBeside(const std::string& name, const char* suffix, char mark) {
    assert(!name.empty());
    if (fullPath(name).size() + std::strlen(suffix) < kMaxPath) {
        return name + suffix;
    }
    std::string beside = name;
    beside.back() = beside.back() != mark ? mark : '#';
    return beside;
}

void replaceFile(const std::string& from, const std::string& to) {
    sys::replaceFile(from, to);
}

std::string wideToAnsi(const std::u16string& text) {
    return sys::wideToAnsi(text);
}

}  // namespace fw
