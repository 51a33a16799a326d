#include "framework/gdi.h"

#include <utility>

#include "framework/resources.h"
#include "framework/window.h"
#include "sys.h"

namespace fw {

GdiObject::~GdiObject() {
    if (handle_ != nullptr) {
        sys::deleteObject(handle_);
    }
}

bool GdiObject::adopt(Handle handle) {
    if (handle_ != nullptr) {
        sys::deleteObject(handle_);
    }
    handle_ = handle;
    return handle_ != nullptr;
}

bool Palette::create(const std::vector<PaletteEntry>& entries) {
    return adopt(sys::createPalette(entries));
}

bool Font::create(const FontSpec& spec) {
    return adopt(sys::createFont(spec));
}

bool Bitmap::createCompatible(const DrawContext& dc, int width, int height) {
    return adopt(sys::createCompatibleBitmap(dc.handle(), width, height));
}

DrawContext::DrawContext(Handle handle, Kind kind, Handle window)
    : handle_(handle), kind_(kind), window_(window) {}

DrawContext::DrawContext(DrawContext&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), kind_(other.kind_), window_(other.window_) {}

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

void DrawContext::usePalette(const Palette& palette) {
    sys::usePalette(handle_, palette.handle());
}
void DrawContext::selectBitmap(const Bitmap& bitmap) {
    sys::selectObject(handle_, bitmap.handle());
}
void DrawContext::selectFont(const Font& font) {
    sys::selectObject(handle_, font.handle());
}
void DrawContext::fillRectWithPaletteIndex(const Rect& rect, int index) {
    sys::fillRectWithPaletteIndex(handle_, rect, index);
}
void DrawContext::bitBlt(int x, int y, int width, int height, const DrawContext& source,
                         int sourceX, int sourceY) {
    sys::bitBlt(handle_, {x, y, x + width, y + height}, source.handle(), {sourceX, sourceY});
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
Size DrawContext::textExtent(const std::string& text) const {
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
