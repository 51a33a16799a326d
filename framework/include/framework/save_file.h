// Writing a file in full or not at all.
#pragma once

#include <functional>
#include <string>

#include "framework/file.h"

namespace fw {

class Archive;

constexpr const char* kSaveSuffix = ".tmp";

// The temporary name of a file written in full or not at all: the name followed by kSaveSuffix,
// or one no longer than the name where that would make the path too long (nameBeside).
std::string temporaryName(const std::string& name);

// A file written under its temporary name and put in its place in one step by commit(). Dropped
// without commit(), it removes the temporary file and leaves the old file as it was.
class ReplacingFile {
  public:
    // Creates the temporary file; raises FileError naming the file as given.
    explicit ReplacingFile(std::string name);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    File& file() { return file_; }
    // Closes the temporary file, complete; raises FileError naming the file.
    void close();
    // Closes the temporary file, unless close() did, and puts it in place of the old file; raises
    // FileError naming the file.
    void commit();
    // An error as the user should hear it: one about the temporary file names the file instead
    // (as given for the create, by its full path after that); any other is returned as it is.
    FileError named(const FileError& error) const;

  private:
    std::string name_;
    std::string temporary_;
    File file_;
    bool committed_ = false;
};

// Writes a file through an archive into a ReplacingFile. When anything fails the old file stays as
// it was, the temporary file is removed and the FileError is raised again, naming the file (not
// the temporary one).
void saveFile(const std::string& name, const std::function<void(Archive&)>& write);

}  // namespace fw
