// The state each kind of control keeps, which its calls work on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "window_tree.h"

namespace fw::headless {

struct ButtonNode : WindowNode {
    int check = 0;
};

// A drop-down list (the only kind the templates use): it shows its selected item and takes no
// text of its own.
struct ComboNode : WindowNode {
    std::string windowText() const override;
    void setWindowText(const std::string& /*value*/) override {}

    bool sorted = false;
    std::vector<std::string> items;
    int selection = -1;
};

struct ListViewNode : WindowNode {
    struct Column {
        std::string heading;
        int width = 0;
    };
    struct Row {
        std::string text;
        std::vector<std::string> subItems;  // the other columns' texts, as far as given
        int image = 0;
    };
    std::vector<Column> columns;
    std::vector<Row> rows;
    Handle smallImages = nullptr;
};

struct ProgressNode : WindowNode {
    std::string appearance() const override;

    // The platform's defaults.
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
};

// A control of the named window class (which ignores case, as on the platform) with this style.
std::unique_ptr<WindowNode> makeControl(const std::string& className, std::uint32_t style);

}  // namespace fw::headless
