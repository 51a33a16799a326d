// What a test reads of the programs' windows, menus, files and registry that the programs
// themselves never ask, and the tidy-up a test does.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "framework/controls.h"
#include "framework/menu.h"

namespace fw::test {

bool hasFocus(const Control& control);
// The style bits, as the template gave them.
std::uint32_t style(const Control& control);
int columnWidth(const ListView& list, int column);
std::pair<int, int> range(const ProgressBar& bar);
MenuItem itemAt(const Menu& menu, int position);
bool fileExists(const std::string& path);
// Removes a registry key of the current user and everything below it.
long deleteTree(const std::string& subKey);

}  // namespace fw::test
