// Combo boxes: their items, the selection and the prefix search.
#include "control_nodes.h"
#include "sys.h"

namespace fw::sys {

namespace {

headless::ComboNode* combo(Handle handle) {
    return headless::find<headless::ComboNode>(handle);
}

}  // namespace

int comboAdd(Handle handle, const std::string& text) {
    headless::ComboNode* node = combo(handle);
    if (node == nullptr) {
        return -1;
    }
    int index = node->items.add(text);
    // The selected item moves down with the insertion.
    if (node->selection >= index) {
        ++node->selection;
    }
    return index;
}

void comboReset(Handle handle) {
    if (headless::ComboNode* node = combo(handle)) {
        node->items.clear();
        node->select(-1);
    }
}

int comboCount(Handle handle) {
    headless::ComboNode* node = combo(handle);
    return node != nullptr ? node->items.count() : 0;
}

std::string comboText(Handle handle, int index) {
    headless::ComboNode* node = combo(handle);
    return node != nullptr ? node->items.text(index) : std::string();
}

int comboSelectString(Handle handle, int startAfter, const std::string& text) {
    headless::ComboNode* node = combo(handle);
    if (node == nullptr) {
        return -1;
    }
    int index = node->items.findPrefix(startAfter, text);
    if (index >= 0) {
        node->select(index);
    }
    return index;
}

int comboSelection(Handle handle) {
    headless::ComboNode* node = combo(handle);
    return node != nullptr ? node->selection : -1;
}

// An index out of range leaves the selection as it is; -1 clears it.
void comboSetSelection(Handle handle, int index) {
    headless::ComboNode* node = combo(handle);
    if (node != nullptr && index >= -1 && index < node->items.count()) {
        node->select(index);
    }
}

}  // namespace fw::sys
