// The layout of a shortcut file, shared by its writer and its reader: a fixed header, then the
// parts its flags announce, in this order: the item identifier list, the link information with
// the target's local path, the strings, and extra data blocks up to an empty one. All numbers are
// little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw::shortcut::format {

constexpr std::uint32_t kHeaderSize = 0x4C;
// The shell link class, 00021401-0000-0000-C000-000000000046, as stored.
constexpr char kLinkClass[16] = {0x01,   0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                 '\xC0', 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::size_t kIconIndexAt = 0x38;

// The flags of the parts that follow the header.
constexpr std::uint32_t kHasIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

// The link information: a header of offsets into it (a longer one adds UTF-16 paths), the volume,
// the local base path and a suffix that completes it.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoWideHeaderSize = 0x24;
constexpr std::uint32_t kHasLocalBasePath = 0x01;
constexpr std::uint32_t kVolumeHeaderSize = 0x10;
constexpr std::uint32_t kDriveFixed = 3;

}  // namespace fw::shortcut::format
