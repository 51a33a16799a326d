// A phonebook entry of the simulated service: the number it dials, the device it dials with and
// how the simulated line behaves, and the registry value that holds them.
//
// The value (REG_BINARY, under HKEY_CURRENT_USER\RemoteAccess\Addresses, named after the entry)
// is laid out as follows, every number 32-bit unsigned little-endian, no padding:
//
//   offset  field
//   0       version, 1
//   4       line behaviour (Line below, 0 to 6)
//   8       N: attempts for busyFirst, seconds for dropsAfter, unused otherwise
//   12      length of the phone number (at most 128), then its characters, no terminator
//   ...     length of the device name (at most 128), then its characters, no terminator
//
// Readers trust nothing in it: a value that is not exactly this layout (another version, an
// unknown behaviour, a length past the end or over its limit, bytes left over) reads as the
// default entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ras::sim {

// How the simulated line answers a dial, in the order the entry dialog lists them.
enum class Line : std::uint32_t {
    answers,
    busy,
    noAnswer,
    noDialTone,
    rejectsLogin,
    busyFirst,   // busy for the first N attempts of the process, then answers
    dropsAfter,  // answers, and the connection drops N seconds after it is made
};
constexpr std::uint32_t kLineCount = 7;

struct Entry {
    Line line = Line::answers;
    std::uint32_t count = 0;  // N
    std::string phoneNumber;
    std::string device;  // empty: the first device
    bool operator==(const Entry&) const = default;
};

constexpr std::uint32_t kEntryVersion = 1;
constexpr std::size_t kMaxEntryText = 128;

// Texts longer than 128 characters are cut.
std::vector<unsigned char> encodeEntry(const Entry& entry);
Entry decodeEntry(const unsigned char* data, std::size_t size);

}  // namespace ras::sim
