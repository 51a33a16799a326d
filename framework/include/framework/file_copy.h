// Copying a file byte for byte, in blocks through a buffer the caller owns.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace fw {

// The bytes a copy moves at a time; the caller's buffer holds at least this many.
constexpr std::size_t kCopyBlock = 999;

// Copies the file source to each of targets (names as File::open takes them); a target that names
// the source itself is left as it is. The source is opened first, so a missing one creates nothing.
// Each target is written as a ReplacingFile, and all are complete and closed before the first is
// put in place, so a copy that fails while writing leaves every old target as it was. Blocks are
// read into buffer and written to every target until the source's length, asked again after each
// block, falls short of all the blocks read (a length that is a multiple of the block ends with a
// read of nothing). Raises FileError naming the file that failed.
void copyFile(const std::string& source, std::span<const std::string> targets,
              std::span<char> buffer);

}  // namespace fw
