// Checks a program's dialog templates as windres compiles them from its resource script (the test
// program embeds the compiled script): each dialog's caption, size, font and window styles, and
// each control's id, kind, text, image and the style bits its behaviour depends on, where the
// layout is fixed also its place; and the texts of its string table. Tests write ids and texts out
// rather than take them from the program's resource.h, so a wrong number there fails too.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "res_file.h"

extern const unsigned char fw_resource_data[];
extern const std::size_t fw_resource_size;

namespace templates {

using fw::headless::DialogItemTemplate;
using fw::headless::DialogTemplate;
using fw::headless::ResFile;

// Window and dialog styles.
constexpr std::uint32_t kWsPopup = 0x80000000, kWsVisible = 0x10000000, kWsDisabled = 0x08000000,
                        kWsCaption = 0x00C00000, kWsBorder = 0x00800000, kWsVScroll = 0x00200000,
                        kWsSysMenu = 0x00080000, kWsMinimizeBox = 0x00020000,
                        kWsExAppWindow = 0x00040000, kDs3dLook = 0x0004, kDsModalFrame = 0x0080,
                        kDsCenter = 0x0800;
// Control styles.
constexpr std::uint32_t kSsSunken = 0x1000, kEsPassword = 0x0020, kEsAutoHScroll = 0x0080,
                        kCbsTypeMask = 0x0003, kCbsDropDownList = 0x0003, kCbsSort = 0x0100,
                        kLvsTypeMask = 0x0003, kLvsReport = 0x0001, kLvsSingleSel = 0x0004,
                        kPbsSmooth = 0x0001;

constexpr int kNoId = -1;  // a static or group box that nothing addresses

// Style bits a template must have: the bits under mask must read value; the others are free.
struct Bits {
    std::uint32_t mask = 0;
    std::uint32_t value = 0;
    bool operator==(const Bits&) const = default;
};
inline constexpr auto on = [](std::uint32_t bits) { return Bits{bits, bits}; };
inline constexpr auto off = [](std::uint32_t bits) { return Bits{bits, 0}; };
constexpr Bits operator|(Bits a, Bits b) {
    return {a.mask | b.mask, a.value | b.value};
}

// A control's window class and the style bits of its kind: the low bits of a button's or a
// static's style.
struct Kind {
    const char* className;
    Bits bits;
    bool operator==(const Kind&) const = default;

    static const Kind DefaultButton, Button, GroupBox, CheckBox, Text, Icon, Bitmap, EtchedLine,
        Edit, ComboBox, ListView, ProgressBar;
};
inline constexpr Kind Kind::DefaultButton{"Button", {0xF, 0x1}};  // BS_DEFPUSHBUTTON
inline constexpr Kind Kind::Button{"Button", {0xF, 0x0}};         // BS_PUSHBUTTON
inline constexpr Kind Kind::GroupBox{"Button", {0xF, 0x7}};       // BS_GROUPBOX
inline constexpr Kind Kind::CheckBox{"Button", {0xF, 0x3}};       // BS_AUTOCHECKBOX: toggles itself
inline constexpr Kind Kind::Text{"Static", {0x1F, 0x00}};         // SS_LEFT
inline constexpr Kind Kind::Icon{"Static", {0x1F, 0x03}};         // SS_ICON
inline constexpr Kind Kind::Bitmap{"Static", {0x1F, 0x0E}};       // SS_BITMAP
inline constexpr Kind Kind::EtchedLine{"Static", {0x1F, 0x10}};   // SS_ETCHEDHORZ
inline constexpr Kind Kind::Edit{"Edit", {}};
inline constexpr Kind Kind::ComboBox{"ComboBox", {}};
inline constexpr Kind Kind::ListView{"SysListView32", {}};
inline constexpr Kind Kind::ProgressBar{"msctls_progress32", {}};

struct Box {
    int x, y, cx, cy;
};

struct Control {
    // A static that shows the icon or bitmap resource of this id.
    static Control imageOf(Kind imageKind, int resourceId, Bits styleBits = {},
                           std::optional<Box> place = std::nullopt) {
        return {kNoId, imageKind, nullptr, styleBits, place, resourceId};
    }

    int id;
    Kind kind;
    const char* text = nullptr;  // nullptr: the program sets it, the template's text is free
    Bits bits = {};
    std::optional<Box> box = std::nullopt;  // when the layout is fixed
    int image = 0;
};

struct Dialog {
    int id;
    const char* caption;
    int cx, cy;
    Bits style;
    std::vector<Control> controls;
    Bits exStyle;
    bool inTabOrder;  // the controls are listed in the template's order
};
inline Dialog dialog(int id, const char* caption, int cx, int cy, Bits style,
                     std::vector<Control> controls, Bits exStyle = {}, bool inTabOrder = false) {
    return {id, caption, cx, cy, style, std::move(controls), exStyle, inTabOrder};
}

// A static text at a fixed place.
inline Control label(const char* text, Box box) {
    return {kNoId, Kind::Text, text, {}, box};
}

inline const ResFile& programResources() {
    static const ResFile file(fw_resource_data, fw_resource_size);
    return file;
}

inline void expectBits(std::uint32_t style, Bits bits, const char* what) {
    EXPECT_EQ(style & bits.mask, bits.value) << what << " 0x" << std::hex << style;
}

inline void expectControl(const DialogItemTemplate& item, const Control& control) {
    EXPECT_EQ(item.id, control.id);
    EXPECT_STRCASEEQ(item.className.c_str(), control.kind.className);  // class names ignore case
    if (control.text != nullptr) {
        EXPECT_EQ(item.title, control.text);
    }
    if (control.image != 0) {
        EXPECT_EQ(item.titleId, control.image);
        EXPECT_TRUE(control.kind == Kind::Icon
                        ? programResources().hasIcon(control.image)
                        : programResources().bitmap(control.image).has_value());
    }
    expectBits(item.style, control.kind.bits | control.bits, "style");
    if (control.box) {
        const Box& box = *control.box;
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}),
                  (std::vector<int>{box.x, box.y, box.cx, box.cy}));
    }
}

// The control a row names: by id, or for an unaddressed one by its image and text; one only.
inline const DialogItemTemplate* find(const DialogTemplate& dialog, const Control& control) {
    const DialogItemTemplate* found = nullptr;
    for (const DialogItemTemplate& item : dialog.items) {
        const bool named = control.id != kNoId || (item.titleId == control.image &&
                                                   (!control.text || item.title == control.text));
        if (item.id == control.id && named) {
            EXPECT_EQ(found, nullptr) << "a second control with this id";
            found = &item;
        }
    }
    return found;
}

inline void expectDialog(const Dialog& expected) {
    SCOPED_TRACE("dialog " + std::to_string(expected.id));
    std::optional<DialogTemplate> dialog = programResources().dialog(expected.id);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    EXPECT_EQ(dialog->face, "MS Sans Serif");
    EXPECT_EQ(dialog->pointSize, 8);
    expectBits(dialog->style, expected.style, "dialog style");
    expectBits(dialog->exStyle, expected.exStyle, "dialog extended style");

    ASSERT_EQ(dialog->items.size(), expected.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        const Control& control = expected.controls[i];
        SCOPED_TRACE("row " + std::to_string(i) + ": control " + std::to_string(control.id) +
                     " \"" + (control.text ? control.text : "") + "\"");
        const DialogItemTemplate* item =
            expected.inTabOrder ? &dialog->items[i] : find(*dialog, control);
        if (item == nullptr) {
            ADD_FAILURE() << "no such control";
        } else {
            expectControl(*item, control);
        }
    }
}

// A program's dialogs, and the texts of its string table by id.
inline void expectResources(const std::vector<Dialog>& dialogs,
                            const std::vector<std::pair<int, const char*>>& strings) {
    for (const Dialog& dialog : dialogs) {
        expectDialog(dialog);
    }
    for (const auto& [id, text] : strings) {
        EXPECT_EQ(programResources().string(id), text) << "string " << id;
    }
}

}  // namespace templates
