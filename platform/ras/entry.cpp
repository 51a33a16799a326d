#include "platform/ras/entry.h"

namespace ras::sim {

namespace {

void putNumber(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

void putText(std::vector<unsigned char>& out, const std::string& text) {
    const std::string cut = text.substr(0, kMaxEntryText);
    putNumber(out, static_cast<std::uint32_t>(cut.size()));
    out.insert(out.end(), cut.begin(), cut.end());
}

// Reads fields from the front of a value; any read past the end or over a limit fails it.
class Reader {
  public:
    Reader(const unsigned char* data, std::size_t size) : data_(data), left_(size) {}

    bool number(std::uint32_t& value) {
        if (left_ < 4) {
            return false;
        }
        value = static_cast<std::uint32_t>(data_[0]) | static_cast<std::uint32_t>(data_[1]) << 8 |
                static_cast<std::uint32_t>(data_[2]) << 16 |
                static_cast<std::uint32_t>(data_[3]) << 24;
        data_ += 4;
        left_ -= 4;
        return true;
    }
    bool text(std::string& value) {
        std::uint32_t length = 0;
        if (!number(length) || length > kMaxEntryText || length > left_) {
            return false;
        }
        value.assign(reinterpret_cast<const char*>(data_), length);
        data_ += length;
        left_ -= length;
        return true;
    }
    bool atEnd() const { return left_ == 0; }

  private:
    const unsigned char* data_;
    std::size_t left_;
};

}  // namespace

std::vector<unsigned char> encodeEntry(const Entry& entry) {
    std::vector<unsigned char> out;
    putNumber(out, kEntryVersion);
    putNumber(out, static_cast<std::uint32_t>(entry.line));
    putNumber(out, entry.count);
    putText(out, entry.phoneNumber);
    putText(out, entry.device);
    return out;
}

Entry decodeEntry(const unsigned char* data, std::size_t size) {
    Reader reader(data, size);
    std::uint32_t version = 0;
    std::uint32_t line = 0;
    Entry entry;
    if (reader.number(version) && version == kEntryVersion && reader.number(line) &&
        line < kLineCount && reader.number(entry.count) && reader.text(entry.phoneNumber) &&
        reader.text(entry.device) && reader.atEnd()) {
        entry.line = static_cast<Line>(line);
        return entry;
    }
    return Entry{};
}

}  // namespace ras::sim
