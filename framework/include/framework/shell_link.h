// The platform's shell link object: a shortcut file loaded, changed and saved back. Each call
// says whether it succeeded, so that a caller can check every one, and failure() says why the last
// one that failed did.
#pragma once

#include <memory>
#include <string>

#include "framework/file_error.h"

namespace fw {

class ShellLink {
  public:
    ShellLink();
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;
    ~ShellLink();

    // Makes the object (starting the component library on this thread, which stays started);
    // false when the platform has none.
    bool create();
    // Loads a shortcut file, read-only; the path is converted from the 8-bit code page to
    // UTF-16 and must fit the platform's 260 units (false otherwise, as for an invalid path).
    bool load(const std::string& path);
    bool setArguments(const std::string& arguments);
    bool setDescription(const std::string& description);
    bool setIconLocation(const std::string& path, int index);
    bool setPath(const std::string& path);
    bool setShowCommand(int show);
    bool setWorkingDirectory(const std::string& folder);
    // Writes the shortcut back into the file it was loaded from.
    bool save();

    // The cause of the last failure as a file error's (generic when the platform gave none).
    FileError::Cause failure() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace fw
