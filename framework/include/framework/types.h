// Basic types and the Windows constants the framework's callers use. The values are the
// platform's own, so both backends and the .rc scripts agree on them.
#pragma once

#include <cstdint>

namespace fw {

// An opaque window, control, icon or other platform object.
using Handle = void*;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Dialog results and standard command ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Window messages routed by the framework.
namespace wm {
constexpr unsigned kCreate = 0x0001;
constexpr unsigned kDestroy = 0x0002;
constexpr unsigned kSize = 0x0005;
constexpr unsigned kPaint = 0x000F;
constexpr unsigned kClose = 0x0010;
constexpr unsigned kQueryDragIcon = 0x0037;
// F1, which the platform sends to the window with the focus and passes up to its dialog.
constexpr unsigned kHelp = 0x0053;
constexpr unsigned kNotify = 0x004E;
constexpr unsigned kInitDialog = 0x0110;
constexpr unsigned kCommand = 0x0111;
constexpr unsigned kSysCommand = 0x0112;
constexpr unsigned kTimer = 0x0113;
constexpr unsigned kUser = 0x0400;
}  // namespace wm

// Mouse messages as the tray callback carries them in lParam.
namespace mouse {
constexpr unsigned kMove = 0x0200;
constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kLeftDoubleClick = 0x0203;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kRightUp = 0x0205;
}  // namespace mouse

// Notification codes (list views report these through onNotify).
namespace nm {
constexpr int kDoubleClick = -3;
constexpr int kRightClick = -5;
}  // namespace nm

// Button notification carried by a command.
constexpr int kButtonClicked = 0;
// Combo box notification: the selection changed.
constexpr int kComboSelChange = 1;
// Edit notification: the text changed.
constexpr int kEditChange = 0x0300;

// Size-change kinds passed to onSize.
constexpr int kSizeRestored = 0;
constexpr int kSizeMinimized = 1;

// System commands.
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScRestore = 0xF120;

// Show states for launching programs and documents.
constexpr int kShowNormal = 1;

// Button check states.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

// The help command, which F1 gives a window.
constexpr int kCommandHelp = 0xE146;

// Virtual keys a test can press in a dialog.
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeyF1 = 0x70;

}  // namespace fw
