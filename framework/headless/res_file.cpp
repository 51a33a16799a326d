#include "res_file.h"

#include <cstdlib>
#include <limits>

#include "sys.h"
#include "win_styles.h"

namespace fw::headless {

namespace {

// A name or an ordinal, as resource headers and dialog templates give them.
struct NameOrId {
    int id = 0;  // the ordinal, or 0 for a name (possibly empty)
    std::u16string name;
};

// Little-endian reads that never go past the end: a short record is an error, not a crash.
class Reader {
  public:
    Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t offset() const { return pos_; }
    bool atEnd() const { return pos_ >= size_; }
    // Throws unless count more bytes are there: also for a count the data gives, before
    // allocating for it.
    void need(std::size_t count) const {
        if (size_ - pos_ < count) {
            throw ResFileError("resource data ends too early");
        }
    }

    std::uint8_t byte() {
        need(1);
        return data_[pos_++];
    }
    std::uint16_t word() {
        need(2);
        auto value = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return value;
    }
    std::uint32_t dword() {
        std::uint32_t low = word();
        return low | static_cast<std::uint32_t>(word()) << 16;
    }
    int signedWord() { return static_cast<std::int16_t>(word()); }
    void skip(std::size_t count) {
        need(count);
        pos_ += count;
    }
    // Records and dialog items start on a DWORD boundary of the data they belong to.
    void alignDword() { skip((4 - pos_ % 4) % 4); }

    std::u16string string() {
        std::u16string text;
        for (std::uint16_t unit = word(); unit != 0; unit = word()) {
            text.push_back(static_cast<char16_t>(unit));
        }
        return text;
    }
    // 0xFFFF and an ordinal, 0x0000 for nothing, or a string.
    NameOrId nameOrId() {
        need(2);
        std::uint16_t first = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        if (first == 0xFFFF) {
            pos_ += 2;
            return {word(), {}};
        }
        return {0, string()};
    }

  private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void readBox(Reader& in, TemplateBox& box) {
    box.x = in.signedWord();
    box.y = in.signedWord();
    box.cx = in.signedWord();
    box.cy = in.signedWord();
}

std::string ansi(const std::u16string& text) {
    return sys::wideToAnsi(text);
}

// The predefined control classes are given by ordinal in templates.
std::string className(const NameOrId& name) {
    static const char* const kPredefined[] = {"Button",  "Edit",      "Static",
                                              "ListBox", "ScrollBar", "ComboBox"};
    if (name.id >= 0x80 && name.id <= 0x85) {
        return kPredefined[name.id - 0x80];
    }
    if (name.id != 0) {
        return "#" + std::to_string(name.id);
    }
    return ansi(name.name);
}

DialogItemTemplate readItem(Reader& in) {
    DialogItemTemplate item;
    in.dword();  // help id
    item.exStyle = in.dword();
    item.style = in.dword();
    readBox(in, item);
    item.id = static_cast<std::int32_t>(in.dword());
    item.className = className(in.nameOrId());
    NameOrId title = in.nameOrId();
    item.titleId = title.id;
    item.title = ansi(title.name);
    in.skip(in.word());  // creation data
    return item;
}

// The extended form (DIALOGEX), which every template of the programs has.
DialogTemplate readDialog(Reader& in) {
    DialogTemplate dialog;
    if (in.word() != 1 || in.word() != 0xFFFF) {
        throw ResFileError("not an extended dialog template");
    }
    in.dword();  // help id
    dialog.exStyle = in.dword();
    dialog.style = in.dword();
    int count = in.word();
    readBox(in, dialog);
    in.nameOrId();  // a menu, which no dialog of the programs has
    in.nameOrId();  // the window class: dialogs have the platform's
    dialog.caption = ansi(in.string());
    if (dialog.style & style::kDsSetFont) {
        dialog.pointSize = in.word();
        // 0x7FFF asks for the message box font and carries nothing more.
        if (dialog.pointSize != 0x7FFF) {
            dialog.weight = in.word();
            dialog.italic = in.byte() != 0;
            dialog.charset = in.byte();
            dialog.face = ansi(in.string());
        }
    }
    for (int i = 0; i < count; ++i) {
        in.alignDword();
        dialog.items.push_back(readItem(in));
    }
    return dialog;
}

// The standard form (MENU), which the programs' menus have.
std::vector<MenuItemTemplate> readMenu(Reader& in) {
    constexpr std::uint16_t kMfPopup = 0x10;
    constexpr std::uint16_t kMfEnd = 0x80;
    if (in.word() != 0) {
        throw ResFileError("not a standard menu template");
    }
    in.skip(in.word());
    std::vector<MenuItemTemplate> items;
    // For each pop-up whose items are being read, whether it is the last of its own level.
    std::vector<bool> popups;
    for (bool more = true; more;) {
        const std::uint16_t flags = in.word();
        MenuItemTemplate item;
        item.level = static_cast<int>(popups.size());
        item.popup = (flags & kMfPopup) != 0;
        item.id = item.popup ? 0 : in.word();
        item.text = ansi(in.string());
        items.push_back(item);
        bool last = (flags & kMfEnd) != 0;
        if (item.popup) {
            popups.push_back(last);
            continue;
        }
        // The last item of a level ends it, and the pop-ups that were the last of theirs.
        while (last && more) {
            more = !popups.empty();
            if (more) {
                last = popups.back();
                popups.pop_back();
            }
        }
    }
    return items;
}

}  // namespace

ResFile::ResFile(const unsigned char* data, std::size_t size) {
    Reader in(data, size);
    while (!in.atEnd()) {
        std::size_t start = in.offset();
        std::uint32_t dataSize = in.dword();
        std::uint32_t headerSize = in.dword();
        NameOrId type = in.nameOrId();
        NameOrId name = in.nameOrId();
        if (headerSize < in.offset() - start || size - start < headerSize ||
            size - start - headerSize < dataSize) {
            throw ResFileError("resource record larger than the resource data");
        }
        // The file starts with an empty record of type 0 that marks it as 32-bit.
        if (type.id != 0 || !type.name.empty()) {
            entries_.push_back({type.id, name.id, data + start + headerSize, dataSize});
        }
        in.skip(start + headerSize + dataSize - in.offset());
        if (!in.atEnd()) {
            in.alignDword();
        }
    }
}

const ResFile::Entry* ResFile::find(int type, int id) const {
    for (const Entry& entry : entries_) {
        if (entry.type == type && entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<DialogTemplate> ResFile::dialog(int id) const {
    const Entry* entry = find(kDialog, id);
    if (entry == nullptr) {
        return std::nullopt;
    }
    Reader in(entry->data, entry->size);
    return readDialog(in);
}

std::string ResFile::string(int id) const {
    // Strings come in blocks of 16; block n holds the ids 16 * (n - 1) to 16 * n - 1.
    const Entry* entry = id >= 0 ? find(kString, id / 16 + 1) : nullptr;
    if (entry == nullptr) {
        return {};
    }
    Reader in(entry->data, entry->size);
    for (int index = 0; index < id % 16; ++index) {
        in.skip(2 * std::size_t{in.word()});
    }
    const std::size_t length = in.word();
    in.need(2 * length);
    std::u16string text(length, u'\0');
    for (char16_t& unit : text) {
        unit = static_cast<char16_t>(in.word());
    }
    return ansi(text);
}

std::optional<std::vector<MenuItemTemplate>> ResFile::menu(int id) const {
    const Entry* entry = find(kMenu, id);
    if (entry == nullptr) {
        return std::nullopt;
    }
    Reader in(entry->data, entry->size);
    return readMenu(in);
}

bool ResFile::hasIcon(int id) const {
    return find(kGroupIcon, id) != nullptr;
}

std::optional<BitmapSize> ResFile::bitmap(int id) const {
    const Entry* entry = find(kBitmap, id);
    if (entry == nullptr) {
        return std::nullopt;
    }
    Reader in(entry->data, entry->size);
    std::uint32_t headerSize = in.dword();
    // The old core header has 16-bit sizes; every later one starts as BITMAPINFOHEADER.
    if (headerSize == 12) {
        int width = in.word();
        return BitmapSize{width, in.word()};
    }
    auto width = static_cast<std::int32_t>(in.dword());
    auto height = static_cast<std::int32_t>(in.dword());
    // A negative height marks a top-down bitmap; the most negative one has no size that an int
    // holds, and a negative width none at all.
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min()) {
        throw ResFileError("bitmap size out of range");
    }
    return BitmapSize{width, std::abs(height)};
}

}  // namespace fw::headless
