#include "shortcut_file.h"

#include <initializer_list>
#include <optional>
#include <string>

#include "sandbox_fixture.h"

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

// A shortcut as Wine's shell link object saved it: an item identifier list, the link information,
// strings in UTF-16 that count their terminating NUL character.
const char kWineFileHex[] =
    "4c0000000114020000000000c000000000000046f700000000000000000000000000000000000000"
    "000000000000000000000000000000000200000007000000410600000000000000000000b5001400"
    "1f00e04fd020ea3a6910a2d808002b30309d190023433a5c00000000000000000000000000000000"
    "0000004000310000000000875d7a1610004b65737472756e6500002800000000000000875d7a1687"
    "5d7a16000000004b00650073007400720075006e0065000000180046003200000000000000000000"
    "004f6e6472656c2e65786500002c000000000000000000000000000000000000004f006e00640072"
    "0065006c002e0065007800650000001a000000450000001c000000010000001c0000002d00000000"
    "000000440000001100000003000000000000431000000000433a5c4b65737472756e655c4f6e6472"
    "656c2e657865000008004400690061006c0020007500700000000c0043003a005c004b0065007300"
    "7400720075006e006500000003002d0078000000170043003a005c004b0065007300740072007500"
    "6e0065005c004f006e006400720065006c002e00650078006500000000000000";

TEST(ShortcutFileTest, ReadsWhatWinesShellLinkSaved) {
    std::string wineFile;
    for (std::size_t at = 0; kWineFileHex[at] != '\0'; at += 2) {
        wineFile += static_cast<char>(std::stoi(std::string(kWineFileHex + at, 2), nullptr, 16));
    }
    EXPECT_EQ(fw::shortcut::read(wineFile),
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
