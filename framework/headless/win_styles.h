// The platform's style bits that the headless backend interprets, with the values the .rc scripts
// compile into the templates.
#pragma once

#include <cstdint>

namespace fw::headless::style {

constexpr std::uint32_t kMinimize = 0x20000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kTabStop = 0x00010000;

// Dialogs.
constexpr std::uint32_t kDsSetFont = 0x0040;

// Buttons: the low four bits are the kind.
constexpr std::uint32_t kBsTypeMask = 0x000F;
constexpr std::uint32_t kBsDefPushButton = 0x0001;
constexpr std::uint32_t kBsCheckBox = 0x0002;
constexpr std::uint32_t kBsAutoCheckBox = 0x0003;
constexpr std::uint32_t kBsRadioButton = 0x0004;
constexpr std::uint32_t kBsAutoRadioButton = 0x0009;

// Combo boxes: the low two bits are the kind.
constexpr std::uint32_t kCbsTypeMask = 0x0003;
constexpr std::uint32_t kCbsDropDownList = 0x0003;
constexpr std::uint32_t kCbsSort = 0x0100;

}  // namespace fw::headless::style
