#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/message_box.h"
#include "host.h"

namespace fw {

Dialog::Dialog(int templateId, Window* parent) : templateId_(templateId), parent_(parent) {}

Dialog::Dialog(int templateId, Handle owner)
    : templateId_(templateId), parent_(nullptr), owner_(owner) {}

void detail::DialogAccess::begin(Dialog& dialog) {
    dialog.ended_ = false;
    dialog.result_ = 0;
}

int Dialog::doModal() {
    detail::DialogAccess::begin(*this);
    return detail::host().runModal(*this);
}

void Dialog::endDialog(int result) {
    ended_ = true;
    result_ = result;
    detail::host().endModal(*this, result);
}

bool Dialog::updateData(bool save) {
    DataExchange dx(*this, save);
    try {
        doDataExchange(dx);
        return true;
    } catch (const DataExchange::Failure& failure) {
        const App* app = App::current();
        messageBox(this, failure.message, app != nullptr ? app->title : std::string(),
                   mb::kOk | mb::kIconExclamation);
        item(failure.id).setFocus();
        return false;
    }
}

bool Dialog::onInitDialog() {
    updateData(false);
    return true;
}

void Dialog::onOK() {
    if (updateData(true)) {
        endDialog(kIdOk);
    }
}

void Dialog::onCancel() {
    endDialog(kIdCancel);
}

std::intptr_t Dialog::dispatch(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                               bool& handled) {
    switch (message) {
        case wm::kCreate:
            // A dialog's creation runs with its initialisation (the platform gives dialog
            // procedures no create message).
            handled = false;
            return 0;
        case wm::kInitDialog:
            handled = true;
            if (!onCreate()) {
                endDialog(-1);
                return 0;
            }
            return onInitDialog() ? 1 : 0;
        case wm::kCommand: {
            int id = static_cast<int>(wParam & 0xFFFF);
            int code = static_cast<int>((wParam >> 16) & 0xFFFF);
            handled = true;
            if (onCommand(id, code)) {
                return 0;
            }
            if (id == kIdOk) {
                onOK();
            } else if (id == kIdCancel) {
                onCancel();
            } else {
                handled = false;
            }
            return 0;
        }
        default:
            return Window::dispatch(message, wParam, lParam, handled);
    }
}

}  // namespace fw
