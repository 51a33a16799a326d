// The dialer's templates and string table as windres compiles them from dialer/res/Ondrel.rc; the
// main window's controls also in tab order and at their places.
#include "../support/template_check.h"

namespace {

using namespace templates;

TEST(DialerTemplates, DialogsAndStrings) {
    const Bits edit = on(kWsBorder | kEsAutoHScroll);
    const Bits path = on(kEsAutoHScroll);
    const Bits main = on(kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kWsMinimizeBox |
                         kDsModalFrame | kDs3dLook);
    expectResources(
        {dialog(102, "Ondrel v1.3 (Not Connected)", 312, 77, main,
                {{1, Kind::DefaultButton, "&Connect", {}, Box{255, 7, 50, 14}},
                 {2, Kind::Button, "&Exit", {}, Box{255, 52, 50, 14}},
                 {kNoId, Kind::GroupBox, "Connection Info:", {}, Box{7, 7, 237, 63}},
                 label("Current Dial-up to Call:", {13, 18, 72, 8}),
                 label("Account ID:", {13, 36, 39, 8}),
                 label("Connection Status:", {13, 52, 61, 8}),
                 label("Password:", {120, 36, 34, 8}),
                 {1000, Kind::Edit, nullptr, edit | off(kEsPassword), Box{55, 34, 60, 14}},
                 {1001, Kind::Edit, nullptr, edit | on(kEsPassword), Box{155, 34, 60, 14}},
                 {1002, Kind::Text, nullptr, {}, Box{90, 18, 97, 8}},
                 {1003, Kind::Text, nullptr, {}, Box{80, 52, 154, 8}},
                 {1004, Kind::Button, "&Options...", {}, Box{255, 22, 50, 14}},
                 {1014, Kind::Button, "Properties...", {}, Box{189, 15, 50, 14}},
                 {1020, Kind::Button, "E&rror Details...", {}, Box{255, 37, 50, 14}}},
                on(kWsExAppWindow), true),
         dialog(100, "About Ondrel", 200, 117, on(kWsCaption),
                {Control::imageOf(Kind::Icon, 128),
                 {kNoId, Kind::Text, "Ondrel v1.3"},
                 {kNoId, Kind::Text, "Kestrune Software"},
                 {1, Kind::DefaultButton, "OK"}}),
         dialog(138, "Keep Current Connection?", 170, 63, on(kWsCaption),
                {{1021, Kind::Text},
                 {1, Kind::DefaultButton, "&Disconnect"},
                 {2, Kind::Button, "&Keep Connection"}}),
         dialog(131, "Options", 335, 207, on(kWsCaption | kDsModalFrame | kDsCenter),
                {{1, Kind::DefaultButton, "&OK"},
                 {2, Kind::Button, "&Cancel"},
                 {kNoId, Kind::Text, "Connection to Dial:"},
                 {1005, Kind::ComboBox, "",
                  Bits{kCbsTypeMask, kCbsDropDownList} | on(kCbsSort | kWsVScroll)},
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
                 {1027, Kind::ListView, "", Bits{kLvsTypeMask, kLvsReport} | on(kLvsSingleSel)},
                 {1015, Kind::Button, "&Help"},
                 {1028, Kind::Button, "&Save Dial-up to File..."},
                 {1029, Kind::Button, "&Import Dial-up..."}})},
        {{101, "&About Ondrel..."},
         {32771, "Displays Ondrel tool window"},
         {32772, "Disconnect the current connection"},
         {32773, "Dial selected dial-up"}});
}

}  // namespace
