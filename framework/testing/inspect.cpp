#include "framework/inspect.h"

#include "driver_sys.h"

namespace fw::test {

bool hasFocus(const Control& control) {
    return control.handle() != nullptr && sys::focusedWindow() == control.handle();
}

std::uint32_t style(const Control& control) {
    return sys::windowStyle(control.handle());
}

int columnWidth(const ListView& list, int column) {
    return sys::listColumnWidth(list.handle(), column);
}

std::pair<int, int> range(const ProgressBar& bar) {
    return sys::progressRange(bar.handle());
}

MenuItem itemAt(const Menu& menu, int position) {
    return sys::menuItemAt(menu.handle(), position);
}

bool fileExists(const std::string& path) {
    return sys::fileExists(path);
}

long deleteTree(const std::string& subKey) {
    return sys::regDeleteTree(subKey);
}

}  // namespace fw::test
