// List views in report view: columns, rows with texts and an image, and a simple geometry for
// hit testing: a header 16 pixels high across the top of the client area, then rows one pixel
// higher than the font (12) or the small images, whichever is higher, each as wide as all columns
// together. A point hits a row only in the first column, where its image and label are. Nothing
// scrolls.
#include <algorithm>
#include <numeric>

#include "control_nodes.h"
#include "driver_sys.h"
#include "program_resources.h"
#include "sys.h"

namespace fw::sys {

namespace {

using headless::ListViewNode;

constexpr int kHeaderHeight = 16;
constexpr int kFontHeight = 12;

ListViewNode* list(Handle handle) {
    return headless::find<ListViewNode>(handle);
}

// The row, or null when the list or the row does not exist.
ListViewNode::Row* rowAt(Handle handle, int row) {
    ListViewNode* node = list(handle);
    if (node == nullptr || row < 0 || row >= static_cast<int>(node->rows.size())) {
        return nullptr;
    }
    return &node->rows[static_cast<std::size_t>(row)];
}

const ListViewNode::Column* columnAt(Handle handle, int column) {
    ListViewNode* node = list(handle);
    if (node == nullptr || column < 0 || column >= static_cast<int>(node->columns.size())) {
        return nullptr;
    }
    return &node->columns[static_cast<std::size_t>(column)];
}

int rowHeight(const ListViewNode& node) {
    auto* images = headless::find<headless::ImageListObject>(node.smallImages);
    return std::max(kFontHeight, images != nullptr ? images->imageHeight : 0) + 1;
}

}  // namespace

// A column past the end is added at the end.
int listInsertColumn(Handle handle, int column, const std::string& heading, int width,
                     Align /*align*/) {
    ListViewNode* node = list(handle);
    if (node == nullptr || column < 0) {
        return -1;
    }
    const int index = std::min(column, static_cast<int>(node->columns.size()));
    node->columns.insert(node->columns.begin() + index, {heading, width});
    return index;
}

int listColumnCount(Handle handle) {
    ListViewNode* node = list(handle);
    return node != nullptr ? static_cast<int>(node->columns.size()) : 0;
}

std::string listColumnHeading(Handle handle, int column) {
    const ListViewNode::Column* found = columnAt(handle, column);
    return found != nullptr ? found->heading : std::string();
}

int listColumnWidth(Handle handle, int column) {
    const ListViewNode::Column* found = columnAt(handle, column);
    return found != nullptr ? found->width : 0;
}

void listSetSmallImages(Handle handle, Handle imageList) {
    if (ListViewNode* node = list(handle)) {
        node->smallImages = imageList;
    }
}

// A row past the end is added at the end.
int listInsertItem(Handle handle, int row, const std::string& text, int image) {
    ListViewNode* node = list(handle);
    if (node == nullptr || row < 0) {
        return -1;
    }
    const int index = std::min(row, static_cast<int>(node->rows.size()));
    node->rows.insert(node->rows.begin() + index, {text, {}, image});
    return index;
}

// The other columns take a text once they exist.
bool listSetItemText(Handle handle, int row, int column, const std::string& text) {
    ListViewNode::Row* found = rowAt(handle, row);
    if (found != nullptr && column == 0) {
        found->text = text;
        return true;
    }
    if (found == nullptr || columnAt(handle, column) == nullptr) {
        return false;
    }
    if (static_cast<int>(found->subItems.size()) < column) {
        found->subItems.resize(static_cast<std::size_t>(column));
    }
    found->subItems[static_cast<std::size_t>(column) - 1] = text;
    return true;
}

std::string listItemText(Handle handle, int row, int column) {
    const ListViewNode::Row* found = rowAt(handle, row);
    if (found == nullptr || column < 0) {
        return {};
    }
    if (column == 0) {
        return found->text;
    }
    return column <= static_cast<int>(found->subItems.size())
               ? found->subItems[static_cast<std::size_t>(column) - 1]
               : std::string();
}

bool listSetItemImage(Handle handle, int row, int image) {
    ListViewNode::Row* found = rowAt(handle, row);
    if (found != nullptr) {
        found->image = image;
    }
    return found != nullptr;
}

int listItemImage(Handle handle, int row) {
    const ListViewNode::Row* found = rowAt(handle, row);
    return found != nullptr ? found->image : -1;
}

bool listDeleteItem(Handle handle, int row) {
    if (rowAt(handle, row) == nullptr) {
        return false;
    }
    list(handle)->rows.erase(list(handle)->rows.begin() + row);
    return true;
}

void listDeleteAll(Handle handle) {
    if (ListViewNode* node = list(handle)) {
        node->rows.clear();
    }
}

int listItemCount(Handle handle) {
    ListViewNode* node = list(handle);
    return node != nullptr ? static_cast<int>(node->rows.size()) : 0;
}

Rect listItemRect(Handle handle, int row) {
    if (rowAt(handle, row) == nullptr) {
        return {};
    }
    const ListViewNode& node = *list(handle);
    const int width =
        std::accumulate(node.columns.begin(), node.columns.end(), 0,
                        [](int sum, const auto& column) { return sum + column.width; });
    const int top = kHeaderHeight + row * rowHeight(node);
    return {0, top, width, top + rowHeight(node)};
}

int listHitTest(Handle handle, Point client) {
    ListViewNode* node = list(handle);
    if (node == nullptr || node->columns.empty() || client.x < 0 || client.y < kHeaderHeight ||
        client.x >= std::min(node->rect.width(), node->columns[0].width) ||
        client.y >= node->rect.height()) {
        return -1;
    }
    const int row = (client.y - kHeaderHeight) / rowHeight(*node);
    return rowAt(handle, row) != nullptr ? row : -1;
}

// Nothing is drawn, so nothing needs redrawing.
void listRedrawItems(Handle /*list*/, int /*first*/, int /*last*/) {}

}  // namespace fw::sys
