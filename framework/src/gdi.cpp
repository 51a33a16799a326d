#include "framework/gdi.h"

#include <utility>

#include "framework/resources.h"
#include "framework/window.h"
#include "sys.h"

namespace fw {

Palette::~Palette() {
    if (handle_ != nullptr) {
        sys::deleteObject(handle_);
    }
}

bool Palette::create(const std::vector<PaletteEntry>& entries) {
    handle_ = sys::createPalette(entries);
    return handle_ != nullptr;
}

Font::~Font() {
    if (handle_ != nullptr) {
        sys::deleteObject(handle_);
    }
}

bool Font::create(const FontSpec& spec) {
    handle_ = sys::createFont(spec);
    return handle_ != nullptr;
}

Bitmap::~Bitmap() {
    if (handle_ != nullptr) {
        sys::deleteObject(handle_);
    }
}

bool Bitmap::createCompatible(const DrawContext& dc, int width, int height) {
    handle_ = sys::createCompatibleBitmap(dc.handle(), width, height);
    return handle_ != nullptr;
}

DrawContext::DrawContext(Handle handle, Kind kind, Handle window)
    : handle_(handle), kind_(kind), window_(window) {}

DrawContext::DrawContext(DrawContext&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      kind_(other.kind_),
      window_(other.window_),
      paintState_(other.paintState_) {}

DrawContext::~DrawContext() {
    if (handle_ == nullptr) {
        return;
    }
    switch (kind_) {
        case Kind::client:
            sys::releaseDC(window_, handle_);
            break;
        case Kind::memory:
            sys::deleteDC(handle_);
            break;
        case Kind::paint:
            break;  // the backend ends the painting
    }
}

DrawContext DrawContext::forClient(const Window& window) {
    return DrawContext(sys::getClientDC(window.handle()), Kind::client, window.handle());
}

DrawContext DrawContext::compatibleWith(const DrawContext& other) {
    return DrawContext(sys::createCompatibleDC(other.handle()), Kind::memory, nullptr);
}

void DrawContext::selectPalette(const Palette& palette) {
    sys::selectPalette(handle_, palette.handle());
}
unsigned DrawContext::realizePalette() {
    return sys::realizePalette(handle_);
}
void DrawContext::selectBitmap(const Bitmap& bitmap) {
    sys::selectObject(handle_, bitmap.handle());
}
void DrawContext::selectFont(const Font& font) {
    sys::selectObject(handle_, font.handle());
}
void DrawContext::fillRectWithPaletteIndex(const Rect& rect, int index) {
    sys::fillRectPaletteIndex(handle_, rect, index);
}
void DrawContext::bitBlt(int x, int y, int width, int height, const DrawContext& source,
                         int sourceX, int sourceY) {
    sys::bitBlt(handle_, x, y, width, height, source.handle(), sourceX, sourceY);
}
void DrawContext::setTransparentBackground() {
    sys::setTransparentBackground(handle_);
}
void DrawContext::setTextColor(std::uint32_t rgb) {
    sys::setTextColor(handle_, rgb);
}
void DrawContext::textOut(int x, int y, const std::string& text) {
    sys::textOut(handle_, x, y, text);
}
Point DrawContext::textExtent(const std::string& text) const {
    return sys::textExtent(handle_, text);
}
void DrawContext::eraseIconBackground(const Window& window) {
    sys::eraseIconBackground(window.handle(), handle_);
}
void DrawContext::drawIcon(int x, int y, const Icon& icon) {
    sys::drawIcon(handle_, x, y, icon.handle());
}

int screenWidth() {
    return sys::screenWidth();
}
int screenHeight() {
    return sys::screenHeight();
}
int systemIconWidth() {
    return sys::systemIconWidth();
}
int systemIconHeight() {
    return sys::systemIconHeight();
}

}  // namespace fw
