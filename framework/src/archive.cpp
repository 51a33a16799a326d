// The serialisation archive: little-endian integers and length-prefixed strings through a buffer.
#include "framework/archive.h"

#include <algorithm>
#include <cstring>

#include "framework/file.h"
#include "framework/paths.h"

namespace fw {

namespace {

// A length byte of 0xFF says a 16-bit length follows; of those, 0xFFFF says a 32-bit length
// follows and 0xFFFE introduces the wide form.
constexpr unsigned char kLongerLength = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLength32 = 0xFFFF;
// What readLength returns for the wide marker: beyond any length a prefix can hold.
constexpr std::uint64_t kWide = ~std::uint64_t{0};

[[noreturn]] void endOfFile(const File& file) {
    throw FileError(FileError::Cause::endOfFile, file.path());
}

}  // namespace

Archive::Archive(File& file, Mode mode, std::size_t bufferSize)
    : file_(file), mode_(mode), buffer_(std::max<std::size_t>(bufferSize, 1)) {}

Archive::~Archive() = default;

void Archive::writeInt32(std::int32_t value) {
    writeUInt32(static_cast<std::uint32_t>(value));
}

void Archive::writeUInt32(std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value),
        static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16),
        static_cast<unsigned char>(value >> 24),
    };
    writeBytes(bytes, sizeof bytes);
}

void Archive::writeString(const std::string& value) {
    const std::size_t length = value.size();
    if (length < kLongerLength) {
        const auto byte = static_cast<unsigned char>(length);
        writeBytes(&byte, 1);
    } else if (length < kWideMarker) {
        const unsigned char prefix[3] = {kLongerLength, static_cast<unsigned char>(length),
                                         static_cast<unsigned char>(length >> 8)};
        writeBytes(prefix, sizeof prefix);
    } else {
        const unsigned char prefix[3] = {kLongerLength, 0xFF, 0xFF};
        writeBytes(prefix, sizeof prefix);
        writeUInt32(static_cast<std::uint32_t>(length));
    }
    writeBytes(value.data(), length);
}

void Archive::writeBytes(const void* data, std::size_t size) {
    const auto* in = static_cast<const unsigned char*>(data);
    while (size > 0) {
        if (end_ == buffer_.size()) {
            flush();
        }
        if (end_ == 0 && size >= buffer_.size()) {
            file_.write(in, size);
            return;
        }
        const std::size_t take = std::min(size, buffer_.size() - end_);
        std::memcpy(buffer_.data() + end_, in, take);
        end_ += take;
        in += take;
        size -= take;
    }
}

std::int32_t Archive::readInt32() {
    return static_cast<std::int32_t>(readUInt32());
}

std::uint32_t Archive::readUInt32() {
    unsigned char bytes[4];
    readBytes(bytes, sizeof bytes);
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::string Archive::readString() {
    const std::uint64_t length = readLength();
    if (length != kWide) {
        // Checked before allocating: a damaged prefix must not ask for more than the file holds.
        if (length > bytesLeft()) {
            endOfFile(file_);
        }
        std::string value(static_cast<std::size_t>(length), '\0');
        readBytes(value.data(), value.size());
        return value;
    }
    std::uint64_t units = readLength();
    if (units == kWide) {
        // The second prefix has no wide form of its own: there 0xFFFE is a plain length.
        units = kWideMarker;
    }
    if (units > bytesLeft() / 2) {
        endOfFile(file_);
    }
    std::string bytes(static_cast<std::size_t>(units) * 2, '\0');
    readBytes(bytes.data(), bytes.size());
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return wideToAnsi(wide);
}

void Archive::readBytes(void* data, std::size_t size) {
    auto* out = static_cast<unsigned char*>(data);
    while (size > 0) {
        if (begin_ == end_) {
            if (size >= buffer_.size()) {
                const std::size_t got = file_.read(out, size);
                if (got == 0) {
                    endOfFile(file_);
                }
                out += got;
                size -= got;
                continue;
            }
            fill(size);
        }
        const std::size_t take = std::min(size, end_ - begin_);
        std::memcpy(out, buffer_.data() + begin_, take);
        begin_ += take;
        out += take;
        size -= take;
    }
}

std::uint64_t Archive::bytesLeft() const {
    return (end_ - begin_) + file_.length() - file_.position();
}

void Archive::flush() {
    if (mode_ != Mode::store || end_ == 0) {
        return;
    }
    file_.write(buffer_.data(), end_);
    end_ = 0;
}

void Archive::close() {
    if (closed_) {
        return;
    }
    flush();
    closed_ = true;
}

// Refills the empty buffer with at least wanted bytes, or as many as the file still has.
void Archive::fill(std::size_t wanted) {
    begin_ = 0;
    end_ = 0;
    while (end_ < wanted && end_ < buffer_.size()) {
        const std::size_t got = file_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (got == 0) {
            break;
        }
        end_ += got;
    }
    if (end_ == 0) {
        endOfFile(file_);
    }
}

std::uint64_t Archive::readLength() {
    unsigned char byte = 0;
    readBytes(&byte, 1);
    if (byte < kLongerLength) {
        return byte;
    }
    unsigned char bytes[2];
    readBytes(bytes, sizeof bytes);
    const auto length16 = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    if (length16 == kWideMarker) {
        return kWide;
    }
    if (length16 < kLength32) {
        return length16;
    }
    return readUInt32();
}

}  // namespace fw
