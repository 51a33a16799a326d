// A file operation that is to fail, for the headless backend's file sandbox.
#pragma once

#include <cstdint>
#include <string>

#include "framework/file_error.h"

namespace fw::test {

// The next time the operation is done on a file whose full path matches (ignoring case), it
// raises the cause. Reads and writes fail once they would pass afterBytes bytes since the open
// (a write puts the bytes before that point in the file). A move into place (replaceFile) fails
// when either its source or its target matches.
struct FileFault {
    enum class Op { open, create, read, write, length, close, remove, move };
    std::string path;
    Op op = Op::open;
    FileError::Cause cause = FileError::Cause::generic;
    std::uint64_t afterBytes = 0;
};

}  // namespace fw::test
