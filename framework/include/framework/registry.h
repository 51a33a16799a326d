// The current user's registry: keys and typed values. Results are the platform's error codes.
#pragma once

#include <cstdint>
#include <string>

namespace fw::reg {

constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidParameter = 87;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;

// Value types.
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kString = 1;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;

class Key {
  public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key();

    // Opens an existing key below HKEY_CURRENT_USER with all access.
    long open(const std::string& subKey);
    // Opens or creates it (non-volatile, no class).
    long create(const std::string& subKey);
    bool isOpen() const { return handle_ != nullptr; }
    long close();

    // Reads a value into data (size in: room, out: the value's size) and its type. When the
    // room is too small, kMoreData with the size needed.
    long query(const std::string& name, void* data, std::uint32_t* size, std::uint32_t* type) const;
    long set(const std::string& name, std::uint32_t type, const void* data, std::uint32_t size);
    long remove(const std::string& name);
    // The name of the value at index (0, 1, ...); kNoMoreItems past the last. Windows keeps its
    // own order; the headless registry lists the names sorted, ignoring case.
    long enumValue(std::uint32_t index, std::string* name) const;

  private:
    void* handle_ = nullptr;
};

}  // namespace fw::reg
