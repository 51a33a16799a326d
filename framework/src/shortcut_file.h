// Our own reader and writer of the shortcut (.lnk) file format: the headless backend's shell link
// object keeps its shortcuts with it, and the build makes the template shortcut with it. It
// handles what a program's shortcut holds: a local target path, arguments, description, working
// folder, icon location, show command and hot key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fw::shortcut {

struct Shortcut {
    std::string target;  // a full local path, in the 8-bit code page
    std::string arguments;
    std::string description;
    std::string workingDirectory;
    std::string iconPath;
    int iconIndex = 0;
    int showCommand = 1;  // a normal window
    std::uint16_t hotKey = 0;
    bool operator==(const Shortcut&) const = default;
};

// The bytes of a shortcut file.
std::string write(const Shortcut& shortcut);
// The shortcut the bytes hold; nothing when they are not a shortcut file or end too early.
std::optional<Shortcut> read(const std::string& bytes);

}  // namespace fw::shortcut
