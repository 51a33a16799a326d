// Writing a shortcut file: the link information (no item identifier list, which only the shell can
// build) and strings in the 8-bit code page. It needs nothing but the standard library, so that
// the build can make the template shortcut with it on the machine it runs on.
#include <cassert>

#include "shortcut_file.h"
#include "shortcut_format.h"

namespace fw::shortcut {

namespace {

using namespace format;

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint32_t size32(std::size_t size) {
    assert(size <= 0xFFFF'FFFF);
    return static_cast<std::uint32_t>(size);
}

// A local drive's volume with no label, the local path and an empty suffix.
void putLinkInfo(std::string& out, const std::string& target) {
    const std::uint32_t volumeSize = kVolumeHeaderSize + 1;
    const std::uint32_t pathAt = kLinkInfoHeaderSize + volumeSize;
    const std::uint32_t suffixAt = pathAt + size32(target.size()) + 1;
    put32(out, suffixAt + 1);
    put32(out, kLinkInfoHeaderSize);
    put32(out, kHasLocalBasePath);
    put32(out, kLinkInfoHeaderSize);
    put32(out, pathAt);
    put32(out, 0);  // no network share
    put32(out, suffixAt);
    put32(out, volumeSize);
    put32(out, kDriveFixed);
    put32(out, 0);  // serial number
    put32(out, kVolumeHeaderSize);
    out += '\0';
    out += target;
    out += '\0';
    out += '\0';
}

}  // namespace

std::string write(const Shortcut& shortcut) {
    const struct {
        std::uint32_t flag;
        const std::string& text;
    } strings[] = {
        {kHasName, shortcut.description},
        {kHasWorkingDir, shortcut.workingDirectory},
        {kHasArguments, shortcut.arguments},
        {kHasIconLocation, shortcut.iconPath},
    };
    std::uint32_t flags = shortcut.target.empty() ? 0 : kHasLinkInfo;
    for (const auto& string : strings) {
        if (!string.text.empty()) {
            flags |= string.flag;
        }
    }

    std::string out;
    put32(out, kHeaderSize);
    out.append(kLinkClass, sizeof kLinkClass);
    put32(out, flags);
    // The target's attributes, times and size: none kept.
    out.append(kIconIndexAt - out.size(), '\0');
    put32(out, static_cast<std::uint32_t>(shortcut.iconIndex));
    put32(out, static_cast<std::uint32_t>(shortcut.showCommand));
    put16(out, shortcut.hotKey);
    out.append(kHeaderSize - out.size(), '\0');

    if (!shortcut.target.empty()) {
        putLinkInfo(out, shortcut.target);
    }
    for (const auto& string : strings) {
        if (!string.text.empty()) {
            assert(string.text.size() <= 0xFFFF);
            put16(out, static_cast<std::uint32_t>(string.text.size()));
            out += string.text;
        }
    }
    put32(out, 0);  // no extra data
    return out;
}

}  // namespace fw::shortcut
