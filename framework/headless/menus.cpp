// Pop-up menus and each window's system menu, as lists of items.
#include <vector>

#include "handles.h"
#include "sys.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

struct MenuObject : headless::Object {
    std::vector<MenuItem> items;
};

MenuObject* menu(Handle handle) {
    return headless::find<MenuObject>(handle);
}

MenuItem* itemAt(Handle handle, int position) {
    MenuObject* object = menu(handle);
    if (object == nullptr || position < 0 || position >= static_cast<int>(object->items.size())) {
        return nullptr;
    }
    return &object->items[static_cast<std::size_t>(position)];
}

// The first item with this command id, as the platform finds items by command.
MenuItem* itemById(Handle handle, unsigned id) {
    MenuObject* object = menu(handle);
    if (object == nullptr) {
        return nullptr;
    }
    for (MenuItem& item : object->items) {
        if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

// The items a window's system menu starts with.
std::vector<MenuItem> standardSystemItems() {
    std::vector<MenuItem> items = {
        {0xF120, "&Restore"},  {0xF010, "&Move"},     {0xF000, "&Size"},
        {0xF020, "Mi&nimize"}, {0xF030, "Ma&ximize"},
    };
    MenuItem separator;
    separator.separator = true;
    separator.grayed = true;
    items.push_back(separator);
    items.push_back({0xF060, "&Close\tAlt+F4"});
    return items;
}

}  // namespace

Handle menuCreatePopup() {
    return headless::addObject(std::make_unique<MenuObject>());
}

void menuDestroy(Handle handle) {
    if (menu(handle) != nullptr) {
        headless::removeObject(handle);
    }
}

// Made on first use and destroyed with the window.
Handle systemMenu(Handle window) {
    headless::WindowNode* node = headless::findWindow(window);
    if (node == nullptr) {
        return nullptr;
    }
    if (node->systemMenu == nullptr) {
        auto object = std::make_unique<MenuObject>();
        object->items = standardSystemItems();
        node->systemMenu = headless::addObject(std::move(object));
    }
    return node->systemMenu;
}

// A separator is grayed, as the platform reports it.
void menuAppend(Handle handle, const MenuItem& item) {
    if (MenuObject* object = menu(handle)) {
        object->items.push_back(item);
        object->items.back().grayed = item.grayed || item.separator;
    }
}

int menuCount(Handle handle) {
    MenuObject* object = menu(handle);
    return object != nullptr ? static_cast<int>(object->items.size()) : -1;
}

MenuItem menuItemAt(Handle handle, int position) {
    MenuItem* item = itemAt(handle, position);
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
