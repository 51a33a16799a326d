// Drawing: the device context a window paints on, and icons drawn on it.
#pragma once

#include "framework/types.h"

namespace fw {

class Icon;
class Window;

// A window's client area (released on destruction) or the context of its paint message.
class DrawContext {
  public:
    // The client area of a window.
    static DrawContext forClient(const Window& window);

    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    DrawContext(DrawContext&& other) noexcept;
    DrawContext& operator=(DrawContext&&) = delete;
    ~DrawContext();

    Handle handle() const { return handle_; }

    // The background of a minimised window's icon, and an icon drawn at a point.
    void eraseIconBackground(const Window& window);
    void drawIcon(int x, int y, const Icon& icon);

    // Backends only.
    enum class Kind { client, paint };
    DrawContext(Handle handle, Kind kind, Handle window);

  private:
    Handle handle_ = nullptr;
    Kind kind_ = Kind::paint;
    Handle window_ = nullptr;
};

// The size of a large icon.
int systemIconWidth();
int systemIconHeight();

}  // namespace fw
