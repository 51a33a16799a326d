// Drawing: device contexts, palettes, fonts, bitmaps, text. Enough for a banner composed
// off-screen and copied to its window in one block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/types.h"

namespace fw {

class Icon;
class Window;

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
};

class Palette {
  public:
    Palette() = default;
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;
    ~Palette();
    bool create(const std::vector<PaletteEntry>& entries);  // version 0x300
    Handle handle() const { return handle_; }

  private:
    Handle handle_ = nullptr;
};

struct FontSpec {
    std::string face;
    int height = 0;
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

class Font {
  public:
    Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();
    bool create(const FontSpec& spec);  // ANSI character set, default precision and quality
    Handle handle() const { return handle_; }

  private:
    Handle handle_ = nullptr;
};

class DrawContext;

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();
    bool createCompatible(const DrawContext& dc, int width, int height);
    Handle handle() const { return handle_; }

  private:
    Handle handle_ = nullptr;
};

// A device context: a window's client area, its paint context, or a memory context.
class DrawContext {
  public:
    // The client area of a window (released on destruction).
    static DrawContext forClient(const Window& window);
    // A memory context compatible with another.
    static DrawContext compatibleWith(const DrawContext& other);

    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    DrawContext(DrawContext&& other) noexcept;
    DrawContext& operator=(DrawContext&&) = delete;
    ~DrawContext();

    Handle handle() const { return handle_; }

    void selectPalette(const Palette& palette);
    unsigned realizePalette();
    void selectBitmap(const Bitmap& bitmap);
    void selectFont(const Font& font);
    // Fills with a solid brush of a palette entry.
    void fillRectWithPaletteIndex(const Rect& rect, int index);
    // Copies a block from another context (source copy).
    void bitBlt(int x, int y, int width, int height, const DrawContext& source, int sourceX,
                int sourceY);
    void setTransparentBackground();
    void setTextColor(std::uint32_t rgb);
    void textOut(int x, int y, const std::string& text);
    // Width and height of a text in the selected font.
    Point textExtent(const std::string& text) const;
    // The background of a minimised window's icon, and an icon drawn at a point.
    void eraseIconBackground(const Window& window);
    void drawIcon(int x, int y, const Icon& icon);

    // Backends only.
    enum class Kind { client, paint, memory };
    DrawContext(Handle handle, Kind kind, Handle window);

  private:
    Handle handle_ = nullptr;
    Kind kind_ = Kind::memory;
    Handle window_ = nullptr;
    Handle paintState_ = nullptr;  // backend data for a paint context
};

int screenWidth();
int screenHeight();
int systemIconWidth();
int systemIconHeight();

}  // namespace fw
