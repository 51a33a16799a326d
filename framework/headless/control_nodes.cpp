#include "control_nodes.h"

#include <algorithm>
#include <cctype>

#include "win_styles.h"

namespace fw::headless {

namespace {

// The classes the templates use, spelt as the platform registers them: a template may spell
// them in any case (windres writes "BUTTON" for a CONTROL statement's "Button").
constexpr const char* kRegisteredClasses[] = {
    "Button",    "Edit",     "Static",        "ListBox",
    "ScrollBar", "ComboBox", "SysListView32", "msctls_progress32",
};

std::string registeredName(const std::string& name) {
    for (const char* registered : kRegisteredClasses) {
        if (std::equal(name.begin(), name.end(), registered,
                       registered + std::char_traits<char>::length(registered), [](char x, char y) {
                           return std::tolower(static_cast<unsigned char>(x)) ==
                                  std::tolower(static_cast<unsigned char>(y));
                       })) {
            return registered;
        }
    }
    return name;
}

std::unique_ptr<WindowNode> makeNode(const std::string& className, std::uint32_t style) {
    if (className == "Button") {
        return std::make_unique<ButtonNode>();
    }
    if (className == "ComboBox") {
        return std::make_unique<ComboNode>(style);
    }
    if (className == "SysListView32") {
        return std::make_unique<ListViewNode>();
    }
    if (className == "msctls_progress32") {
        return std::make_unique<ProgressNode>();
    }
    return std::make_unique<WindowNode>(WindowNode::Kind::control);
}

}  // namespace

ComboNode::ComboNode(std::uint32_t comboStyle)
    : WindowNode(Kind::control), items((comboStyle & style::kCbsSort) != 0) {}

bool ComboNode::isDropDownList() const {
    return (style & style::kCbsTypeMask) == style::kCbsDropDownList;
}

std::string ComboNode::windowText() const {
    return isDropDownList() ? items.text(selection) : text;
}

void ComboNode::setWindowText(const std::string& value) {
    if (!isDropDownList()) {
        text = value;
    }
}

void ComboNode::select(int index) {
    selection = index;
    if (!isDropDownList()) {
        text = items.text(selection);
    }
}

std::unique_ptr<WindowNode> makeControl(const std::string& className, std::uint32_t style) {
    std::string name = registeredName(className);
    std::unique_ptr<WindowNode> control = makeNode(name, style);
    control->className = name;
    control->style = style;
    return control;
}

}  // namespace fw::headless
