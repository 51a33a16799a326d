// Reading a shortcut file: strings in either form, the target from the link information, and
// nothing of what a program's shortcut does not need.
#include <cstring>

#include "framework/paths.h"
#include "shortcut_file.h"
#include "shortcut_format.h"

namespace fw::shortcut {

namespace {

using namespace format;

// Bytes that are not a shortcut file, or that end too early.
struct Malformed {};

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
