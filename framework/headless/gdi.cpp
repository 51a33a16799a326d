// Drawing on the headless backend: contexts, palettes, fonts and bitmaps are plain objects, and
// each drawing call is kept as one readable line in the drawing log. A line names where it draws:
// "window" for a window's context, a memory context by the bitmap selected in it ("bitmap1",
// numbered from 1 among the live bitmaps, so that a run reads the same each time) or "memory"
// before one is. It shows what the context's state makes of the call, for example
//   createCompatibleBitmap(window, 640,480): bitmap1
//   fillRect(bitmap1, 0,0,632,7, rgb(2,2,4))
//   textOut(bitmap2, -350,40, "Title", font "Arial" 40 weight 700 italic, rgb(255,255,255),
//           transparent)
// Text has a fixed-width model: each character is half the font's height wide (rounded down), and
// a line is the font's height high; without a font selected the height is 16.
#include <cstdlib>
#include <set>

#include "handles.h"
#include "program_resources.h"
#include "sandbox.h"
#include "sys.h"
#include "window_tree.h"

namespace fw::headless {

std::vector<std::string>& drawingLog() {
    static std::vector<std::string> log;
    return log;
}

}  // namespace fw::headless

namespace fw::sys {

namespace {

using headless::find;

// The size the platform gives a large icon.
constexpr int kSystemIconSize = 32;
constexpr int kSystemFontHeight = 16;

struct PaletteObject : headless::Object {
    std::vector<PaletteEntry> entries;
};

struct FontObject : headless::Object {
    FontSpec spec;
};

struct BitmapObject : headless::Object {
    int number = 0;
};

struct DcObject : headless::Object {
    bool memory = false;
    Handle bitmap = nullptr;
    Handle palette = nullptr;
    Handle font = nullptr;
    std::uint32_t textColor = 0;
    bool transparent = false;
};

std::set<int>& liveBitmapNumbers() {
    static std::set<int> numbers;
    return numbers;
}

void record(const std::string& call) {
    headless::drawingLog().push_back(call);
}

std::string numbers(std::initializer_list<int> values) {
    std::string text;
    for (int value : values) {
        text += (text.empty() ? "" : ",") + std::to_string(value);
    }
    return text;
}

std::string rgb(int red, int green, int blue) {
    return "rgb(" + numbers({red, green, blue}) + ")";
}

std::string name(Handle dc) {
    const auto* context = find<DcObject>(dc);
    if (context == nullptr) {
        return "no context";
    }
    if (!context->memory) {
        return "window";
    }
    const auto* bitmap = find<BitmapObject>(context->bitmap);
    return bitmap != nullptr ? "bitmap" + std::to_string(bitmap->number) : "memory";
}

std::string describeFont(const DcObject& context) {
    const auto* font = find<FontObject>(context.font);
    if (font == nullptr) {
        return "system font";
    }
    const FontSpec& spec = font->spec;
    return "font \"" + spec.face + "\" " + std::to_string(spec.height) + " weight " +
           std::to_string(spec.weight) + (spec.italic ? " italic" : "");
}

Handle newDc(bool memory) {
    auto dc = std::make_unique<DcObject>();
    dc->memory = memory;
    return headless::addObject(std::move(dc));
}

void removeDc(Handle dc) {
    if (find<DcObject>(dc) != nullptr) {
        headless::removeObject(dc);
    }
}

}  // namespace

Handle createPalette(const std::vector<PaletteEntry>& entries) {
    auto palette = std::make_unique<PaletteObject>();
    palette->entries = entries;
    return headless::addObject(std::move(palette));
}

Handle createFont(const FontSpec& spec) {
    auto font = std::make_unique<FontObject>();
    font->spec = spec;
    return headless::addObject(std::move(font));
}

Handle createCompatibleBitmap(Handle dc, int width, int height) {
    auto bitmap = std::make_unique<BitmapObject>();
    while (liveBitmapNumbers().contains(++bitmap->number)) {
    }
    liveBitmapNumbers().insert(bitmap->number);
    const std::string made = "bitmap" + std::to_string(bitmap->number);
    record("createCompatibleBitmap(" + name(dc) + ", " + numbers({width, height}) + "): " + made);
    return headless::addObject(std::move(bitmap));
}

void deleteObject(Handle object) {
    if (const auto* bitmap = find<BitmapObject>(object)) {
        liveBitmapNumbers().erase(bitmap->number);
    }
    headless::removeObject(object);
}

Handle getClientDC(Handle /*window*/) {
    return newDc(false);
}

void releaseDC(Handle /*window*/, Handle dc) {
    removeDc(dc);
}

Handle createCompatibleDC(Handle /*dc*/) {
    return newDc(true);
}

void deleteDC(Handle dc) {
    removeDc(dc);
}

void usePalette(Handle dc, Handle palette) {
    const auto* object = find<PaletteObject>(palette);
    if (auto* context = find<DcObject>(dc)) {
        context->palette = palette;
    }
    record("usePalette(" + name(dc) + ", " +
           (object != nullptr ? std::to_string(object->entries.size()) + " entries"
                              : std::string("no palette")) +
           ")");
}

void selectObject(Handle dc, Handle object) {
    auto* context = find<DcObject>(dc);
    if (context == nullptr) {
        return;
    }
    if (find<BitmapObject>(object) != nullptr) {
        context->bitmap = object;
    } else if (find<FontObject>(object) != nullptr) {
        context->font = object;
    }
}

// The colour is the entry of the selected palette; without one the index means nothing here.
void fillRectWithPaletteIndex(Handle dc, const Rect& rect, int index) {
    const auto* context = find<DcObject>(dc);
    const auto* palette = context != nullptr ? find<PaletteObject>(context->palette) : nullptr;
    std::string colour = "palette index " + std::to_string(index) + " without a palette";
    if (palette != nullptr && index >= 0 && index < static_cast<int>(palette->entries.size())) {
        const PaletteEntry& entry = palette->entries[static_cast<std::size_t>(index)];
        colour = rgb(entry.red, entry.green, entry.blue);
    }
    record("fillRect(" + name(dc) + ", " + numbers({rect.left, rect.top, rect.right, rect.bottom}) +
           ", " + colour + ")");
}

void bitBlt(Handle dc, const Rect& to, Handle source, Point from) {
    record("bitBlt(" + name(dc) + ", " + numbers({to.left, to.top, to.width(), to.height()}) +
           ", " + name(source) + ", " + numbers({from.x, from.y}) + ")");
}

void setTransparentBackground(Handle dc) {
    if (auto* context = find<DcObject>(dc)) {
        context->transparent = true;
    }
}

void setTextColor(Handle dc, std::uint32_t colour) {
    if (auto* context = find<DcObject>(dc)) {
        context->textColor = colour;
    }
}

void textOut(Handle dc, int x, int y, const std::string& text) {
    const auto* context = find<DcObject>(dc);
    if (context == nullptr) {
        return;
    }
    const std::uint32_t colour = context->textColor;
    record("textOut(" + name(dc) + ", " + numbers({x, y}) + ", \"" + text + "\", " +
           describeFont(*context) + ", " +
           rgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF) + ", " +
           (context->transparent ? "transparent" : "opaque") + ")");
}

Size textExtent(Handle dc, const std::string& text) {
    const auto* context = find<DcObject>(dc);
    const auto* font = context != nullptr ? find<FontObject>(context->font) : nullptr;
    const int height =
        font != nullptr && font->spec.height != 0 ? std::abs(font->spec.height) : kSystemFontHeight;
    return {static_cast<int>(text.size()) * (height / 2), height};
}

void eraseIconBackground(Handle /*window*/, Handle /*dc*/) {
    record("eraseIconBackground");
}

void drawIcon(Handle /*dc*/, int x, int y, Handle icon) {
    const auto* object = find<headless::IconObject>(icon);
    record("drawIcon(" + numbers({x, y}) + ", " +
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
