// The records the remote access calls exchange, in the platform's classic (oldest) forms, which
// every version of the platform accepts. Sizes and field offsets must stay exactly as they are:
// the system implementation hands these records to the platform unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ras {

// Longest texts, terminator not counted.
constexpr std::size_t kMaxEntryName = 256;
constexpr std::size_t kMaxPhoneNumber = 128;
constexpr std::size_t kMaxCallbackNumber = 128;
constexpr std::size_t kMaxUserName = 256;
constexpr std::size_t kMaxPassword = 256;
constexpr std::size_t kMaxDomain = 15;
constexpr std::size_t kMaxDeviceType = 16;
constexpr std::size_t kMaxDeviceName = 128;

// One phonebook entry's name, as the enumeration writes it.
struct EntryNameRecord {
    std::uint32_t dwSize;
    char szEntryName[kMaxEntryName + 1];
};
static_assert(sizeof(EntryNameRecord) == 264);
static_assert(offsetof(EntryNameRecord, szEntryName) == 4);

// What a dial needs: the entry, and the account to log on with. An empty phone number dials the
// entry's own number.
struct DialParams {
    std::uint32_t dwSize;
    char szEntryName[kMaxEntryName + 1];
    char szPhoneNumber[kMaxPhoneNumber + 1];
    char szCallbackNumber[kMaxCallbackNumber + 1];
    char szUserName[kMaxUserName + 1];
    char szPassword[kMaxPassword + 1];
    char szDomain[kMaxDomain + 1];
};
static_assert(sizeof(DialParams) == 1052);
static_assert(offsetof(DialParams, szEntryName) == 4);
static_assert(offsetof(DialParams, szPhoneNumber) == 261);
static_assert(offsetof(DialParams, szCallbackNumber) == 390);
static_assert(offsetof(DialParams, szUserName) == 519);
static_assert(offsetof(DialParams, szPassword) == 776);
static_assert(offsetof(DialParams, szDomain) == 1033);

// A connection's state, its error (0 while all is well) and the device it uses.
struct ConnStatus {
    std::uint32_t dwSize;
    std::uint32_t rasconnstate;
    std::uint32_t dwError;
    char szDeviceType[kMaxDeviceType + 1];
    char szDeviceName[kMaxDeviceName + 1];
};
static_assert(sizeof(ConnStatus) == 160);
static_assert(offsetof(ConnStatus, rasconnstate) == 4);
static_assert(offsetof(ConnStatus, dwError) == 8);
static_assert(offsetof(ConnStatus, szDeviceType) == 12);
static_assert(offsetof(ConnStatus, szDeviceName) == 29);

// Copies text into a fixed field, cut to fit, and zero-fills the rest of the field.
template <std::size_t N>
void copyField(char (&field)[N], const std::string& text) {
    const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, N - length);
}

// The text of a fixed field, which may lack its terminator.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return std::string(field, end != nullptr ? static_cast<const char*>(end) : field + N);
}

// Dial parameters for an entry and an account; entry name, user name and password are cut to
// 256 characters, the other fields are empty.
DialParams makeDialParams(const std::string& entryName, const std::string& userName,
                          const std::string& password);

}  // namespace ras
