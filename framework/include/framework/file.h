// Files opened by name, relative to the current directory; every failure raises FileError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/file_error.h"
#include "framework/types.h"

namespace fw {

enum class FileMode {
    read,         // an existing file, for reading
    createWrite,  // created, or emptied if it exists, for writing
};

class File {
  public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();  // closes without reporting

    // Raises FileError naming the file as given.
    void open(const std::string& name, FileMode mode);
    bool isOpen() const { return handle_ != nullptr; }
    // The name as given to open, and the full path it resolved to.
    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }

    // Reads up to size bytes; returns how many were read (0 at the end).
    std::size_t read(void* data, std::size_t size);
    // Writes all bytes; a short write raises diskFull.
    void write(const void* data, std::size_t size);
    std::uint64_t length() const;
    std::uint64_t position() const;
    // Raises the close error, if any.
    void close();

  private:
    Handle handle_ = nullptr;
    std::string name_;
    std::string path_;
};

}  // namespace fw
