// Typed views of a dialog's controls. A control object names a control by its parent window and
// id; it owns nothing, so it may be copied freely.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "framework/types.h"

namespace fw {

class Window;
class ImageList;

class Control {
  public:
    Control() = default;
    Control(const Window& parent, int id);

    void attach(const Window& parent, int id);
    bool attached() const { return parent_ != nullptr; }
    int id() const { return id_; }
    Handle handle() const;

    std::string text() const;
    void setText(const std::string& text);
    void enable(bool enabled);
    bool isEnabled() const;
    void show(bool visible);
    bool isVisible() const;
    void setFocus();
    // The window class ("Button", "Edit", "Static", "ComboBox", "SysListView32",
    // "msctls_progress32"), as the template gave it.
    std::string className() const;
    // Screen coordinates of the whole control, borders included.
    Rect windowRect() const;
    // A point on the screen in the control's client coordinates.
    Point screenToClient(Point screen) const;

    // Check boxes and radio buttons.
    int checkState() const;
    void setCheck(int state);

  protected:
    const Window* parent_ = nullptr;
    int id_ = 0;
};

class ComboBox : public Control {
  public:
    using Control::Control;
    // Adds an item (in order for a sorted list); returns its index.
    int addString(const std::string& text);
    void resetContent();
    int count() const;
    std::string itemText(int index) const;
    // Selects the first item after startAfter (-1: from the top) whose text begins with text,
    // ignoring case; returns its index or -1 (then the selection is unchanged).
    int selectString(int startAfter, const std::string& text);
    int currentSelection() const;
    void setCurrentSelection(int index);  // -1 clears it
};

enum class Align { left, right, center };

// A list view in report view with small images.
class ListView : public Control {
  public:
    using Control::Control;
    int insertColumn(int column, const std::string& heading, int width, Align align);
    int columnCount() const;
    std::string columnHeading(int column) const;
    void setSmallImages(const ImageList& images);
    // Inserts a row at index row; returns its index.
    int insertItem(int row, const std::string& text, int image);
    bool setItemText(int row, int column, const std::string& text);
    std::string itemText(int row, int column) const;
    bool setItemImage(int row, int image);
    int itemImage(int row) const;
    bool deleteItem(int row);
    void deleteAllItems();
    int itemCount() const;
    // Bounds of a row in client coordinates.
    Rect itemRect(int row) const;
    // The row at a point in client coordinates, or -1.
    int hitTest(Point point) const;
    void redrawItems(int first, int last);
};

class ProgressBar : public Control {
  public:
    using Control::Control;
    void setRange(int low, int high);
    // Returns the previous position.
    int setPos(int pos);
    int pos() const;
    // Returns the previous step.
    int setStep(int step);
    // Advances by the step, wrapping to the start past the end; returns the previous position.
    int stepIt();
};

// Images of equal size cut from a bitmap resource, with one colour transparent.
class ImageList {
  public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ~ImageList();
    bool createFromBitmap(int bitmapId, int imageWidth, std::uint32_t transparentRgb);
    int count() const { return count_; }
    int imageWidth() const { return width_; }
    Handle handle() const { return handle_; }

  private:
    Handle handle_ = nullptr;
    int width_ = 0;
    int count_ = 0;
};

// Screen position of the mouse pointer (the driver's under test).
Point cursorPos();

}  // namespace fw
