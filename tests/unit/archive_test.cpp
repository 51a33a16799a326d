#include "framework/archive.h"

#include "../ui/framework/file_error_causes.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;
using fw::FileError;

using ArchiveTest = SandboxTest;

TEST_F(ArchiveTest, StringLengthPrefixes) {
    const struct {
        std::size_t length;
        std::string prefix;
    } rows[] = {
        {0, bytes({0x00})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {65533, bytes({0xFF, 0xFD, 0xFF})},
        {65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        const std::string value(row.length, 'q');
        EXPECT_EQ(store([&](Archive& a) { a.writeString(value); }), row.prefix + value);
        load(row.prefix + value, [&](Archive& a) { EXPECT_EQ(a.readString(), value); });
    }
}

TEST_F(ArchiveTest, ReadsTheWideForm) {
    std::string longWide = bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});  // 300 units
    for (int i = 0; i < 300; ++i) {
        longWide += bytes({'w', 0x00});
    }
    const struct {
        std::string data;
        std::string expected;
    } rows[] = {
        {bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
        {bytes({0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 0xE9, 0x00}), "A\xE9"},
        {bytes({0xFF, 0xFE, 0xFF, 0x03, 0xAC, 0x20, 0x2D, 0x4E, 'z', 0x00}), "\x80?z"},
        {longWide, std::string(300, 'w')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.substr(0, 8));
        load(row.data + bytes({0x01, 'x'}), [&](Archive& a) {
            EXPECT_EQ(a.readString(), row.expected);
            EXPECT_EQ(a.readString(), "x");
        });
    }
}

TEST_F(ArchiveTest, ShortDataIsEndOfFileNamingTheFullPath) {
    const struct {
        const char* what;
        std::string data;
        bool readsInt;  // else a string
    } rows[] = {
        {"empty file", "", true},
        {"inside an int", bytes({1, 2, 3}), true},
        {"inside a prefix", bytes({0xFF, 0x10}), false},
        {"inside a 32-bit prefix", bytes({0xFF, 0xFF, 0xFF, 0x01}), false},
        {"inside a string", bytes({5, 'a', 'b'}), false},
        {"inside a wide string", bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0}), false},
        // Lengths far beyond the file must fail before anything that size is allocated.
        {"huge length", bytes({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}), false},
        {"huge wide length", bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}),
         false},
    };
    for (const auto& row : rows) {
        const auto read = [&row](Archive& a) {
            return row.readsInt ? std::to_string(a.readInt32()) : a.readString();
        };
        EXPECT_EQ(errorOf([&] { load(row.data, read); }),
                  std::make_pair(FileError::Cause::endOfFile, std::string("C:\\t.dat")))
            << row.what;
    }
}

TEST_F(ArchiveTest, ReadsAcrossBufferBoundaries) {
    const std::string filler(4094, 'f');
    const std::string large(5000, 'L');
    const std::string data = store([&](Archive& a) {
        a.writeBytes(filler.data(), filler.size());
        a.writeInt32(0x01020304);
        a.writeString(large);
        a.writeString("end");
    });
    ASSERT_EQ(data.size(), 4094u + 4 + 3 + 5000 + 4);
    for (std::size_t bufferSize : {Archive::kDefaultBuffer, std::size_t{7}, std::size_t{1}}) {
        SCOPED_TRACE(bufferSize);
        load(
            data,
            [&](Archive& a) {
                std::string head(filler.size(), '\0');
                a.readBytes(head.data(), head.size());
                EXPECT_EQ(head, filler);
                EXPECT_EQ(a.readInt32(), 0x01020304);
                EXPECT_EQ(a.bytesLeft(), 3u + 5000 + 4);
                EXPECT_EQ(a.readString(), large);
                EXPECT_EQ(a.readString(), "end");
                EXPECT_EQ(a.bytesLeft(), 0u);
            },
            bufferSize);
    }
}

// A write too large for the buffer goes straight to the file; its failure must still surface.
TEST_F(ArchiveTest, HeadlessAWriteAroundTheBufferReportsItsFault) {
    driver.injectFault({"t.dat", fw::test::FileFault::Op::write, FileError::Cause::diskFull, 4500});
    const std::string data(6000, 'd');
    EXPECT_THROW(store([&](Archive& a) { a.writeBytes(data.data(), data.size()); }), FileError);
}

}  // namespace
