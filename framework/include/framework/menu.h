// Pop-up menus and the system menu.
#pragma once

#include <string>

#include "framework/types.h"

namespace fw {

class Window;

struct MenuItem {
    unsigned id = 0;  // 0 for a separator
    std::string text;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
};

// Track flags.
constexpr unsigned kTrackLeftAlign = 0x0000;
constexpr unsigned kTrackLeftButton = 0x0000;
constexpr unsigned kTrackRightButton = 0x0002;

class Menu {
  public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    Menu(Menu&& other) noexcept;
    Menu& operator=(Menu&& other) noexcept;
    ~Menu();

    // A new empty pop-up menu, owned by this object.
    bool createPopup();
    // Refers to a menu owned elsewhere (a window's system menu).
    static Menu borrow(Handle handle);

    Handle handle() const { return handle_; }
    void appendItem(unsigned id, const std::string& text);
    void appendSeparator();
    int itemCount() const;
    void enableAt(int position, bool enabled);
    void enableItem(unsigned id, bool enabled);
    void checkItem(unsigned id, bool checked);

    // Shows the menu at a screen point; the chosen item's command arrives at the owner as a
    // command message before this returns.
    void track(Window& owner, Point screen, unsigned flags);

  private:
    Handle handle_ = nullptr;
    bool owned_ = false;
};

}  // namespace fw
