// The headless backend's reader of compiled resources, on hand-made records: what windres does not
// write, and damaged data. The programs' template tests read what windres writes.
#include "../../framework/headless/res_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sandbox_fixture.h"

// The sanitizer's allocator reports each allocation to a hook (the ONDREL_SANITIZE build).
#if defined(__SANITIZE_ADDRESS__)
#define RES_TEST_ALLOCATION_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RES_TEST_ALLOCATION_HOOK 1
#endif
#endif
#ifdef RES_TEST_ALLOCATION_HOOK
// As <sanitizer/allocator_interface.h> declares it (GCC does not ship that header).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace {

using fw::headless::DialogItemTemplate;
using fw::headless::DialogTemplate;
using fw::headless::ResFile;
using fw::headless::ResFileError;

ResFile parse(const std::string& data) {
    return ResFile(reinterpret_cast<const unsigned char*>(data.data()), data.size());
}

// A template and its controls, a line each: styles, place, texts.
std::vector<std::string> describe(const DialogTemplate& d) {
    char line[200];
    std::snprintf(line, sizeof line, "%08X %X %d,%d,%d,%d \"%s\" %d %d %d %d %s", d.style,
                  d.exStyle, d.x, d.y, d.cx, d.cy, d.caption.c_str(), d.pointSize, d.weight,
                  d.italic, d.charset, d.face.c_str());
    std::vector<std::string> lines = {line};
    for (const DialogItemTemplate& c : d.items) {
        std::snprintf(line, sizeof line, "%d %s \"%s\"#%d %08X %X %d,%d,%d,%d", c.id,
                      c.className.c_str(), c.title.c_str(), c.titleId, c.style, c.exStyle, c.x, c.y,
                      c.cx, c.cy);
        lines.push_back(line);
    }
    return lines;
}

// Little-endian pieces of hand-made .res data.
std::string u16(int value) {
    return bytes({value & 0xFF, value >> 8 & 0xFF});
}
std::string text(const std::u16string& value) {
    std::string out;
    for (char16_t unit : value) {
        out += u16(unit);
    }
    return out + u16(0);
}
std::string aligned(std::string data) {
    data.resize((data.size() + 3) / 4 * 4, '\0');
    return data;
}
// A record with an ordinal type and id around body.
std::string record(int type, int id, const std::string& body) {
    return le32(static_cast<std::int32_t>(body.size())) + le32(32) + u16(0xFFFF) + u16(type) +
           u16(0xFFFF) + u16(id) + le32(0) + u16(0x30) + u16(0x409) + le32(0) + le32(0) +
           aligned(body);
}
// A .res file: the empty record that opens every one, then one record.
std::string resFile(int type, int id, const std::string& body) {
    return record(0, 0, "") + record(type, id, body);
}

// A dialog template with what windres does not write, less its last bytes when asked.
std::string dialogFile(std::size_t dropped = 0) {
    std::string dialog = u16(1) + u16(0xFFFF) + le32(0);  // the extended form; no help id
    // WS_POPUP | WS_CAPTION | DS_SETFONT; two items.
    dialog += le32(0) + le32(INT32_MIN | 0xC00040) + u16(2);
    dialog += u16(10) + u16(20) + u16(100) + u16(50);
    dialog += u16(0xFFFF) + u16(7) + u16(0);  // menu 7, the standard class
    dialog += text(u"Caf\u00E9") + u16(9) + u16(700) + u16(0x0101) + text(u"Courier");
    dialog = aligned(dialog) + le32(0) + le32(0x200) + le32(0x50010000) + u16(-4) + u16(5) +
             u16(40) + u16(14) + le32(-1) + u16(0xFFFF) + u16(0x0080) + text(u"OK");
    dialog += u16(3) + bytes({1, 2, 3});  // creation data, to be skipped to reach the next control
    dialog = aligned(dialog) + le32(0) + le32(0) + le32(0x50000003) + u16(1) + u16(2) + u16(3) +
             u16(4) + le32(42) + text(u"SysListView32") + u16(0xFFFF) + u16(300) + u16(0);
    return resFile(ResFile::kDialog, 9, dialog.substr(0, dialog.size() - dropped));
}

TEST(ResFile, HandMadeTemplate) {
    const std::string data = dialogFile();
    std::optional<DialogTemplate> dialog = parse(data).dialog(9);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(describe(*dialog),
              (std::vector<std::string>{"80C00040 0 10,20,100,50 \"Caf\xE9\" 9 700 1 1 Courier",
                                        "-1 Button \"OK\"#0 50010000 200 -4,5,40,14",
                                        "42 SysListView32 \"\"#300 50000003 0 1,2,3,4"}));
    EXPECT_FALSE(parse(data).bitmap(9).has_value());  // each type apart
}

#ifdef RES_TEST_ALLOCATION_HOOK
thread_local bool measuring = false;
thread_local std::size_t largest = 0;
void onMalloc(const volatile void*, std::size_t size) {
    largest = measuring ? std::max(largest, size) : largest;
}
void onFree(const volatile void*) {}
#endif

// The largest single allocation that call makes, where the sanitizer's allocator can tell;
// nothing elsewhere.
std::optional<std::size_t> largestAllocation(const std::function<void()>& call) {
#ifdef RES_TEST_ALLOCATION_HOOK
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
    if (installed) {
        largest = 0;
        measuring = true;
        call();
        measuring = false;
        return largest;
    }
#endif
    call();
    return std::nullopt;
}

// A string of a string table block that claims 65,535 UTF-16 units where the block holds two: an
// error, for which no room is asked (the fuzz target res_file_fuzzer found a block's length
// trusted before it was checked: 128 KiB allocated for a few bytes of data).
TEST(ResFile, AStringLongerThanItsBlockIsAnErrorWithoutRoomForIt) {
    const std::string data = resFile(ResFile::kString, 1, u16(0xFFFF) + u16('A') + u16('B'));
    const ResFile res = parse(data);
    const std::optional<std::size_t> most =
        largestAllocation([&] { EXPECT_THROW(res.string(0), ResFileError); });
    if (most) {
        EXPECT_LT(*most, std::size_t{1024});
    }
}

// A bitmap's header as the file gives it (windres writes bottom-up ones, read by the template
// tests): a negative height is a top-down bitmap of that many rows; a negative width, or a height
// whose magnitude no int holds, is damaged data.
TEST(ResFile, BitmapSizesFromTheirHeaders) {
    const struct {
        std::int32_t width;
        std::int32_t height;
        const char* read;
    } rows[] = {
        {30, -15, "30x15"},
        {-30, 15, "error"},
        {30, INT32_MIN, "error"},
    };
    for (const auto& row : rows) {
        const std::string data = resFile(
            ResFile::kBitmap, 5, le32(40) + le32(row.width) + le32(row.height) + u16(1) + u16(4));
        std::string read = "error";
        try {
            const auto size = parse(data).bitmap(5).value();
            read = std::to_string(size.width) + "x" + std::to_string(size.height);
        } catch (const ResFileError&) {
        }
        EXPECT_EQ(read, row.read) << row.height;
    }
}

TEST(ResFile, DamagedDataIsAnErrorNotACrash) {
    const std::string data = dialogFile();
    // A record that claims more bytes than the file holds.
    for (std::size_t cut : {std::size_t{40}, data.size() - 8}) {
        EXPECT_THROW(parse(data.substr(0, cut)), ResFileError) << cut;
    }
    // A template cut short inside its last item: the record is whole, the template is not.
    EXPECT_THROW(parse(dialogFile(10)).dialog(9), ResFileError);
}

}  // namespace
