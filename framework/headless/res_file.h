// Reads a compiled resource file (.res, as windres writes it from an .rc script): the dialog
// templates, string table, icons and bitmaps that the headless backend builds its windows from, and
// the menus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw::headless {

// What a dialog and each of its controls have: styles, and a rectangle in dialog units.
struct TemplateBox {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// A control of a dialog template.
struct DialogItemTemplate : TemplateBox {
    int id = 0;
    // The predefined classes by name ("Button", "Edit", "Static", "ListBox", "ScrollBar",
    // "ComboBox"); others as the template spells them ("SysListView32").
    std::string className;
    std::string title;
    int titleId = 0;  // a resource id given in place of the title (a static's icon), else 0
};

// A dialog template in its extended form (DIALOGEX).
struct DialogTemplate : TemplateBox {
    std::string caption;
    // The font, when the style has DS_SETFONT.
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::string face;
    std::vector<DialogItemTemplate> items;
};

// An item of a menu template, in the template's order: a pop-up's items follow it, one level
// deeper.
struct MenuItemTemplate {
    int level = 0;
    bool popup = false;
    int id = 0;  // a command's; 0 for a pop-up
    std::string text;
};

struct BitmapSize {
    int width = 0;
    int height = 0;
};

// Malformed resource data: a record or template that ends too early.
class ResFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ResFile {
  public:
    // Resource types by their ordinal.
    static constexpr int kBitmap = 2;
    static constexpr int kMenu = 4;
    static constexpr int kDialog = 5;
    static constexpr int kString = 6;
    static constexpr int kGroupIcon = 14;

    // Reads the records of a .res file; throws ResFileError when they are malformed. The data
    // must outlive the object.
    ResFile(const unsigned char* data, std::size_t size);

    // Throws ResFileError when the template is malformed.
    std::optional<DialogTemplate> dialog(int id) const;
    // The string with this id; empty when the table has none (as for an empty string).
    std::string string(int id) const;
    // Throws ResFileError when the template is malformed.
    std::optional<std::vector<MenuItemTemplate>> menu(int id) const;
    bool hasIcon(int id) const;
    std::optional<BitmapSize> bitmap(int id) const;

  private:
    struct Entry {
        int type = 0;  // ordinal; 0 for types named by a string, which the backend never needs
        int id = 0;    // ordinal; 0 for resources named by a string
        const unsigned char* data = nullptr;
        std::size_t size = 0;
    };
    const Entry* find(int type, int id) const;

    std::vector<Entry> entries_;
};

}  // namespace fw::headless
