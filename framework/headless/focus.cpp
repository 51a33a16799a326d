// The keyboard focus, and the notifications the platform's controls send their parent when they
// gain or lose it.
#include <utility>

#include "sys.h"
#include "window_tree.h"

namespace fw::sys {

namespace {

using headless::findWindow;
using headless::WindowNode;

// EN_SETFOCUS and EN_KILLFOCUS; CBN_SETFOCUS, CBN_KILLFOCUS and CBN_SELENDCANCEL; NM_SETFOCUS
// and NM_KILLFOCUS.
constexpr int kEditSetFocus = 0x0100;
constexpr int kEditKillFocus = 0x0200;
constexpr int kComboSetFocus = 3;
constexpr int kComboKillFocus = 4;
constexpr int kComboSelectionCancelled = 10;
constexpr int kListSetFocus = -7;
constexpr int kListKillFocus = -8;

Handle focus = nullptr;

void notifyFocus(Handle window, bool gained) {
    WindowNode* node = findWindow(window);
    if (node == nullptr) {
        return;
    }
    if (node->className == "Edit") {
        headless::notifyParent(window, gained ? kEditSetFocus : kEditKillFocus);
    } else if (node->className == "ComboBox" && gained) {
        headless::notifyParent(window, kComboSetFocus);
    } else if (node->className == "ComboBox") {
        // Losing the focus closes the list without a choice.
        headless::notifyParent(window, kComboSelectionCancelled);
        headless::notifyParent(window, kComboKillFocus);
    } else if (node->className == "SysListView32") {
        sendNotify(node->parent, node->id, gained ? kListSetFocus : kListKillFocus);
    }
}

}  // namespace

void setFocus(Handle window) {
    WindowNode* node = findWindow(window);
    if (window != nullptr && node == nullptr) {
        return;
    }
    // A dialog hands the focus on to its first control that takes it.
    if (node != nullptr && node->kind == WindowNode::Kind::dialog) {
        if (Handle first = headless::firstTabStop(*node)) {
            window = first;
        }
    }
    if (window == focus) {
        return;
    }
    Handle previous = std::exchange(focus, window);
    notifyFocus(previous, false);
    // The loser's parent may have moved the focus on already.
    if (focus == window) {
        notifyFocus(window, true);
    }
}

Handle focusedWindow() {
    return focus;
}

}  // namespace fw::sys
