// Check boxes, radio buttons and clicks, as the platform's button control handles them.
#include <algorithm>

#include "control_nodes.h"
#include "sys.h"
#include "win_styles.h"

namespace fw::sys {

namespace {

using headless::ButtonNode;
using headless::findWindow;
namespace style = headless::style;

std::uint32_t buttonType(const ButtonNode& button) {
    return button.style & style::kBsTypeMask;
}

// Push buttons stay unchecked; three-state boxes go up to 2.
int highestState(const ButtonNode& button) {
    switch (buttonType(button)) {
        case style::kBsCheckBox:
        case style::kBsAutoCheckBox:
        case style::kBsRadioButton:
        case style::kBsAutoRadioButton:
            return 1;
        case style::kBs3State:
        case style::kBsAuto3State:
            return 2;
        default:
            return 0;
    }
}

// Unchecks the other automatic radio buttons of the button's group: the controls from the last
// one with WS_GROUP up to the next one with WS_GROUP. Like the platform, it passes over hidden
// and disabled controls.
void uncheckGroup(const ButtonNode& button) {
    headless::WindowNode* dialog = findWindow(button.parent);
    if (dialog == nullptr) {
        return;
    }
    const auto& controls = dialog->children;
    std::size_t index = 0;
    while (controls[index] != button.handle) {
        ++index;
    }
    std::size_t first = index;
    while (first > 0 && !(findWindow(controls[first])->style & style::kGroup)) {
        --first;
    }
    for (std::size_t i = first; i < controls.size(); ++i) {
        auto* other = headless::find<ButtonNode>(controls[i]);
        if (i > first && (findWindow(controls[i])->style & style::kGroup)) {
            break;
        }
        if (other != nullptr && other != &button &&
            buttonType(*other) == style::kBsAutoRadioButton && isWindowVisible(other->handle) &&
            isWindowEnabled(other->handle)) {
            other->check = 0;
        }
    }
}

}  // namespace

int checkState(Handle button) {
    auto* node = headless::find<ButtonNode>(button);
    return node != nullptr ? node->check : 0;
}

void setCheck(Handle button, int state) {
    if (auto* node = headless::find<ButtonNode>(button)) {
        node->check = std::min(std::max(state, 0), highestState(*node));
    }
}

void clickButton(Handle button) {
    auto* node = headless::find<ButtonNode>(button);
    if (node == nullptr || !isWindowEnabled(button) || !isWindowVisible(button)) {
        return;
    }
    // The mouse press takes the focus, which may run the parent's code.
    setFocus(button);
    if ((node = headless::find<ButtonNode>(button)) == nullptr) {
        return;
    }
    switch (buttonType(*node)) {
        case style::kBsAutoCheckBox:
            node->check = node->check == 0 ? 1 : 0;
            break;
        case style::kBsAuto3State:
            node->check = (node->check + 1) % 3;
            break;
        case style::kBsAutoRadioButton:
            node->check = 1;
            uncheckGroup(*node);
            break;
        default:
            break;
    }
    headless::notifyParent(button, kButtonClicked);
}

}  // namespace fw::sys
