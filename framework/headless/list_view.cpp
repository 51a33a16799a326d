// List views in report view: columns, rows with texts and an image, the notifications the
// platform's list view sends its parent when rows come, change and go, and a simple geometry for
// hit testing, with the platform's numbers for the dialogs' font: a header 16 pixels high across
// the top of the client area, then rows one pixel higher than the font (12) or the small images,
// whichever is higher, each as wide as all columns together. A point hits a row only in the
// first column, where its image and label are. Nothing scrolls.
//
// A notification may run any code of the parent: after one, everything is looked up again.
#include <algorithm>
#include <cstddef>

#include "control_nodes.h"
#include "image_lists.h"
#include "sys.h"

namespace fw::sys {

namespace {

using headless::ListViewNode;

// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS.
constexpr int kItemChanging = -100;
constexpr int kItemChanged = -101;
constexpr int kInsertItem = -102;
constexpr int kDeleteItem = -103;
constexpr int kDeleteAllItems = -104;

constexpr int kHeaderHeight = 16;
constexpr int kFontHeight = 12;

ListViewNode* list(Handle handle) {
    return headless::find<ListViewNode>(handle);
}

bool validRow(const ListViewNode* node, int row) {
    return node != nullptr && row >= 0 && row < static_cast<int>(node->rows.size());
}

ListViewNode::Row& rowAt(ListViewNode& node, int row) {
    return node.rows[static_cast<std::size_t>(row)];
}

void notify(Handle handle, int code) {
    if (ListViewNode* node = list(handle)) {
        sendNotify(node->parent, node->id, code);
    }
}

// A row's own text or image: the change is announced, made if it changes anything, reported.
template <class T>
bool changeRow(Handle handle, int row, T ListViewNode::Row::*field, const T& value) {
    if (!validRow(list(handle), row)) {
        return false;
    }
    notify(handle, kItemChanging);
    ListViewNode* node = list(handle);
    if (!validRow(node, row)) {
        return false;
    }
    T& current = rowAt(*node, row).*field;
    if (current != value) {
        current = value;
        notify(handle, kItemChanged);
    }
    return true;
}

int rowHeight(const ListViewNode& node) {
    auto* images = headless::find<headless::ImageListObject>(node.smallImages);
    return std::max(kFontHeight, images != nullptr ? images->imageHeight : 0) + 1;
}

int totalWidth(const ListViewNode& node) {
    int width = 0;
    for (const auto& column : node.columns) {
        width += column.width;
    }
    return width;
}

}  // namespace

// A column past the end is added at the end.
int listInsertColumn(Handle handle, int column, const std::string& heading, int width,
                     Align align) {
    ListViewNode* node = list(handle);
    if (node == nullptr || column < 0) {
        return -1;
    }
    int index = std::min(column, static_cast<int>(node->columns.size()));
    node->columns.insert(node->columns.begin() + index, {heading, width, align});
    return index;
}

int listColumnCount(Handle handle) {
    ListViewNode* node = list(handle);
    return node != nullptr ? static_cast<int>(node->columns.size()) : 0;
}

std::string listColumnHeading(Handle handle, int column) {
    ListViewNode* node = list(handle);
    if (node == nullptr || column < 0 || column >= static_cast<int>(node->columns.size())) {
        return {};
    }
    return node->columns[static_cast<std::size_t>(column)].heading;
}

int listColumnWidth(Handle handle, int column) {
    ListViewNode* node = list(handle);
    if (node == nullptr || column < 0 || column >= static_cast<int>(node->columns.size())) {
        return 0;
    }
    return node->columns[static_cast<std::size_t>(column)].width;
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
    int index = std::min(row, static_cast<int>(node->rows.size()));
    node->rows.insert(node->rows.begin() + index, {text, {}, image});
    notify(handle, kInsertItem);
    return index;
}

// The first column's text is the row's own and its change is reported; the other columns take a
// text silently, once they exist.
bool listSetItemText(Handle handle, int row, int column, const std::string& text) {
    if (column == 0) {
        return changeRow(handle, row, &ListViewNode::Row::text, text);
    }
    ListViewNode* node = list(handle);
    if (!validRow(node, row) || column < 0 || column >= static_cast<int>(node->columns.size())) {
        return false;
    }
    auto& subItems = rowAt(*node, row).subItems;
    if (static_cast<int>(subItems.size()) < column) {
        subItems.resize(static_cast<std::size_t>(column));
    }
    subItems[static_cast<std::size_t>(column) - 1] = text;
    return true;
}

std::string listItemText(Handle handle, int row, int column) {
    ListViewNode* node = list(handle);
    if (!validRow(node, row) || column < 0) {
        return {};
    }
    const ListViewNode::Row& entry = rowAt(*node, row);
    if (column == 0) {
        return entry.text;
    }
    return column <= static_cast<int>(entry.subItems.size())
               ? entry.subItems[static_cast<std::size_t>(column) - 1]
               : std::string();
}

bool listSetItemImage(Handle handle, int row, int image) {
    return changeRow(handle, row, &ListViewNode::Row::image, image);
}

int listItemImage(Handle handle, int row) {
    ListViewNode* node = list(handle);
    return validRow(node, row) ? rowAt(*node, row).image : -1;
}

// The row is first deselected (announced, though nothing changes), then reported going.
bool listDeleteItem(Handle handle, int row) {
    if (!validRow(list(handle), row)) {
        return false;
    }
    notify(handle, kItemChanging);
    notify(handle, kDeleteItem);
    ListViewNode* node = list(handle);
    if (!validRow(node, row)) {
        return false;
    }
    node->rows.erase(node->rows.begin() + row);
    return true;
}

void listDeleteAll(Handle handle) {
    ListViewNode* node = list(handle);
    if (node == nullptr) {
        return;
    }
    std::size_t count = node->rows.size();
    notify(handle, kDeleteAllItems);
    for (std::size_t i = 0; i < count; ++i) {
        notify(handle, kDeleteItem);
    }
    if ((node = list(handle)) != nullptr) {
        node->rows.clear();
    }
}

int listItemCount(Handle handle) {
    ListViewNode* node = list(handle);
    return node != nullptr ? static_cast<int>(node->rows.size()) : 0;
}

Rect listItemRect(Handle handle, int row) {
    ListViewNode* node = list(handle);
    if (!validRow(node, row)) {
        return {};
    }
    int top = kHeaderHeight + row * rowHeight(*node);
    return {0, top, totalWidth(*node), top + rowHeight(*node)};
}

int listHitTest(Handle handle, Point client) {
    ListViewNode* node = list(handle);
    if (node == nullptr || node->columns.empty() || client.x < 0 || client.y < kHeaderHeight) {
        return -1;
    }
    Rect area = headless::clientArea(*node);
    if (client.x >= std::min(area.right, node->columns[0].width) || client.y >= area.bottom) {
        return -1;
    }
    int row = (client.y - kHeaderHeight) / rowHeight(*node);
    return validRow(node, row) ? row : -1;
}

// Nothing is drawn, so nothing needs redrawing.
void listRedrawItems(Handle /*list*/, int /*first*/, int /*last*/) {}

}  // namespace fw::sys

namespace fw::headless {

void ListViewNode::onDestroy() {
    sys::listDeleteAll(handle);
}

}  // namespace fw::headless
