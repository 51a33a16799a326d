// Dialogs built from their templates, as CreateDialog builds them, and their items.
#include <algorithm>

#include "control_nodes.h"
#include "fatal.h"
#include "framework/dialog.h"
#include "program_resources.h"
#include "sys.h"
#include "win_styles.h"
#include "window_tree.h"

namespace fw::sys {

using namespace headless;

namespace {

std::optional<DialogTemplate> loadTemplate(int templateId) {
    try {
        return programResources().dialog(templateId);
    } catch (const ResFileError& error) {
        fatal("dialog template " + std::to_string(templateId) + ": " + error.what());
    }
}

// The client area sits at the template's position in the owner's client area (on the screen
// without an owner), or in the middle of the screen for DS_CENTER; the whole window is then
// kept on the screen.
Rect placeDialog(const DialogTemplate& dialog, const WindowNode& node, Handle ownerWindow) {
    Insets insets = nonClientInsets(node);
    int width = dialogUnitsToPixelsX(dialog.cx) + insets.left + insets.right;
    int height = dialogUnitsToPixelsY(dialog.cy) + insets.top + insets.bottom;
    Point origin;
    if (WindowNode* owner = findWindow(ownerWindow)) {
        origin = clientOrigin(*owner);
    }
    int left = origin.x + dialogUnitsToPixelsX(dialog.x) - insets.left;
    int top = origin.y + dialogUnitsToPixelsY(dialog.y) - insets.top;
    if (dialog.style & style::kDsCenter) {
        left = (kScreenWidth - width) / 2;
        top = (kScreenHeight - height) / 2;
    }
    left = std::max(0, std::min(left, kScreenWidth - width));
    top = std::max(0, std::min(top, kScreenHeight - height));
    return {left, top, left + width, top + height};
}

void addControl(Handle dialog, const DialogItemTemplate& item) {
    std::unique_ptr<WindowNode> control = makeControl(item.className, item.style);
    control->text = item.title;
    control->exStyle = item.exStyle;
    control->id = item.id;
    int left = dialogUnitsToPixelsX(item.x);
    int top = dialogUnitsToPixelsY(item.y);
    control->rect = {left, top, left + dialogUnitsToPixelsX(item.cx),
                     top + dialogUnitsToPixelsY(item.cy)};
    addWindow(std::move(control), dialog);
}

}  // namespace

Handle createDialog(int templateId, Handle parent, Dialog& owner) {
    std::optional<DialogTemplate> found = loadTemplate(templateId);
    if (!found) {
        return nullptr;
    }
    const DialogTemplate& dialog = *found;
    auto node = std::make_unique<WindowNode>(WindowNode::Kind::dialog);
    node->className = "#32770";
    node->text = dialog.caption;
    // As CreateDialog: the dialog appears only once it is initialised.
    node->style = dialog.style & ~style::kVisible;
    node->exStyle = dialog.exStyle;
    node->ownerWindow = parent;
    node->rect = placeDialog(dialog, *node, parent);
    node->owner = &owner;
    Handle handle = addWindow(std::move(node), nullptr);
    detail::WindowAccess::setHandle(owner, handle);
    for (const DialogItemTemplate& item : dialog.items) {
        addControl(handle, item);
    }

    bool handled = false;
    Handle focusFirst = firstTabStop(*findWindow(handle));
    std::intptr_t wantsFocus = dispatchToOwner(
        handle, wm::kInitDialog, reinterpret_cast<std::uintptr_t>(focusFirst), 0, handled);
    WindowNode* created = findWindow(handle);
    if (created == nullptr) {
        return nullptr;
    }
    // The handler may have changed which controls can take the focus: look again.
    if (wantsFocus != 0) {
        if (Handle first = firstTabStop(*created)) {
            setFocus(first);
        }
    }
    if (dialog.style & style::kVisible) {
        showWindow(handle, Show::show);
    }
    return handle;
}

Handle dialogItem(Handle dialog, int id) {
    WindowNode* node = findWindow(dialog);
    if (node == nullptr) {
        return nullptr;
    }
    for (Handle child : node->children) {
        if (findWindow(child)->id == id) {
            return child;
        }
    }
    return nullptr;
}

int defaultButtonId(Handle dialog) {
    WindowNode* node = findWindow(dialog);
    if (node == nullptr) {
        return kIdOk;
    }
    for (Handle child : node->children) {
        auto* button = find<ButtonNode>(child);
        if (button != nullptr && (button->style & style::kBsTypeMask) == style::kBsDefPushButton) {
            return button->id;
        }
    }
    return kIdOk;
}

}  // namespace fw::sys
