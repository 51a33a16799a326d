// The state each kind of control keeps, which its calls work on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "combo_items.h"
#include "framework/controls.h"
#include "window_tree.h"

namespace fw::headless {

struct ButtonNode : WindowNode {
    ButtonNode() : WindowNode(Kind::control) {}
    int check = 0;
};

struct ComboNode : WindowNode {
    explicit ComboNode(std::uint32_t comboStyle);
    // A drop-down list shows its selected item and takes no text of its own; the other kinds show
    // their edit field, which a selection fills.
    bool isDropDownList() const;
    std::string windowText() const override;
    void setWindowText(const std::string& value) override;
    // Selects an item, or nothing for -1.
    void select(int index);

    ComboItems items;
    int selection = -1;
};

struct ListViewNode : WindowNode {
    ListViewNode() : WindowNode(Kind::control) {}
    // The platform empties a list that goes, with the notifications of listDeleteAll.
    void onDestroy() override;

    struct Column {
        std::string heading;
        int width = 0;
        Align align = Align::left;
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
    ProgressNode() : WindowNode(Kind::control) {}
    // The platform's defaults.
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
};

// A control of the named window class (which ignores case, as on the platform) with this style.
std::unique_ptr<WindowNode> makeControl(const std::string& className, std::uint32_t style);

}  // namespace fw::headless
