// The serialisation archive over a file: 32-bit little-endian integers, archived strings, raw
// bytes, through a buffer. A read past the data raises FileError endOfFile naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class File;

class Archive {
  public:
    enum class Mode { load, store };
    static constexpr std::size_t kDefaultBuffer = 4096;

    Archive(File& file, Mode mode, std::size_t bufferSize = kDefaultBuffer);
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    // Discards what is not flushed; call close() to write it.
    ~Archive();

    bool isStoring() const { return mode_ == Mode::store; }
    bool isLoading() const { return mode_ == Mode::load; }

    void writeInt32(std::int32_t value);
    void writeUInt32(std::uint32_t value);
    // One length byte for 0 to 254 characters; 0xFF and 16 bits for 255 to 65,533; 0xFF,
    // 0xFFFF and 32 bits beyond.
    void writeString(const std::string& value);
    void writeBytes(const void* data, std::size_t size);

    std::int32_t readInt32();
    std::uint32_t readUInt32();
    // Also reads the wide form (0xFF, 0xFFFE, then a length in UTF-16 units), converted to the
    // 8-bit code page. A length beyond the bytes left is endOfFile.
    std::string readString();
    void readBytes(void* data, std::size_t size);
    // Bytes not yet read: those in the buffer and those left in the file.
    std::uint64_t bytesLeft() const;

    // Writes the buffer out.
    void flush();
    // Flushes when storing; the file stays open.
    void close();

  private:
    void fill(std::size_t wanted);
    std::uint64_t readLength();

    File& file_;
    Mode mode_;
    std::vector<unsigned char> buffer_;
    std::size_t begin_ = 0;  // loading: next byte to hand out
    std::size_t end_ = 0;    // loading: bytes held; storing: bytes waiting
    bool closed_ = false;
};

}  // namespace fw
