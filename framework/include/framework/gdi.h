// Drawing: the device contexts a window paints on, memory contexts that compose a picture
// off-screen, and the palettes, fonts and bitmaps selected into them; icons; the screen's size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/types.h"

namespace fw {

class DrawContext;
class Icon;
class Window;

// A drawing object owned by this object and deleted with it. It must outlive every context it
// is selected into.
class GdiObject {
  public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject();

    Handle handle() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }

  protected:
    // Takes a new object (deleting the one held before); false when the platform made none.
    bool adopt(Handle handle);

  private:
    Handle handle_ = nullptr;
};

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
};

class Palette : public GdiObject {
  public:
    // A logical palette of version 0x300 with these entries.
    bool create(const std::vector<PaletteEntry>& entries);
};

struct FontSpec {
    std::string face;
    int height = 0;  // logical units
    int width = 0;   // 0: the platform chooses
    int weight = 400;
    bool italic = false;
};

class Font : public GdiObject {
  public:
    // ANSI character set, default precision, quality and pitch, neither underlined nor struck out.
    bool create(const FontSpec& spec);
};

class Bitmap : public GdiObject {
  public:
    // A bitmap in the colour format of the context's device.
    bool createCompatible(const DrawContext& dc, int width, int height);
};

// A window's client area (released on destruction), the context of its paint message, or a
// memory context (deleted on destruction).
class DrawContext {
  public:
    // The client area of a window.
    static DrawContext forClient(const Window& window);
    // A memory context for the device of another context.
    static DrawContext compatibleWith(const DrawContext& other);

    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    DrawContext(DrawContext&& other) noexcept;
    DrawContext& operator=(DrawContext&&) = delete;
    ~DrawContext();

    Handle handle() const { return handle_; }

    // Selects the palette and maps its colours into the system palette.
    void usePalette(const Palette& palette);
    void selectBitmap(const Bitmap& bitmap);
    void selectFont(const Font& font);
    // Fills with a solid brush of an entry of the selected palette.
    void fillRectWithPaletteIndex(const Rect& rect, int index);
    // Copies a block of another context here, unchanged.
    void bitBlt(int x, int y, int width, int height, const DrawContext& source, int sourceX,
                int sourceY);
    void setTransparentBackground();
    // rgb as the platform packs it: red in the low byte, then green, then blue.
    void setTextColor(std::uint32_t rgb);
    void textOut(int x, int y, const std::string& text);
    // The size of a line of text in the selected font.
    Size textExtent(const std::string& text) const;

    // The background of a minimised window's icon, and an icon drawn at a point.
    void eraseIconBackground(const Window& window);
    void drawIcon(int x, int y, const Icon& icon);

    // Backends only.
    enum class Kind { client, paint, memory };
    DrawContext(Handle handle, Kind kind, Handle window);

  private:
    Handle handle_ = nullptr;
    Kind kind_ = Kind::paint;
    Handle window_ = nullptr;
};

int screenWidth();
int screenHeight();
// The size of a large icon.
int systemIconWidth();
int systemIconHeight();

}  // namespace fw
