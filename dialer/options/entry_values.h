// The registry values that make up a phonebook entry, carried as raw typed bytes without being
// interpreted: the entry's value under RemoteAccess\Addresses and six values of its profile key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The room a value has on its way between the registry and a file: a larger value is not saved,
// and a file that claims a larger one is not loaded.
constexpr std::uint32_t kTransferBufferSize = 999;

struct RegValue {
    std::uint32_t type = 0;  // the registry's type code, kept as it was
    std::vector<unsigned char> data;
    bool operator==(const RegValue&) const = default;
};

// The profile values that travel with an entry, in the order they are saved.
inline constexpr std::array<const char*, 6> kProfileValueNames = {
    "IP", "Mode", "MultiLink", "PPPScript", "Terminal", "User",
};

// The Addresses value first, then the profile values in kProfileValueNames' order; nothing
// where a value could not be read.
constexpr std::size_t kEntryValueCount = 1 + kProfileValueNames.size();
using EntryValues = std::array<std::optional<RegValue>, kEntryValueCount>;

// Reads the entry's values through the transfer buffer. A value that is missing, larger than
// the buffer or under a key that cannot be opened is absent.
EntryValues ReadEntryValues(const std::string& entryName);

// Writes the present values and leaves the registry's value alone where one is absent. The
// Addresses key is never created (without it the platform keeps no phonebook); the profile key
// is created when missing. A key or value the registry refuses is skipped. Returns whether the
// phonebook holds the entry afterwards: whether its Addresses value is there.
bool WriteEntryValues(const std::string& entryName, const EntryValues& values);
