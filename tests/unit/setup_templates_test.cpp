// Setup's templates, string table and menu as windres compiles them from setup/res/Setup.rc.
#include <string>
#include <vector>

#include "../support/template_check.h"
#include "framework/frame.h"

namespace {

using namespace templates;
using fw::headless::MenuItemTemplate;

constexpr int kPicture = 131;
constexpr Bits kModal = on(kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame);
constexpr Bits kPage = kModal | on(kDsCenter);

// What the welcome and destination pages share, with their Back button.
std::vector<Control> page(int back, Bits backBits, int x, std::vector<Control> own) {
    own.insert(own.end(),
               {Control::imageOf(Kind::Bitmap, kPicture, on(kSsSunken), Box{7, 7, 91, 161}),
                {kNoId, Kind::EtchedLine, "", {}, Box{7, 174, 290, 1}},
                {back, Kind::Button, "&Back", backBits, Box{x, 181, 50, 14}},
                {1, Kind::DefaultButton, "&Next", {}, Box{x + 50, 181, 50, 14}},
                {2, Kind::Button, "&Exit", {}, Box{247, 181, 50, 14}}});
    return own;
}

TEST(SetupTemplates, DialogsAndStrings) {
    expectResources(
        {dialog(100, "About Ondrel v1.0 Setup", 188, 78, kModal,
                {Control::imageOf(Kind::Icon, 128),
                 {kNoId, Kind::Text, "Ondrel Setup Program"},
                 {kNoId, Kind::Text, "Kestrune Software"},
                 {1, Kind::DefaultButton, "OK"}}),
         dialog(
             130, "Setup", 304, 202, kPage,
             page(1000, on(kWsDisabled), 132,
                  {label("Welcome to Ondrel Setup!", {106, 13, 159, 8}),
                   label("This Program will install Ondrel and it's components onto your machine. "
                         "To continue, click Next.",
                         {106, 28, 187, 41})})),
         dialog(
             132, "Setup", 304, 202, kPage,
             page(1003, off(kWsDisabled), 133,
                  {label("Please specify where you would like to install Ondrel. If you wish to go "
                         "with the default option below, click Next.",
                         {106, 13, 191, 21}),
                   {kNoId, Kind::GroupBox, "Destination Path:", {}, Box{106, 133, 191, 34}},
                   {1002, Kind::Text, nullptr, {}, Box{111, 147, 125, 10}},
                   {1001, Kind::Button, "Browse...", {}, Box{241, 144, 50, 14}}})),
         dialog(133, "Copying FIles...", 266, 98, kPage,
                {{1005, Kind::Text, nullptr, {}, Box{7, 7, 252, 8}},
                 {1004, Kind::Text, nullptr, {}, Box{7, 20, 252, 8}},
                 {1007, Kind::Text, nullptr, {}, Box{125, 42, 22, 8}},
                 {1006, Kind::ProgressBar, nullptr, on(kWsBorder) | off(kPbsSmooth),
                  Box{7, 52, 252, 14}},
                 {2, Kind::Button, "Cancel", {}, Box{108, 77, 50, 14}}}),
         dialog(
             134, "Cancel Setup", 227, 82, kPage,
             {label("Setup has not yet completed installing Ondrel. If you wish to continue, click "
                    "Resume.",
                    {7, 7, 213, 23}),
              label("If you wish to Exit without finishing setup, Click Exit.", {7, 34, 213, 8}),
              {1, Kind::DefaultButton, "&Resume", {}, Box{119, 61, 50, 14}},
              {2, Kind::Button, "&Exit", {}, Box{170, 61, 50, 14}}}),
         dialog(
             135, "Setup Complete!", 187, 111, kModal,
             {label("Setup has succesfully installed Ondrel v1.3.", {7, 7, 155, 10}),
              label("To run Ondrel v1.3, either select Ondrel's short-cut in the Kestrune Sofware "
                    "folder on your programs menu, or double click it's icon on your desktop.",
                    {7, 25, 173, 28}),
              label("Thank you for using Kestrune Software!", {7, 60, 121, 8}),
              {1, Kind::DefaultButton, "&Exit", {}, Box{69, 90, 50, 14}}})},
        {{128, "Setup\n\nSetup\n\n\nSetup.Document\nSetup Document"}});
    EXPECT_EQ(programResources().bitmap(kPicture)->width, 135);
    EXPECT_EQ(programResources().bitmap(kPicture)->height, 260);
}

TEST(SetupTemplates, Menu) {
    const std::optional<std::vector<MenuItemTemplate>> menu = programResources().menu(128);
    ASSERT_TRUE(menu.has_value());
    std::vector<std::string> items;
    for (const MenuItemTemplate& item : *menu) {
        items.push_back(std::string(2 * item.level, ' ') + item.text + " " +
                        std::to_string(item.id));
    }
    EXPECT_EQ(items,
              (std::vector<std::string>{"&File 0", "  E&xit " + std::to_string(fw::kCommandAppExit),
                                        "&Help 0", "  &About Setup... " + std::to_string(0xE140)}));
}

}  // namespace
