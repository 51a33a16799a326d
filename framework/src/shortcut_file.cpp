// The shortcut file format: a fixed header, then the parts its flags announce, in this order: the
// item identifier list, the link information with the target's local path, the strings, and extra
// data blocks up to an empty one. All numbers are little-endian. We write the link information
// (no item identifier list, which only the shell can build) and strings in the 8-bit code page; we
// read strings in either form and skip what a program's shortcut does not need.
#include "shortcut_file.h"

#include <cassert>
#include <cstring>

#include "framework/paths.h"

namespace fw::shortcut {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// The shell link class, 00021401-0000-0000-C000-000000000046, as stored.
constexpr char kLinkClass[16] = {0x01,   0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                 '\xC0', 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::size_t kIconIndexAt = 0x38;

// The flags of the parts that follow the header.
constexpr std::uint32_t kHasIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

// The link information: a header of offsets into it (a longer one adds UTF-16 paths), the volume,
// the local base path and a suffix that completes it.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoWideHeaderSize = 0x24;
constexpr std::uint32_t kHasLocalBasePath = 0x01;
constexpr std::uint32_t kVolumeHeaderSize = 0x10;
constexpr std::uint32_t kDriveFixed = 3;

// Bytes that are not a shortcut file, or that end too early.
struct Malformed {};

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

// Reads within [at, end) of the bytes; anything beyond is Malformed.
class Cursor {
  public:
    Cursor(const std::string& bytes, std::size_t at, std::size_t end)
        : bytes_(bytes), at_(at), end_(end) {}

    std::size_t at() const { return at_; }
    void skip(std::size_t count) {
        need(count);
        at_ += count;
    }
    std::uint32_t u16() {
        need(2);
        const auto low = static_cast<unsigned char>(bytes_[at_]);
        const auto high = static_cast<unsigned char>(bytes_[at_ + 1]);
        at_ += 2;
        return static_cast<std::uint32_t>(low | high << 8);
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | u16() << 16;
    }
    std::string bytes(std::size_t count) {
        need(count);
        at_ += count;
        return bytes_.substr(at_ - count, count);
    }
    std::u16string wide(std::size_t count) {
        std::u16string text;
        need(count * 2);
        for (std::size_t i = 0; i < count; ++i) {
            text += static_cast<char16_t>(u16());
        }
        return text;
    }
    // A string that ends with a NUL character (two bytes of 0 when wide).
    std::string terminated(bool isWide) {
        if (isWide) {
            std::u16string text;
            for (std::uint32_t c = u16(); c != 0; c = u16()) {
                text += static_cast<char16_t>(c);
            }
            return wideToAnsi(text);
        }
        std::string text;
        for (std::string c = bytes(1); c[0] != '\0'; c = bytes(1)) {
            text += c;
        }
        return text;
    }

  private:
    void need(std::size_t count) const {
        if (count > end_ - at_) {
            throw Malformed{};
        }
    }

    const std::string& bytes_;
    std::size_t at_;
    std::size_t end_;
};

// The target's local path: the base path and its suffix, from UTF-16 copies where they are kept.
std::string readLinkInfo(Cursor& file, const std::string& bytes) {
    const std::size_t begin = file.at();
    const std::uint32_t size = file.u32();
    if (size < kLinkInfoHeaderSize) {
        throw Malformed{};
    }
    file.skip(size - 4);
    Cursor info(bytes, begin, begin + size);
    info.skip(4);
    const std::uint32_t headerSize = info.u32();
    const std::uint32_t flags = info.u32();
    info.skip(4);  // the volume
    const std::uint32_t pathAt = info.u32();
    info.skip(4);  // the network share
    const std::uint32_t suffixAt = info.u32();
    std::uint32_t widePathAt = 0;
    std::uint32_t wideSuffixAt = 0;
    if (headerSize >= kLinkInfoWideHeaderSize) {
        widePathAt = info.u32();
        wideSuffixAt = info.u32();
    }
    if (!(flags & kHasLocalBasePath)) {
        return {};
    }
    const auto stringAt = [&](std::uint32_t at, std::uint32_t wideAt) {
        const bool isWide = wideAt != 0;
        Cursor string(bytes, begin, begin + size);
        string.skip(isWide ? wideAt : at);
        return string.terminated(isWide);
    };
    return stringAt(pathAt, widePathAt) + stringAt(suffixAt, wideSuffixAt);
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

std::optional<Shortcut> read(const std::string& bytes) {
    try {
        Cursor file(bytes, 0, bytes.size());
        if (file.u32() != kHeaderSize ||
            file.bytes(sizeof kLinkClass) != std::string(kLinkClass, sizeof kLinkClass)) {
            return std::nullopt;
        }
        Shortcut shortcut;
        const std::uint32_t flags = file.u32();
        file.skip(kIconIndexAt - kFlagsAt - 4);
        shortcut.iconIndex = static_cast<int>(static_cast<std::int32_t>(file.u32()));
        shortcut.showCommand = static_cast<int>(file.u32());
        shortcut.hotKey = static_cast<std::uint16_t>(file.u16());
        file.skip(kHeaderSize - file.at());

        if (flags & kHasIdList) {
            file.skip(file.u16());
        }
        if (flags & kHasLinkInfo) {
            shortcut.target = readLinkInfo(file, bytes);
        }
        // The strings, in the order of their flags; a relative path is not kept.
        std::string relativePath;
        const struct {
            std::uint32_t flag;
            std::string* text;
        } fields[] = {
            {kHasName, &shortcut.description},
            {kHasRelativePath, &relativePath},
            {kHasWorkingDir, &shortcut.workingDirectory},
            {kHasArguments, &shortcut.arguments},
            {kHasIconLocation, &shortcut.iconPath},
        };
        for (const auto& field : fields) {
            if (flags & field.flag) {
                const std::uint32_t count = file.u16();
                const std::string text =
                    (flags & kIsUnicode) ? wideToAnsi(file.wide(count)) : file.bytes(count);
                // Wine's shell link counts the terminating NUL character as one of them.
                *field.text = text.substr(0, text.find('\0'));
            }
        }
        // Extra data blocks, each with its size first, up to one of fewer than four bytes.
        for (std::uint32_t size = file.u32(); size >= 4; size = file.u32()) {
            file.skip(size - 4);
        }
        return shortcut;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

}  // namespace fw::shortcut
