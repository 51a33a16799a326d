// The headless backend's reader of compiled resources: the framework test program's .res, which
// windres made from tests/ui/framework/res/test.rc, and hand-made records for what windres does
// not write and for damaged data.
#include "../../framework/headless/res_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "../ui/framework/res/resource.h"

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

extern const unsigned char fw_resource_data[];
extern const std::size_t fw_resource_size;

namespace {

using fw::headless::DialogTemplate;
using fw::headless::ResFile;
using fw::headless::ResFileError;

const ResFile& sample() {
    static const ResFile file(fw_resource_data, fw_resource_size);
    return file;
}

TEST(ResFile, ExtendedDialogAndEveryControl) {
    std::optional<DialogTemplate> dialog = sample().dialog(IDD_SAMPLE);
    ASSERT_TRUE(dialog.has_value());
    // DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
    // WS_MINIMIZEBOX
    EXPECT_EQ(dialog->style, 0x90CA00C4u);
    EXPECT_EQ(dialog->exStyle, 0x00040000u);  // WS_EX_APPWINDOW
    EXPECT_EQ(dialog->caption, "Sample Dialog");
    EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}),
              (std::vector<int>{0, 0, 312, 160}));
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->face, "MS Sans Serif");
    EXPECT_EQ(dialog->charset, 1);

    struct Row {
        int id;
        const char* className;
        const char* title;
        std::uint32_t style;
        int x, y, cx, cy;
    };
    const Row rows[] = {
        {1, "Button", "&Go", 0x50010001, 255, 7, 50, 14},
        {2, "Button", "&Exit", 0x50010000, 255, 24, 50, 14},
        {-1, "Button", "Fields:", 0x50000007, 7, 7, 237, 80},
        {-1, "Static", "Name:", 0x50020000, 13, 20, 30, 8},
        {IDC_NAME, "Edit", "", 0x50810080, 55, 18, 60, 14},
        {IDC_SECRET, "Edit", "", 0x508100A0, 155, 18, 60, 14},
        {IDC_LABEL, "Static", "Placeholder", 0x50020000, 13, 36, 97, 8},
        {IDC_LIST, "ComboBox", "", 0x50210103, 13, 48, 100, 77},
        {IDC_FLAG, "BUTTON", "Flag", 0x50010003, 120, 50, 50, 10},
        {IDC_DAY, "Edit", "", 0x50810000, 13, 66, 20, 14},
        {IDC_COUNT, "Edit", "", 0x50810000, 40, 66, 20, 14},
        {IDC_MINUTES, "Edit", "", 0x50810000, 67, 66, 20, 14},
        {IDC_RADIO_A, "BUTTON", "A", 0x50000009, 120, 66, 30, 10},
        {IDC_RADIO_B, "BUTTON", "B", 0x50000009, 160, 66, 30, 10},
        {IDC_ROWS, "SYSLISTVIEW32", "", 0x50810805, 7, 92, 237, 60},
        {IDC_PROGRESS, "MSCTLS_PROGRESS32", "", 0x50800000, 255, 92, 50, 14},
    };
    ASSERT_EQ(dialog->items.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const auto& item = dialog->items[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(item.id, row.id);
        EXPECT_EQ(item.className, row.className);
        EXPECT_EQ(item.title, row.title);
        EXPECT_EQ(item.style, row.style);
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}),
                  (std::vector<int>{row.x, row.y, row.cx, row.cy}));
        EXPECT_EQ(item.exStyle, 0u);
    }

    std::optional<DialogTemplate> nested = sample().dialog(IDD_NESTED);
    ASSERT_TRUE(nested.has_value());
    EXPECT_EQ(nested->caption, "Nested");
    ASSERT_EQ(nested->items.size(), 3u);
    EXPECT_EQ(nested->items[2].title, "Static");
    EXPECT_FALSE(sample().dialog(IDD_SAMPLE + 100).has_value());
}

TEST(ResFile, StringsIconsAndBitmaps) {
    EXPECT_EQ(sample().string(IDS_HELLO), "Hello from the string table");
    EXPECT_EQ(sample().string(IDS_LONG), "Line one\nLine two");
    EXPECT_EQ(sample().string(IDS_LONG + 1), "");  // same block, no string
    EXPECT_EQ(sample().string(12345), "");         // no such block
    EXPECT_EQ(sample().string(-1), "");
    EXPECT_TRUE(sample().hasIcon(IDI_SAMPLE));
    EXPECT_FALSE(sample().hasIcon(IDB_IMAGES));
    std::optional<fw::headless::BitmapSize> bitmap = sample().bitmap(IDB_IMAGES);
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->width, 30);
    EXPECT_EQ(bitmap->height, 15);
    EXPECT_FALSE(sample().bitmap(IDI_SAMPLE).has_value());
}

// Little-endian bytes of a hand-made .res file.
class Bytes {
  public:
    Bytes& word(int value) {
        data.push_back(static_cast<unsigned char>(value & 0xFF));
        data.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
        return *this;
    }
    Bytes& dword(std::uint32_t value) {
        word(static_cast<int>(value & 0xFFFF));
        return word(static_cast<int>(value >> 16));
    }
    Bytes& text(const std::u16string& value) {
        for (char16_t unit : value) {
            word(unit);
        }
        return word(0);
    }
    Bytes& align() {
        while (data.size() % 4 != 0) {
            data.push_back(0);
        }
        return *this;
    }
    // A resource record with an ordinal type and id around these bytes.
    Bytes& record(int type, int id, const std::vector<unsigned char>& body) {
        dword(static_cast<std::uint32_t>(body.size())).dword(32);
        word(0xFFFF).word(type).word(0xFFFF).word(id);
        dword(0).word(0x30).word(0x409).dword(0).dword(0);
        data.insert(data.end(), body.begin(), body.end());
        return align();
    }
    std::vector<unsigned char> data;
};

// The empty record that opens every .res file, then a hand-made dialog template, less its last
// bytes when asked.
std::vector<unsigned char> dialogFile(std::size_t dropped = 0) {
    Bytes dialog;
    dialog.word(1).word(0xFFFF).dword(0);       // the extended form; no help id
    dialog.dword(0).dword(0x80C00040).word(2);  // WS_POPUP | WS_CAPTION | DS_SETFONT; 2 items
    dialog.word(10).word(20).word(100).word(50);
    dialog.word(0xFFFF).word(7).word(0);  // menu 7, the standard class
    dialog.text(u"Caf\u00E9").word(9).word(700).word(0x0101).text(u"Courier");
    dialog.align().dword(0).dword(0x200).dword(0x50010000).word(-4).word(5).word(40).word(14);
    dialog.dword(0xFFFFFFFF).word(0xFFFF).word(0x0080).text(u"OK").word(0);
    dialog.align().dword(0).dword(0).dword(0x50000003).word(1).word(2).word(3).word(4);
    dialog.dword(42).text(u"SysListView32").word(0xFFFF).word(300);
    dialog.word(3).word(0x0201).word(0x03);  // three bytes of creation data
    Bytes file;
    file.dword(0).dword(32).word(0xFFFF).word(0).word(0xFFFF).word(0);
    file.dword(0).word(0).word(0).dword(0).dword(0);
    dialog.data.resize(dialog.data.size() - dropped);
    return file.record(ResFile::kDialog, 9, dialog.data).data;
}

TEST(ResFile, HandMadeTemplate) {
    std::vector<unsigned char> bytes = dialogFile();
    ResFile file(bytes.data(), bytes.size());
    std::optional<DialogTemplate> dialog = file.dialog(9);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->style, 0x80C00040u);
    EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}),
              (std::vector<int>{10, 20, 100, 50}));
    EXPECT_EQ(dialog->caption, "Caf\xE9");  // the 8-bit code page
    EXPECT_EQ(dialog->pointSize, 9);
    EXPECT_EQ(dialog->weight, 700);
    EXPECT_TRUE(dialog->italic);
    EXPECT_EQ(dialog->face, "Courier");
    ASSERT_EQ(dialog->items.size(), 2u);

    const auto& button = dialog->items[0];
    EXPECT_EQ(button.id, -1);
    EXPECT_EQ(button.className, "Button");
    EXPECT_EQ(button.title, "OK");
    EXPECT_EQ(button.exStyle, 0x200u);
    EXPECT_EQ(button.x, -4);

    const auto& list = dialog->items[1];
    EXPECT_EQ(list.id, 42);
    EXPECT_EQ(list.className, "SysListView32");
    EXPECT_EQ(list.titleId, 300);
    EXPECT_EQ(list.title, "");
}

#ifdef RES_TEST_ALLOCATION_HOOK
thread_local bool measuring = false;
thread_local std::size_t largest = 0;
void onMalloc(const volatile void*, std::size_t size) {
    if (measuring && size > largest) {
        largest = size;
    }
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
    Bytes block;
    block.word(0xFFFF).word('A').word('B');
    Bytes file;
    file.dword(0).dword(32).word(0xFFFF).word(0).word(0xFFFF).word(0);
    file.dword(0).word(0).word(0).dword(0).dword(0);
    file.record(ResFile::kString, 1, block.data);
    const ResFile res(file.data.data(), file.data.size());
    const std::optional<std::size_t> most =
        largestAllocation([&] { EXPECT_THROW(res.string(0), ResFileError); });
    if (most) {
        EXPECT_LT(*most, std::size_t{1024});
    }
}

// A bitmap's header as the file gives it: a negative height is a top-down bitmap of that many
// rows; a negative width, or a height whose magnitude no int holds, is damaged data.
TEST(ResFile, BitmapSizesFromTheirHeaders) {
    struct Row {
        std::int32_t width;
        std::int32_t height;
        std::optional<int> rows;  // nothing: an error
    };
    const Row rows[] = {
        {30, 15, 15},
        {30, -15, 15},
        {-30, 15, std::nullopt},
        {30, std::numeric_limits<std::int32_t>::min(), std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.height);
        Bytes header;
        header.dword(40).dword(static_cast<std::uint32_t>(row.width));
        header.dword(static_cast<std::uint32_t>(row.height)).word(1).word(4);
        Bytes file;
        file.dword(0).dword(32).word(0xFFFF).word(0).word(0xFFFF).word(0);
        file.dword(0).word(0).word(0).dword(0).dword(0);
        file.record(ResFile::kBitmap, 5, header.data);
        const ResFile res(file.data.data(), file.data.size());
        if (row.rows) {
            std::optional<fw::headless::BitmapSize> size = res.bitmap(5);
            ASSERT_TRUE(size.has_value());
            EXPECT_EQ(size->width, row.width);
            EXPECT_EQ(size->height, *row.rows);
        } else {
            EXPECT_THROW(res.bitmap(5), ResFileError);
        }
    }
}

TEST(ResFile, DamagedDataIsAnErrorNotACrash) {
    std::vector<unsigned char> bytes = dialogFile();
    // A record that claims more bytes than the file holds.
    for (std::size_t cut : {std::size_t{40}, bytes.size() - 8}) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(ResFile(bytes.data(), cut), ResFileError);
    }
    // A template cut short inside its last item: the record is whole, the template is not.
    std::vector<unsigned char> shortTemplate = dialogFile(10);
    ResFile file(shortTemplate.data(), shortTemplate.size());
    EXPECT_THROW(file.dialog(9), ResFileError);
}

}  // namespace
