// Drawing on the headless backend: device contexts, palettes, fonts and bitmaps as plain objects,
// and every drawing call recorded as one readable line in the test driver, for example
// "fillRect(dc2, 0,0,640,8, palette 0)". Contexts are named dc1, dc2, ... after the smallest
// number no live context holds, so a window's paints read the same each time.
//
// Text has a fixed-width model: each character is half the font's height wide (rounded down),
// and a line is the font's height high; without a font selected the height is 16.
#include <cstdlib>
#include <set>
#include <string>

#include "framework/test_driver.h"
#include "handles.h"
#include "program_resources.h"
#include "sys.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::find;

constexpr int kDefaultFontHeight = 16;
constexpr int kSystemIconSize = 32;

struct PaletteObject : headless::Object {
    unsigned entries = 0;
};

struct FontObject : headless::Object {
    FontSpec spec;
};

struct BitmapObject : headless::Object {
    int width = 0;
    int height = 0;
};

struct DcObject : headless::Object {
    int number = 0;
    Handle palette = nullptr;
    Handle font = nullptr;
};

std::set<int> liveNumbers;

Handle newDc() {
    auto dc = std::make_unique<DcObject>();
    while (liveNumbers.contains(++dc->number)) {
    }
    liveNumbers.insert(dc->number);
    return headless::addObject(std::move(dc));
}

void removeDc(Handle handle) {
    if (auto* dc = find<DcObject>(handle)) {
        liveNumbers.erase(dc->number);
        headless::removeObject(handle);
    }
}

std::string name(Handle dc) {
    auto* object = find<DcObject>(dc);
    return object != nullptr ? "dc" + std::to_string(object->number) : "no dc";
}

std::string describe(Handle object) {
    if (auto* bitmap = find<BitmapObject>(object)) {
        return "bitmap " + std::to_string(bitmap->width) + "x" + std::to_string(bitmap->height);
    }
    if (auto* font = find<FontObject>(object)) {
        const FontSpec& spec = font->spec;
        std::string text = "font \"" + spec.face + "\" height " + std::to_string(spec.height) +
                           " weight " + std::to_string(spec.weight);
        if (spec.italic) {
            text += " italic";
        }
        if (spec.underline) {
            text += " underline";
        }
        if (spec.strikeOut) {
            text += " strikeout";
        }
        return text;
    }
    return "no object";
}

void record(const std::string& call) {
    if (auto* driver = test::Driver::current()) {
        driver->recordDrawing(call);
    }
}

std::string numbers(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) {
        text += (text.empty() ? "" : ",") + std::to_string(value);
    }
    return text;
}

}  // namespace

Handle createPalette(const std::vector<PaletteEntry>& entries) {
    auto palette = std::make_unique<PaletteObject>();
    palette->entries = static_cast<unsigned>(entries.size());
    return headless::addObject(std::move(palette));
}

Handle createFont(const FontSpec& spec) {
    auto font = std::make_unique<FontObject>();
    font->spec = spec;
    return headless::addObject(std::move(font));
}

Handle createCompatibleBitmap(Handle /*dc*/, int width, int height) {
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = width;
    bitmap->height = height;
    return headless::addObject(std::move(bitmap));
}

void deleteObject(Handle object) {
    if (find<PaletteObject>(object) != nullptr || find<FontObject>(object) != nullptr ||
        find<BitmapObject>(object) != nullptr) {
        headless::removeObject(object);
    }
}

Handle getClientDC(Handle /*window*/) {
    return newDc();
}

void releaseDC(Handle /*window*/, Handle dc) {
    removeDc(dc);
}

Handle createCompatibleDC(Handle /*dc*/) {
    return newDc();
}

void deleteDC(Handle dc) {
    removeDc(dc);
}

void selectPalette(Handle dc, Handle palette) {
    auto* object = find<PaletteObject>(palette);
    if (auto* context = find<DcObject>(dc)) {
        context->palette = palette;
    }
    record("selectPalette(" + name(dc) + ", " +
           (object != nullptr ? std::to_string(object->entries) + " entries" : "no palette") + ")");
}

// The number of entries mapped: the whole selected palette.
unsigned realizePalette(Handle dc) {
    record("realizePalette(" + name(dc) + ")");
    auto* context = find<DcObject>(dc);
    auto* palette = context != nullptr ? find<PaletteObject>(context->palette) : nullptr;
    return palette != nullptr ? palette->entries : 0;
}

void selectObject(Handle dc, Handle object) {
    auto* context = find<DcObject>(dc);
    if (context != nullptr && find<FontObject>(object) != nullptr) {
        context->font = object;
    }
    record("selectObject(" + name(dc) + ", " + describe(object) + ")");
}

void fillRectPaletteIndex(Handle dc, const Rect& rect, int index) {
    record("fillRect(" + name(dc) + ", " + numbers({rect.left, rect.top, rect.right, rect.bottom}) +
           ", palette " + std::to_string(index) + ")");
}

void bitBlt(Handle dc, int x, int y, int width, int height, Handle source, int sourceX,
            int sourceY) {
    record("bitBlt(" + name(dc) + ", " + numbers({x, y, width, height}) + ", " + name(source) +
           ", " + numbers({sourceX, sourceY}) + ")");
}

void setTransparentBackground(Handle dc) {
    record("setBkMode(" + name(dc) + ", transparent)");
}

// rgb is the platform's colour value: red in the low byte, then green, then blue.
void setTextColor(Handle dc, std::uint32_t rgb) {
    record("setTextColor(" + name(dc) + ", rgb(" +
           numbers({static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>((rgb >> 16) & 0xFF)}) +
           "))");
}

void textOut(Handle dc, int x, int y, const std::string& text) {
    record("textOut(" + name(dc) + ", " + numbers({x, y}) + ", \"" + text + "\")");
}

Point textExtent(Handle dc, const std::string& text) {
    auto* context = find<DcObject>(dc);
    auto* font = context != nullptr ? find<FontObject>(context->font) : nullptr;
    int height = font != nullptr && font->spec.height != 0 ? std::abs(font->spec.height)
                                                           : kDefaultFontHeight;
    return {static_cast<int>(text.size()) * (height / 2), height};
}

void eraseIconBackground(Handle /*window*/, Handle dc) {
    record("eraseIconBackground(" + name(dc) + ")");
}

void drawIcon(Handle dc, int x, int y, Handle icon) {
    auto* object = find<headless::IconObject>(icon);
    record("drawIcon(" + name(dc) + ", " + numbers({x, y}) + ", " +
           (object != nullptr ? "icon " + std::to_string(object->id) : std::string("no icon")) +
           ")");
}

int screenWidth() {
    return headless::kScreenWidth;
}
int screenHeight() {
    return headless::kScreenHeight;
}
int systemIconWidth() {
    return kSystemIconSize;
}
int systemIconHeight() {
    return kSystemIconSize;
}

}  // namespace fw::sys
