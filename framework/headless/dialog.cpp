// Dialogs built from their templates, as CreateDialog builds them, and their items.
#include "framework/dialog.h"

#include "control_nodes.h"
#include "driver_sys.h"
#include "fatal.h"
#include "program_resources.h"
#include "sys.h"
#include "win_styles.h"

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

// The first control that takes the focus from the keyboard: a visible, enabled tab stop.
Handle firstTabStop(const WindowNode& dialog) {
    constexpr std::uint32_t kMask = style::kTabStop | style::kVisible | style::kDisabled;
    for (Handle child : dialog.children) {
        if ((findWindow(child)->style & kMask) == (style::kTabStop | style::kVisible)) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

Handle createDialog(int templateId, Handle parent, Dialog& owner) {
    const std::optional<DialogTemplate> found = loadTemplate(templateId);
    if (!found) {
        return nullptr;
    }
    const DialogTemplate& dialog = *found;
    auto node = std::make_unique<WindowNode>();
    node->className = WindowNode::kDialogClass;
    node->text = dialog.caption;
    // As CreateDialog: the dialog appears only once it is initialised.
    node->style = dialog.style & ~style::kVisible;
    node->ownerWindow = parent;
    node->rect = dialogUnitsToPixels(dialog.x, dialog.y, dialog.cx, dialog.cy);
    node->owner = &owner;
    const Handle handle = addWindow(std::move(node), nullptr);
    detail::WindowAccess::setHandle(owner, handle);
    for (const DialogItemTemplate& item : dialog.items) {
        std::unique_ptr<WindowNode> control = makeControl(item.className, item.style);
        control->text = item.title;
        control->id = item.id;
        control->rect = dialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
        addWindow(std::move(control), handle);
    }

    bool handled = false;
    const std::intptr_t wantsFocus = dispatchToOwner(handle, wm::kInitDialog, 0, 0, handled);
    WindowNode* created = findWindow(handle);
    if (created == nullptr) {
        return nullptr;
    }
    // The handler may have changed which controls can take the focus.
    if (wantsFocus != 0) {
        setFocus(firstTabStop(*created));
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
    if (node != nullptr) {
        for (Handle child : node->children) {
            const WindowNode* control = findWindow(child);
            if (control->className == "Button" &&
                (control->style & style::kBsTypeMask) == style::kBsDefPushButton) {
                return control->id;
            }
        }
    }
    return kIdOk;
}

}  // namespace fw::sys
