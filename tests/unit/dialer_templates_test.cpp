// The dialer's templates and string table as windres compiles them from dialer/res/Ondrel.rc: each
// dialog's caption, size, font and window styles, and each control's id, kind, text and the style
// bits its behaviour depends on; the main window's controls also in tab order and at their places.
// Ids and texts are written out here rather than taken from resource.h, so a wrong number there
// fails too.
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

namespace {

using fw::headless::DialogItemTemplate;
using fw::headless::DialogTemplate;
using fw::headless::ResFile;

// Window and dialog styles.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
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
constexpr std::uint32_t kEsPassword = 0x0020;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kCbsTypeMask = 0x0003;
constexpr std::uint32_t kCbsDropDownList = 0x0003;
constexpr std::uint32_t kCbsSort = 0x0100;
constexpr std::uint32_t kLvsTypeMask = 0x0003;
constexpr std::uint32_t kLvsReport = 0x0001;
constexpr std::uint32_t kLvsSingleSel = 0x0004;

constexpr int kNoId = -1;  // a static or group box that nothing addresses
constexpr int kMainIcon = 128;

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

enum class Kind { DefaultButton, Button, GroupBox, CheckBox, Text, Icon, Edit, ComboBox, ListView };

// Each kind's window class and the style bits that make it that kind, in the order of Kind.
const struct KindTraits {
    const char* className;
    Bits bits;
} kTraits[] = {
    {"Button", kind(kBsTypeMask, kBsDefPushButton)},
    {"Button", kind(kBsTypeMask, kBsPushButton)},
    {"Button", kind(kBsTypeMask, kBsGroupBox)},
    {"Button", kind(kBsTypeMask, kBsAutoCheckBox)},  // every check box toggles itself
    {"Static", kind(kSsTypeMask, kSsLeft)},
    {"Static", kind(kSsTypeMask, kSsIcon)},
    {"Edit", {}},
    {"ComboBox", {}},
    {"SysListView32", {}},
};

struct Box {
    int x, y, cx, cy;
};

struct Control {
    int id;
    Kind kind;
    const char* text = nullptr;  // nullptr: the program sets it, the template's text is free
    Bits bits = {};
    std::optional<Box> box = std::nullopt;  // when the layout is fixed
    int icon = 0;
};

struct Dialog {
    int id;
    const char* caption;
    int cx, cy;
    Bits style;
    Bits exStyle;
    bool inTabOrder;  // the controls are listed in the template's order
};

const ResFile& dialerResources() {
    static const ResFile file(fw_resource_data, fw_resource_size);
    return file;
}

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

void expectBits(std::uint32_t style, Bits bits, const char* what) {
    EXPECT_EQ(hex(style & bits.mask), hex(bits.value)) << what << " " << hex(style);
}

std::string describe(std::size_t row, const Control& control) {
    std::string text = "row " + std::to_string(row) + ": ";
    text += control.id == kNoId ? "control without id" : "control " + std::to_string(control.id);
    if (control.text != nullptr) {
        text += " \"" + std::string(control.text) + "\"";
    }
    return text;
}

void expectControl(const DialogItemTemplate& item, const Control& control) {
    const KindTraits& expected = kTraits[static_cast<int>(control.kind)];
    EXPECT_EQ(item.id, control.id);
    EXPECT_STRCASEEQ(item.className.c_str(), expected.className);  // class names ignore case
    if (control.text != nullptr) {
        EXPECT_EQ(item.title, control.text);
    }
    if (control.kind == Kind::Icon) {
        EXPECT_EQ(item.titleId, control.icon);
        EXPECT_TRUE(dialerResources().hasIcon(control.icon));
    }
    expectBits(item.style, expected.bits | control.bits, "style");
    if (control.box) {
        EXPECT_EQ(
            (std::vector<int>{item.x, item.y, item.cx, item.cy}),
            (std::vector<int>{control.box->x, control.box->y, control.box->cx, control.box->cy}));
    }
}

// The control a row names: by id, or for an unaddressed one by its kind and text or icon.
const DialogItemTemplate* find(const DialogTemplate& dialog, const Control& control) {
    const DialogItemTemplate* found = nullptr;
    for (const DialogItemTemplate& item : dialog.items) {
        if (item.id != control.id) {
            continue;
        }
        if (control.id == kNoId &&
            (control.text != nullptr ? item.title != control.text : item.titleId != control.icon)) {
            continue;
        }
        if (found != nullptr) {
            ADD_FAILURE() << "a second control with this id";
        }
        found = &item;
    }
    return found;
}

void expectDialog(const Dialog& expected, const std::vector<Control>& controls) {
    std::optional<DialogTemplate> dialog = dialerResources().dialog(expected.id);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    EXPECT_EQ(dialog->face, "MS Sans Serif");
    EXPECT_EQ(dialog->pointSize, 8);
    expectBits(dialog->style, expected.style, "dialog style");
    expectBits(dialog->exStyle, expected.exStyle, "dialog extended style");

    ASSERT_EQ(dialog->items.size(), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& control = controls[i];
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

TEST(DialerTemplates, MainWindow) {
    const Bits edit = on(kWsBorder | kEsAutoHScroll);
    expectDialog({102, "Ondrel v1.3 (Not Connected)", 312, 77,
                  on(kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kWsMinimizeBox |
                     kDsModalFrame | kDs3dLook),
                  on(kWsExAppWindow), true},
                 {
                     {1, Kind::DefaultButton, "&Connect", {}, Box{255, 7, 50, 14}},
                     {2, Kind::Button, "&Exit", {}, Box{255, 52, 50, 14}},
                     {kNoId, Kind::GroupBox, "Connection Info:", {}, Box{7, 7, 237, 63}},
                     {kNoId, Kind::Text, "Current Dial-up to Call:", {}, Box{13, 18, 72, 8}},
                     {kNoId, Kind::Text, "Account ID:", {}, Box{13, 36, 39, 8}},
                     {kNoId, Kind::Text, "Connection Status:", {}, Box{13, 52, 61, 8}},
                     {kNoId, Kind::Text, "Password:", {}, Box{120, 36, 34, 8}},
                     {1000, Kind::Edit, nullptr, edit | off(kEsPassword), Box{55, 34, 60, 14}},
                     {1001, Kind::Edit, nullptr, edit | on(kEsPassword), Box{155, 34, 60, 14}},
                     {1002, Kind::Text, nullptr, {}, Box{90, 18, 97, 8}},
                     {1003, Kind::Text, nullptr, {}, Box{80, 52, 154, 8}},
                     {1004, Kind::Button, "&Options...", {}, Box{255, 22, 50, 14}},
                     {1014, Kind::Button, "Properties...", {}, Box{189, 15, 50, 14}},
                     {1020, Kind::Button, "E&rror Details...", {}, Box{255, 37, 50, 14}},
                 });
}

TEST(DialerTemplates, AboutBox) {
    expectDialog({100, "About Ondrel", 200, 117, on(kWsCaption), {}, false},
                 {
                     {kNoId, Kind::Icon, nullptr, {}, std::nullopt, kMainIcon},
                     {kNoId, Kind::Text, "Ondrel v1.3"},
                     {kNoId, Kind::Text, "Kestrune Software"},
                     {1, Kind::DefaultButton, "OK"},
                 });
}

TEST(DialerTemplates, KeepConnectionQuestion) {
    expectDialog({138, "Keep Current Connection?", 170, 63, on(kWsCaption), {}, false},
                 {
                     {1021, Kind::Text},
                     {1, Kind::DefaultButton, "&Disconnect"},
                     {2, Kind::Button, "&Keep Connection"},
                 });
}

TEST(DialerTemplates, Options) {
    const Bits path = on(kEsAutoHScroll);
    expectDialog({131, "Options", 335, 207, on(kWsCaption | kDsModalFrame | kDsCenter), {}, false},
                 {
                     {1, Kind::DefaultButton, "&OK"},
                     {2, Kind::Button, "&Cancel"},
                     {kNoId, Kind::Text, "Connection to Dial:"},
                     {1005, Kind::ComboBox, "",
                      kind(kCbsTypeMask, kCbsDropDownList) | on(kCbsSort | kWsVScroll)},
                     {1022, Kind::Button, "&New Connection..."},
                     {1006, Kind::CheckBox, "Save User ID and Password"},
                     {1007, Kind::CheckBox, "Keep dialing until a connection is made"},
                     {1008, Kind::CheckBox, "Automatically start Ondrel when windows starts"},
                     {1009, Kind::CheckBox, "Automatically dial when Ondrel starts"},
                     {1010, Kind::CheckBox, "Start minimized"},
                     {1011, Kind::CheckBox, "Start program once connection is made:"},
                     {1012, Kind::Edit, "", path},
                     {1013, Kind::Button, "Browse..."},
                     {1023, Kind::CheckBox, "Play sound on connection:"},
                     {1024, Kind::Edit, "", path},
                     {1025, Kind::Button, "Browse..."},
                     {1026, Kind::CheckBox, "Dial according to a schedule:"},
                     {1027, Kind::ListView, "", kind(kLvsTypeMask, kLvsReport) | on(kLvsSingleSel)},
                     {1015, Kind::Button, "&Help"},
                     {1028, Kind::Button, "&Save Dial-up to File..."},
                     {1029, Kind::Button, "&Import Dial-up..."},
                 });
}

TEST(DialerTemplates, StringTable) {
    struct Row {
        int id;
        const char* text;
    };
    const Row rows[] = {
        {101, "&About Ondrel..."},
        {32771, "Displays Ondrel tool window"},
        {32772, "Disconnect the current connection"},
        {32773, "Dial selected dial-up"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("string " + std::to_string(row.id));
        EXPECT_EQ(dialerResources().string(row.id), row.text);
    }
}

}  // namespace
