// Dialogs built from .rc templates, and their data exchange.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/window.h"

namespace fw {

class DataExchange;
namespace detail {
struct DialogAccess;
}

// A dialog made from the template with this resource id. doModal() runs it until endDialog().
class Dialog : public Window {
  public:
    explicit Dialog(int templateId, Window* parent = nullptr);
    // Owned by a window known only by its handle (one of another module's).
    Dialog(int templateId, Handle owner);

    int templateId() const { return templateId_; }
    Window* parent() const { return parent_; }
    // The window that owns the dialog while it runs: the parent's, or the handle given.
    Handle owner() const { return parent_ != nullptr ? parent_->handle() : owner_; }

    // Runs the dialog; returns the value given to endDialog, or -1 when it could not be
    // created (onCreate returned false).
    int doModal();
    void endDialog(int result);
    bool ended() const { return ended_; }
    int result() const { return result_; }

    // Moves the members into the controls (save false) or the controls into the members
    // (save true). Saving stops at the first field that does not convert: its message is
    // shown, the field gets the focus and the result is false.
    bool updateData(bool save = true);

    // A control of this dialog.
    Control item(int id) const { return Control(*this, id); }

  protected:
    // Default: moves the members into the controls. Returns true to let the platform put the
    // focus on the first control.
    virtual bool onInitDialog();
    // Default: takes the controls into the members and, if they converted, ends with kIdOk.
    virtual void onOK();
    // Default: ends with kIdCancel.
    virtual void onCancel();
    virtual void doDataExchange(DataExchange& /*dx*/) {}

  public:
    std::intptr_t dispatch(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                           bool& handled) override;

  private:
    friend struct detail::DialogAccess;
    int templateId_;
    Window* parent_;
    Handle owner_ = nullptr;
    bool ended_ = false;
    int result_ = 0;
};

// Binds controls to members in one declared order. When saving, the first field that does not
// convert stops the exchange (see Dialog::updateData).
class DataExchange {
  public:
    DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool saving() const { return saving_; }
    Dialog& dialog() const { return dialog_; }

    void text(int id, std::string& value);
    // A signed integer; "Please enter an integer." when it does not convert.
    void number(int id, int& value);
    // The same, then "Please enter an integer between %1 and %2." when out of range.
    void number(int id, int& value, int min, int max);
    // An unsigned integer; "Please enter a positive integer." when it does not convert.
    void number(int id, unsigned& value);
    // A check box or radio button state (0 or 1).
    void check(int id, int& value);
    // The selected index of a combo box, -1 for none.
    void comboIndex(int id, int& value);
    // Binds a control object to its control.
    void control(int id, Control& control);

    // Thrown by a field that does not convert; caught by updateData.
    struct Failure {
        int id;
        std::string message;
    };

  private:
    Dialog& dialog_;
    bool saving_;
};

}  // namespace fw
