#include "shortcut_file.h"

#include <optional>
#include <string>

#include "sandbox_fixture.h"

namespace {

using fw::shortcut::Shortcut;

const Shortcut kSample{"C:\\A.exe", "-x", "D", "C:\\", "C:\\A.exe", 2, 7, 0x0641};

// kSample as our writer lays it out.
const std::string kSampleFile =
    // The header: its size, the shell link class, what follows (link information, name, folder,
    // arguments, icon), attributes, times and size, icon index, show command, hot key.
    le32(0x4C) +
    bytes({0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x46}) +
    le32(0x76) + std::string(32, '\0') + le32(2) + le32(7) + bytes({0x41, 0x06}) +
    std::string(10, '\0') +
    // The link information: its size, its header's size, a volume and a local path, where the
    // volume is, the path, no network share, the suffix.
    le32(0x37) + le32(0x1C) + le32(1) + le32(0x1C) + le32(0x2D) + le32(0) + le32(0x36) +
    // The volume: its size, a fixed drive, serial number, where its label is, the empty label.
    le32(0x11) + le32(3) + le32(0) + le32(0x10) + bytes({0}) +
    // The path and the empty suffix; the counted name, folder, arguments and icon; no extra data.
    std::string("C:\\A.exe", 9) + bytes({0}) + bytes({1, 0, 'D'}) + bytes({3, 0}) + "C:\\" +
    bytes({2, 0}) + "-x" + bytes({8, 0}) + "C:\\A.exe" + le32(0);

TEST(ShortcutFileTest, WritesTheGoldenLayout) {
    EXPECT_EQ(fw::shortcut::write(kSample), kSampleFile);
    EXPECT_EQ(fw::shortcut::read(kSampleFile), kSample);
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
