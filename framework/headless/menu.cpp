// Pop-up menus and each window's system menu, as lists of items.
#include <vector>

#include "driver_sys.h"
#include "handles.h"
#include "sys.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

struct MenuObject : headless::Object {
    std::vector<MenuItem> items;
};

MenuItem* itemAt(Handle handle, int position) {
    auto* menu = headless::find<MenuObject>(handle);
    if (menu == nullptr || position < 0 || position >= static_cast<int>(menu->items.size())) {
        return nullptr;
    }
    return &menu->items[static_cast<std::size_t>(position)];
}

// The first item with this command id, as the platform finds items by command.
MenuItem* itemById(Handle handle, unsigned id) {
    auto* menu = headless::find<MenuObject>(handle);
    if (menu == nullptr) {
        return nullptr;
    }
    for (MenuItem& item : menu->items) {
        if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

Handle menuCreatePopup() {
    return headless::addObject(std::make_unique<MenuObject>());
}

void menuDestroy(Handle handle) {
    if (headless::find<MenuObject>(handle) != nullptr) {
        headless::removeObject(handle);
    }
}

// Made on first use, empty (the platform's own items are of no interest here), and destroyed with
// the window.
Handle systemMenu(Handle window) {
    headless::WindowNode* node = headless::findWindow(window);
    if (node == nullptr) {
        return nullptr;
    }
    if (node->systemMenu == nullptr) {
        node->systemMenu = menuCreatePopup();
    }
    return node->systemMenu;
}

// A separator is grayed, as the platform reports it.
void menuAppend(Handle handle, const MenuItem& item) {
    if (auto* menu = headless::find<MenuObject>(handle)) {
        menu->items.push_back(item);
        menu->items.back().grayed = item.grayed || item.separator;
    }
}

int menuCount(Handle handle) {
    auto* menu = headless::find<MenuObject>(handle);
    return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

MenuItem menuItemAt(Handle handle, int position) {
    const MenuItem* item = itemAt(handle, position);
    return item != nullptr ? *item : MenuItem{};
}

void menuEnableAt(Handle handle, int position, bool enabled) {
    if (MenuItem* item = itemAt(handle, position)) {
        item->grayed = !enabled;
    }
}

void menuEnableItem(Handle handle, unsigned id, bool enabled) {
    if (MenuItem* item = itemById(handle, id)) {
        item->grayed = !enabled;
    }
}

void menuCheckItem(Handle handle, unsigned id, bool checked) {
    if (MenuItem* item = itemById(handle, id)) {
        item->checked = checked;
    }
}

}  // namespace fw::sys
