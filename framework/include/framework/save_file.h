// Writing a file in full or not at all.
#pragma once

#include <functional>
#include <string>

namespace fw {

class Archive;

// Writes a file through an archive into a temporary file beside it (the name followed by
// kSaveSuffix), then puts it in place of the old file in one step. When anything fails the old
// file stays as it was, the temporary file is removed and the FileError is raised again, naming
// the file (not the temporary one) for errors after the open.
void saveFile(const std::string& name, const std::function<void(Archive&)>& write);

constexpr const char* kSaveSuffix = ".tmp";

}  // namespace fw
