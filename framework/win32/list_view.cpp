// List views in report view: columns through the list and its header, rows through items.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commctrl.h>

#include <vector>

#include "handles.h"
#include "sys.h"

namespace fw::sys {
using win32::send;

namespace {

int columnFormat(Align align) {
    switch (align) {
        case Align::right:
            return LVCFMT_RIGHT;
        case Align::center:
            return LVCFMT_CENTER;
        case Align::left:
            break;
    }
    return LVCFMT_LEFT;
}

}  // namespace

int listInsertColumn(Handle list, int column, const std::string& heading, int width, Align align) {
    LVCOLUMNA request{};
    request.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    request.fmt = columnFormat(align);
    request.cx = width;
    request.pszText = const_cast<char*>(heading.c_str());
    request.iSubItem = column;
    return static_cast<int>(send(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                 reinterpret_cast<LPARAM>(&request)));
}

int listColumnCount(Handle list) {
    auto header = reinterpret_cast<Handle>(send(list, LVM_GETHEADER));
    return header == nullptr ? 0 : static_cast<int>(send(header, HDM_GETITEMCOUNT));
}

std::string listColumnHeading(Handle list, int column) {
    char buffer[256] = {};
    LVCOLUMNA request{};
    request.mask = LVCF_TEXT;
    request.pszText = buffer;
    request.cchTextMax = static_cast<int>(sizeof buffer);
    send(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&request));
    return buffer;
}

void listSetSmallImages(Handle list, Handle imageList) {
    // The image list belongs to its ImageList object, which destroys it; a list view without
    // this style would destroy it a second time when it goes.
    HWND window = win32::asWindow(list);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    send(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(imageList));
}

int listInsertItem(Handle list, int row, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(send(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool listSetItemText(Handle list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    return send(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::string listItemText(Handle list, int row, int column) {
    // The list copies at most cchTextMax - 1 characters and says how many it copied: a full
    // buffer may hold only the start of a longer text, so ask again with more room.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = '\0';
        LRESULT copied =
            send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (copied < static_cast<LRESULT>(buffer.size()) - 1) {
            return std::string(item.pszText, static_cast<std::size_t>(copied));
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool listSetItemImage(Handle list, int row, int image) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    return send(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

int listItemImage(Handle list, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = -1;
    return send(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != FALSE ? item.iImage : -1;
}

bool listDeleteItem(Handle list, int row) {
    return send(list, LVM_DELETEITEM, static_cast<WPARAM>(row)) != FALSE;
}

void listDeleteAll(Handle list) {
    send(list, LVM_DELETEALLITEMS);
}

int listItemCount(Handle list) {
    return static_cast<int>(send(list, LVM_GETITEMCOUNT));
}

Rect listItemRect(Handle list, int row) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    if (send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) ==
        FALSE) {
        return {};
    }
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

int listHitTest(Handle list, Point client) {
    LVHITTESTINFO request{};
    request.pt = POINT{client.x, client.y};
    LRESULT row = send(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&request));
    return (request.flags & LVHT_ONITEM) != 0 ? static_cast<int>(row) : -1;
}

void listRedrawItems(Handle list, int first, int last) {
    send(list, LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
}

}  // namespace fw::sys
