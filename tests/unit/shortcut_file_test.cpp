#include "shortcut_file.h"

#include <initializer_list>
#include <optional>
#include <string>

#include "sandbox_fixture.h"
#include "wine_shortcut.h"

namespace {

using fw::shortcut::Shortcut;

const Shortcut kSample{"C:\\A.exe", "-x", "D", "C:\\", "C:\\A.exe", 2, 7, 0x0641};

std::string joined(std::initializer_list<std::string> parts) {
    std::string result;
    for (const std::string& part : parts) {
        result += part;
    }
    return result;
}

// kSample as our writer lays it out.
const std::string kSampleFile = joined({
    i32(0x4C),  // the header's size
    bytes({0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x46}),          // the shell link class
    i32(0x76),              // link information, name, folder, arguments, icon
    std::string(32, '\0'),  // attributes, times, size
    i32(2),                 // icon index
    i32(7),                 // show command
    bytes({0x41, 0x06}),    // hot key
    std::string(10, '\0'),
    i32(0x37),  // the link information's size
    i32(0x1C),  // its header's size
    i32(1),     // a volume and a local path
    i32(0x1C),  // where the volume is
    i32(0x2D),  // the path
    i32(0),     // no network share
    i32(0x36),  // the suffix
    i32(0x11),  // the volume's size
    i32(3),     // a fixed drive
    i32(0),     // serial number
    i32(0x10),  // where its label is
    bytes({0}),
    std::string("C:\\A.exe", 9),
    bytes({0}),  // the suffix
    bytes({1, 0, 'D'}),
    bytes({3, 0}) + "C:\\",
    bytes({2, 0}) + "-x",
    bytes({8, 0}) + "C:\\A.exe",
    i32(0),  // no extra data
});

TEST(ShortcutFileTest, WritesTheGoldenLayout) {
    EXPECT_EQ(fw::shortcut::write(kSample), kSampleFile);
    EXPECT_EQ(fw::shortcut::read(kSampleFile), kSample);
}

TEST(ShortcutFileTest, ReadsWhatWinesShellLinkSaved) {
    EXPECT_EQ(fw::shortcut::read(wineSavedShortcut()),
              (Shortcut{"C:\\Kestrune\\Ondrel.exe", "-x", "Dial up", "C:\\Kestrune",
                        "C:\\Kestrune\\Ondrel.exe", 2, 7, 0x0641}));
}

TEST(ShortcutFileTest, BytesThatAreNotAWholeShortcutReadAsNothing) {
    for (std::size_t size = 0; size < kSampleFile.size(); ++size) {
        EXPECT_EQ(fw::shortcut::read(kSampleFile.substr(0, size)), std::nullopt) << size;
    }
    std::string otherClass = kSampleFile;
    otherClass[4] = 0x02;
    EXPECT_EQ(fw::shortcut::read(otherClass), std::nullopt);
    // The path said to start beyond the link information.
    std::string pathOutside = kSampleFile;
    pathOutside[0x4C + 16] = 0x40;
    EXPECT_EQ(fw::shortcut::read(pathOutside), std::nullopt);
}

}  // namespace
