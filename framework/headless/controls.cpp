// Buttons, drop-down lists, progress bars and image lists, with the platform's rules for each.
#include <algorithm>
#include <cctype>

#include "control_nodes.h"
#include "driver_sys.h"
#include "program_resources.h"
#include "sys.h"
#include "win_styles.h"

namespace fw::headless {

namespace {

char asciiLower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The order of a sorted list, ignoring the case of ASCII letters. The platform's own order also
// weighs symbols, hyphens and accents; entry names that differ only in those are not told apart
// here.
int compareIgnoringCase(const std::string& a, const std::string& b) {
    const auto [mismatchA, mismatchB] =
        std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
    if (mismatchA == a.end() || mismatchB == b.end()) {
        return (mismatchA == a.end() ? 0 : 1) - (mismatchB == b.end() ? 0 : 1);
    }
    return static_cast<unsigned char>(asciiLower(*mismatchA)) -
           static_cast<unsigned char>(asciiLower(*mismatchB));
}

// The classes the templates use, spelt as the platform registers them.
constexpr const char* kRegisteredClasses[] = {"Button",   "Edit",          "Static",
                                              "ComboBox", "SysListView32", "msctls_progress32"};

std::string registeredName(const std::string& name) {
    for (const char* registered : kRegisteredClasses) {
        if (compareIgnoringCase(name, registered) == 0) {
            return registered;
        }
    }
    return name;
}

}  // namespace

std::string ComboNode::windowText() const {
    return selection >= 0 ? items[static_cast<std::size_t>(selection)] : std::string();
}

std::string ProgressNode::appearance() const {
    return "position " + std::to_string(pos) + " in " + std::to_string(low) + ".." +
           std::to_string(high);
}

std::unique_ptr<WindowNode> makeControl(const std::string& className, std::uint32_t style) {
    const std::string name = registeredName(className);
    std::unique_ptr<WindowNode> control;
    if (name == "Button") {
        control = std::make_unique<ButtonNode>();
    } else if (name == "ComboBox") {
        auto combo = std::make_unique<ComboNode>();
        combo->sorted = (style & style::kCbsSort) != 0;
        control = std::move(combo);
    } else if (name == "SysListView32") {
        control = std::make_unique<ListViewNode>();
    } else if (name == "msctls_progress32") {
        control = std::make_unique<ProgressNode>();
    } else {
        control = std::make_unique<WindowNode>();
    }
    control->className = name;
    control->style = style;
    return control;
}

}  // namespace fw::headless

namespace fw::sys {

namespace {

using headless::ButtonNode;
using headless::ComboNode;
using headless::find;
using headless::findWindow;
using headless::ProgressNode;
namespace style = headless::style;

std::uint32_t buttonType(const ButtonNode& button) {
    return button.style & style::kBsTypeMask;
}

bool isCheckable(const ButtonNode& button) {
    switch (buttonType(button)) {
        case style::kBsCheckBox:
        case style::kBsAutoCheckBox:
        case style::kBsRadioButton:
        case style::kBsAutoRadioButton:
            return true;
        default:
            return false;
    }
}

// Unchecks the other automatic radio buttons of the button's group: the controls from the last
// one with WS_GROUP up to the next one with WS_GROUP.
void uncheckGroup(const ButtonNode& button) {
    const auto& controls = findWindow(button.parent)->children;
    auto first = std::find(controls.begin(), controls.end(), button.handle);
    while (first != controls.begin() && !(findWindow(*first)->style & style::kGroup)) {
        --first;
    }
    for (auto it = first; it != controls.end(); ++it) {
        if (it != first && (findWindow(*it)->style & style::kGroup)) {
            break;
        }
        auto* other = find<ButtonNode>(*it);
        if (other != nullptr && other != &button &&
            buttonType(*other) == style::kBsAutoRadioButton) {
            other->check = 0;
        }
    }
}

}  // namespace

int checkState(Handle button) {
    auto* node = find<ButtonNode>(button);
    return node != nullptr ? node->check : 0;
}

void setCheck(Handle button, int state) {
    if (auto* node = find<ButtonNode>(button); node != nullptr && isCheckable(*node)) {
        node->check = state != 0 ? 1 : 0;
    }
}

void clickButton(Handle button) {
    auto* node = find<ButtonNode>(button);
    if (node == nullptr || !isWindowEnabled(button) || !isWindowVisible(button)) {
        return;
    }
    // The mouse press takes the focus.
    setFocus(button);
    if (buttonType(*node) == style::kBsAutoCheckBox) {
        node->check = node->check == 0 ? 1 : 0;
    } else if (buttonType(*node) == style::kBsAutoRadioButton) {
        node->check = 1;
        uncheckGroup(*node);
    }
    headless::notifyParent(button, kButtonClicked);
}

// A sorted list places a new item by binary search; an equal item found on the way takes the new
// one before it, as on the platform.
int comboAdd(Handle handle, const std::string& text) {
    auto* node = find<ComboNode>(handle);
    if (node == nullptr) {
        return -1;
    }
    auto& items = node->items;
    auto position = items.end();
    if (node->sorted) {
        int low = 0;
        int high = static_cast<int>(items.size()) - 1;
        while (low <= high) {
            const int middle = (low + high) / 2;
            const int order =
                headless::compareIgnoringCase(items[static_cast<std::size_t>(middle)], text);
            if (order == 0) {
                low = middle;
                break;
            }
            if (order > 0) {
                high = middle - 1;
            } else {
                low = middle + 1;
            }
        }
        position = items.begin() + low;
    }
    const auto inserted = items.insert(position, text);
    const auto index = static_cast<int>(inserted - items.begin());
    // The selected item moves down with the insertion.
    if (node->selection >= index) {
        ++node->selection;
    }
    return index;
}

void comboReset(Handle handle) {
    if (auto* node = find<ComboNode>(handle)) {
        node->items.clear();
        node->selection = -1;
    }
}

int comboCount(Handle handle) {
    auto* node = find<ComboNode>(handle);
    return node != nullptr ? static_cast<int>(node->items.size()) : 0;
}

std::string comboText(Handle handle, int index) {
    auto* node = find<ComboNode>(handle);
    if (node == nullptr || index < 0 || index >= static_cast<int>(node->items.size())) {
        return {};
    }
    return node->items[static_cast<std::size_t>(index)];
}

// The first item from the one after startAfter on, wrapping around, that begins with text,
// ignoring the case of ASCII letters; -1 when none does or text is empty.
int comboSelectString(Handle handle, int startAfter, const std::string& text) {
    auto* node = find<ComboNode>(handle);
    const int count = node != nullptr ? static_cast<int>(node->items.size()) : 0;
    if (count == 0 || text.empty()) {
        return -1;
    }
    const int start = startAfter + 1 >= 0 && startAfter + 1 < count ? startAfter + 1 : 0;
    for (int i = 0; i < count; ++i) {
        const int index = (start + i) % count;
        const std::string& item = node->items[static_cast<std::size_t>(index)];
        if (item.size() >= text.size() &&
            headless::compareIgnoringCase(item.substr(0, text.size()), text) == 0) {
            node->selection = index;
            return index;
        }
    }
    return -1;
}

int comboSelection(Handle handle) {
    auto* node = find<ComboNode>(handle);
    return node != nullptr ? node->selection : -1;
}

// An index out of range leaves the selection as it is; -1 clears it.
void comboSetSelection(Handle handle, int index) {
    auto* node = find<ComboNode>(handle);
    if (node != nullptr && index >= -1 && index < static_cast<int>(node->items.size())) {
        node->selection = index;
    }
}

// Progress bars keep their position within the range; a step past the end starts over from the
// beginning. Each change of what the bar shows makes it paint again.
void progressSetRange(Handle handle, int low, int high) {
    if (auto* node = find<ProgressNode>(handle)) {
        node->needsPaint = true;
        node->low = low;
        node->high = high;
        node->pos = std::clamp(node->pos, low, std::max(low, high));
    }
}

std::pair<int, int> progressRange(Handle handle) {
    auto* node = find<ProgressNode>(handle);
    return node != nullptr ? std::make_pair(node->low, node->high) : std::make_pair(0, 0);
}

int progressSetPos(Handle handle, int pos) {
    auto* node = find<ProgressNode>(handle);
    if (node == nullptr) {
        return 0;
    }
    node->needsPaint = true;
    return std::exchange(node->pos, std::clamp(pos, node->low, std::max(node->low, node->high)));
}

int progressPos(Handle handle) {
    auto* node = find<ProgressNode>(handle);
    return node != nullptr ? node->pos : 0;
}

int progressSetStep(Handle handle, int step) {
    auto* node = find<ProgressNode>(handle);
    return node != nullptr ? std::exchange(node->step, step) : 0;
}

int progressStepIt(Handle handle) {
    auto* node = find<ProgressNode>(handle);
    if (node == nullptr) {
        return 0;
    }
    node->needsPaint = true;
    const int previous = node->pos;
    node->pos += node->step;
    if (node->pos > node->high && node->high > node->low) {
        node->pos = (node->pos - node->low) % (node->high - node->low) + node->low;
    }
    return previous;
}

// As the platform: a width of 0 takes square images as high as the bitmap, and a bitmap narrower
// than one image gives an empty list.
Handle imageListFromBitmap(int bitmapId, int imageWidth, std::uint32_t /*transparentRgb*/,
                           int* count) {
    const std::optional<headless::BitmapSize> size = headless::programResources().bitmap(bitmapId);
    const int width = imageWidth == 0 && size ? size->height : imageWidth;
    if (count != nullptr) {
        *count = size && width > 0 ? size->width / width : 0;
    }
    if (!size || width <= 0) {
        return nullptr;
    }
    return headless::addObject(std::make_unique<headless::ImageListObject>(size->height));
}

void imageListDestroy(Handle imageList) {
    if (find<headless::ImageListObject>(imageList) != nullptr) {
        headless::removeObject(imageList);
    }
}

}  // namespace fw::sys
