// Checks a program's dialog templates as windres compiles them from its resource script (the test
// program embeds the compiled script): each dialog's caption, size, font and window styles, and
// each control's id, kind, text, image and the style bits its behaviour depends on, where the
// layout is fixed also its place. Tests write ids and texts out rather than take them from the
// program's resource.h, so a wrong number there fails too.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "res_file.h"

extern const unsigned char fw_resource_data[];
extern const std::size_t fw_resource_size;

namespace templates {

using fw::headless::DialogItemTemplate;
using fw::headless::DialogTemplate;
using fw::headless::ResFile;

// Window and dialog styles.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
constexpr std::uint32_t kWsExAppWindow = 0x00040000;
constexpr std::uint32_t kDs3dLook = 0x0004;
constexpr std::uint32_t kDsModalFrame = 0x0080;
constexpr std::uint32_t kDsCenter = 0x0800;

// Control styles; the low bits of a button, static, combo box or list view are its kind.
constexpr std::uint32_t kBsTypeMask = 0x000F;
constexpr std::uint32_t kBsPushButton = 0x0000;
constexpr std::uint32_t kBsDefPushButton = 0x0001;
constexpr std::uint32_t kBsAutoCheckBox = 0x0003;
constexpr std::uint32_t kBsGroupBox = 0x0007;
constexpr std::uint32_t kSsTypeMask = 0x001F;
constexpr std::uint32_t kSsLeft = 0x0000;
constexpr std::uint32_t kSsIcon = 0x0003;
constexpr std::uint32_t kSsBitmap = 0x000E;
constexpr std::uint32_t kSsEtchedHorz = 0x0010;
constexpr std::uint32_t kSsSunken = 0x1000;
constexpr std::uint32_t kEsPassword = 0x0020;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kCbsTypeMask = 0x0003;
constexpr std::uint32_t kCbsDropDownList = 0x0003;
constexpr std::uint32_t kCbsSort = 0x0100;
constexpr std::uint32_t kLvsTypeMask = 0x0003;
constexpr std::uint32_t kLvsReport = 0x0001;
constexpr std::uint32_t kLvsSingleSel = 0x0004;
constexpr std::uint32_t kPbsSmooth = 0x0001;

constexpr int kNoId = -1;  // a static or group box that nothing addresses

// Style bits a template must have: the bits under mask must read value; the others are free.
struct Bits {
    std::uint32_t mask = 0;
    std::uint32_t value = 0;
};
constexpr Bits on(std::uint32_t bits) {
    return {bits, bits};
}
constexpr Bits off(std::uint32_t bits) {
    return {bits, 0};
}
constexpr Bits kind(std::uint32_t mask, std::uint32_t value) {
    return {mask, value};
}
constexpr Bits operator|(Bits a, Bits b) {
    return {a.mask | b.mask, a.value | b.value};
}

enum class Kind {
    DefaultButton,
    Button,
    GroupBox,
    CheckBox,
    Text,
    Icon,
    Bitmap,
    EtchedLine,
    Edit,
    ComboBox,
    ListView,
    ProgressBar,
};

struct KindTraits {
    const char* className;
    Bits bits;
};

inline KindTraits traits(Kind k) {
    switch (k) {
        case Kind::DefaultButton:
            return {"Button", kind(kBsTypeMask, kBsDefPushButton)};
        case Kind::Button:
            return {"Button", kind(kBsTypeMask, kBsPushButton)};
        case Kind::GroupBox:
            return {"Button", kind(kBsTypeMask, kBsGroupBox)};
        case Kind::CheckBox:  // every check box toggles itself
            return {"Button", kind(kBsTypeMask, kBsAutoCheckBox)};
        case Kind::Text:
            return {"Static", kind(kSsTypeMask, kSsLeft)};
        case Kind::Icon:
            return {"Static", kind(kSsTypeMask, kSsIcon)};
        case Kind::Bitmap:
            return {"Static", kind(kSsTypeMask, kSsBitmap)};
        case Kind::EtchedLine:
            return {"Static", kind(kSsTypeMask, kSsEtchedHorz)};
        case Kind::Edit:
            return {"Edit", {}};
        case Kind::ComboBox:
            return {"ComboBox", {}};
        case Kind::ListView:
            return {"SysListView32", {}};
        case Kind::ProgressBar:
            return {"msctls_progress32", {}};
    }
    return {"", {}};
}

struct Box {
    int x, y, cx, cy;
};

struct Control {
    Control(int controlId, Kind controlKind, const char* controlText = nullptr, Bits styleBits = {},
            std::optional<Box> place = std::nullopt)
        : id(controlId), kind(controlKind), text(controlText), bits(styleBits), box(place) {}
    // A static that shows the icon or bitmap resource of this id.
    static Control imageOf(Kind imageKind, int resourceId, Bits styleBits = {},
                           std::optional<Box> place = std::nullopt) {
        Control control(kNoId, imageKind, nullptr, styleBits, place);
        control.image = resourceId;
        return control;
    }

    int id;
    Kind kind;
    const char* text;  // nullptr: the program sets it, the template's text is free
    Bits bits;
    std::optional<Box> box;  // when the layout is fixed
    int image = 0;
};

struct Dialog {
    int id;
    const char* caption;
    int cx, cy;
    Bits style;
    Bits exStyle;
    bool inTabOrder;  // the controls are listed in the template's order
    std::vector<Control> controls;
};

inline const ResFile& programResources() {
    static const ResFile file(fw_resource_data, fw_resource_size);
    return file;
}

inline std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

inline void expectBits(std::uint32_t style, Bits bits, const char* what) {
    EXPECT_EQ(hex(style & bits.mask), hex(bits.value)) << what << " " << hex(style);
}

inline std::string describe(std::size_t row, const Control& control) {
    std::string text = "row " + std::to_string(row) + ": ";
    text += control.id == kNoId ? "control without id" : "control " + std::to_string(control.id);
    if (control.text != nullptr) {
        text += " \"" + std::string(control.text) + "\"";
    }
    return text;
}

inline void expectControl(const DialogItemTemplate& item, const Control& control) {
    const KindTraits expected = traits(control.kind);
    EXPECT_EQ(item.id, control.id);
    EXPECT_STRCASEEQ(item.className.c_str(), expected.className);  // class names ignore case
    if (control.text != nullptr) {
        EXPECT_EQ(item.title, control.text);
    }
    if (control.image != 0) {
        EXPECT_EQ(item.titleId, control.image);
        EXPECT_TRUE(control.kind == Kind::Icon
                        ? programResources().hasIcon(control.image)
                        : programResources().bitmap(control.image).has_value());
    }
    expectBits(item.style, expected.bits | control.bits, "style");
    if (control.box) {
        EXPECT_EQ(
            (std::vector<int>{item.x, item.y, item.cx, item.cy}),
            (std::vector<int>{control.box->x, control.box->y, control.box->cx, control.box->cy}));
    }
}

// The control a row names: by id, or for an unaddressed one by its image and text.
inline const DialogItemTemplate* find(const DialogTemplate& dialog, const Control& control) {
    const DialogItemTemplate* found = nullptr;
    for (const DialogItemTemplate& item : dialog.items) {
        if (item.id != control.id) {
            continue;
        }
        if (control.id == kNoId && (item.titleId != control.image ||
                                    (control.text != nullptr && item.title != control.text))) {
            continue;
        }
        if (found != nullptr) {
            ADD_FAILURE() << "a second control with this id";
        }
        found = &item;
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
        SCOPED_TRACE(describe(i, control));
        if (expected.inTabOrder) {
            expectControl(dialog->items[i], control);
        } else if (const DialogItemTemplate* item = find(*dialog, control)) {
            expectControl(*item, control);
        } else {
            ADD_FAILURE() << "no such control";
        }
    }
}

}  // namespace templates
