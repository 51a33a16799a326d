// "Ondrel.dat" written out by hand, field by field, for golden files: 32-bit little-endian
// numbers and strings of up to 254 characters with their one length byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline std::string le32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((bits >> shift) & 0xFF);
    }
    return bytes;
}

// Longer strings are written out where a test needs them.
inline std::string short8(const std::string& text) {
    return static_cast<char>(text.size()) + text;
}

// Fields 1 to 10, in the file's order.
struct Options {
    std::int32_t saveUserAndPassword = 0, keepDialing = 0, startWithWindows = 0, autoDial = 0,
                 startMinimized = 0, startProgram = 0;
    std::string programPath = {};
    std::int32_t playSound = 0;
    std::string soundPath = {};
    std::int32_t dialBySchedule = 0;
};

struct Triple {
    std::string name, userId, password;
};
// Three remembered entries, each with its own account.
inline const std::vector<Triple> kThree = {
    {"Home", "ann", "one"}, {"Work", "bob", "two"}, {"Lab", "cyd", "three"}};

inline std::string settingsFile(const Options& o, std::int32_t count, std::int32_t current,
                                const std::vector<Triple>& entries = {}) {
    std::string bytes = le32(o.saveUserAndPassword) + le32(o.keepDialing) +
                        le32(o.startWithWindows) + le32(o.autoDial) + le32(o.startMinimized) +
                        le32(o.startProgram) + short8(o.programPath) + le32(o.playSound) +
                        short8(o.soundPath) + le32(o.dialBySchedule) + le32(count) + le32(current);
    for (const Triple& entry : entries) {
        bytes += short8(entry.name) + short8(entry.userId) + short8(entry.password);
    }
    return bytes;
}
