#include "framework/menu.h"

#include <utility>

#include "framework/window.h"
#include "host.h"
#include "sys.h"

namespace fw {

Menu::Menu(Menu&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), owned_(std::exchange(other.owned_, false)) {}

Menu& Menu::operator=(Menu&& other) noexcept {
    if (this != &other) {
        if (owned_ && handle_ != nullptr) {
            sys::menuDestroy(handle_);
        }
        handle_ = std::exchange(other.handle_, nullptr);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

Menu::~Menu() {
    if (owned_ && handle_ != nullptr) {
        sys::menuDestroy(handle_);
    }
}

bool Menu::createPopup() {
    *this = Menu();
    handle_ = sys::menuCreatePopup();
    owned_ = handle_ != nullptr;
    return owned_;
}

Menu Menu::borrow(Handle handle) {
    Menu menu;
    menu.handle_ = handle;
    return menu;
}

void Menu::appendItem(unsigned id, const std::string& text) {
    MenuItem item;
    item.id = id;
    item.text = text;
    sys::menuAppend(handle_, item);
}

void Menu::appendSeparator() {
    MenuItem item;
    item.separator = true;
    sys::menuAppend(handle_, item);
}

int Menu::itemCount() const {
    return sys::menuCount(handle_);
}
void Menu::enableAt(int position, bool enabled) {
    sys::menuEnableAt(handle_, position, enabled);
}
void Menu::enableItem(unsigned id, bool enabled) {
    sys::menuEnableItem(handle_, id, enabled);
}
void Menu::checkItem(unsigned id, bool checked) {
    sys::menuCheckItem(handle_, id, checked);
}

void Menu::track(Window& owner, Point screen, unsigned flags) {
    // The command reaches the owner before this returns.
    if (const unsigned command = detail::host().trackMenu(*this, owner.handle(), screen, flags)) {
        sys::sendMessage(owner.handle(), wm::kCommand, command, 0);
    }
}

}  // namespace fw
