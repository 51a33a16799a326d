// Message boxes.
#pragma once

#include <string>

namespace fw {

class Window;

namespace mb {
constexpr unsigned kOk = 0x0000;
constexpr unsigned kYesNo = 0x0004;
constexpr unsigned kIconStop = 0x0010;
constexpr unsigned kIconExclamation = 0x0030;
constexpr unsigned kButtonMask = 0x000F;
constexpr unsigned kIconMask = 0x00F0;
}  // namespace mb

// Shows a modal message box owned by owner (may be null); returns the button pressed
// (kIdOk, kIdCancel, kIdYes, kIdNo).
int messageBox(const Window* owner, const std::string& text, const std::string& caption,
               unsigned type);

}  // namespace fw
