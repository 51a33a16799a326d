#include "framework/gdi.h"

#include <utility>

#include "framework/resources.h"
#include "framework/window.h"
#include "sys.h"

namespace fw {

DrawContext::DrawContext(Handle handle, Kind kind, Handle window)
    : handle_(handle), kind_(kind), window_(window) {}

DrawContext::DrawContext(DrawContext&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), kind_(other.kind_), window_(other.window_) {}

DrawContext::~DrawContext() {
    // The backend ends the painting of a paint context.
    if (handle_ != nullptr && kind_ == Kind::client) {
        sys::releaseDC(window_, handle_);
    }
}

DrawContext DrawContext::forClient(const Window& window) {
    return DrawContext(sys::getClientDC(window.handle()), Kind::client, window.handle());
}

void DrawContext::eraseIconBackground(const Window& window) {
    sys::eraseIconBackground(window.handle(), handle_);
}
void DrawContext::drawIcon(int x, int y, const Icon& icon) {
    sys::drawIcon(handle_, x, y, icon.handle());
}

int systemIconWidth() {
    return sys::systemIconWidth();
}
int systemIconHeight() {
    return sys::systemIconHeight();
}

}  // namespace fw
