#include "framework/dialog.h"
#include "framework/file_error.h"
#include "number_text.h"

namespace fw {

void DataExchange::text(int id, std::string& value) {
    Control control = dialog_.item(id);
    if (saving_) {
        value = control.text();
    } else {
        control.setText(value);
    }
}

void DataExchange::number(int id, int& value) {
    Control control = dialog_.item(id);
    if (!saving_) {
        control.setText(std::to_string(value));
        return;
    }
    auto parsed = detail::parseInt(control.text());
    if (!parsed) {
        throw Failure{id, "Please enter an integer."};
    }
    value = *parsed;
}

void DataExchange::number(int id, int& value, int min, int max) {
    number(id, value);
    if (saving_ && (value < min || value > max)) {
        throw Failure{id, formatMessage("Please enter an integer between %1 and %2.",
                                        {std::to_string(min), std::to_string(max)})};
    }
}

void DataExchange::number(int id, unsigned& value) {
    Control control = dialog_.item(id);
    if (!saving_) {
        control.setText(std::to_string(value));
        return;
    }
    auto parsed = detail::parseUnsigned(control.text());
    if (!parsed) {
        throw Failure{id, "Please enter a positive integer."};
    }
    value = *parsed;
}

void DataExchange::check(int id, int& value) {
    Control control = dialog_.item(id);
    if (saving_) {
        value = control.checkState();
    } else {
        control.setCheck(value);
    }
}

void DataExchange::comboIndex(int id, int& value) {
    ComboBox combo(dialog_, id);
    if (saving_) {
        value = combo.currentSelection();
    } else {
        combo.setCurrentSelection(value);
    }
}

void DataExchange::control(int id, Control& control) {
    if (!control.attached()) {
        control.attach(dialog_, id);
    }
}

}  // namespace fw
