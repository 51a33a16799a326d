#include "platform/ras/entry_dialog.h"

#include <algorithm>
#include <utility>

#include "framework/controls.h"
#include "framework/message_box.h"
#include "platform/ras/devices.h"
#include "platform/ras/phonebook.h"
#include "platform/res/simulated_ras_resource.h"

namespace ras::sim {

const char* const kMessageCaption = "Dial-Up Entry";

namespace {

// In the order of Line.
constexpr const char* kLineTexts[kLineCount] = {
    "Answers",
    "Busy",
    "No answer",
    "No dial tone",
    "Rejects the user name and password",
    "Busy for the first N attempts, then answers",
    "Answers, then drops after N seconds",
};

constexpr int kMaxCount = 86'400;

}  // namespace

EntryDialog::EntryDialog(fw::Handle owner, Mode mode, std::string entryName, const Entry& values)
    : fw::Dialog(IDD_RAS_ENTRY, owner),
      name(std::move(entryName)),
      entry(values),
      mode_(mode),
      lineIndex_(static_cast<int>(values.line)),
      count_(static_cast<int>(std::min<std::uint32_t>(values.count, kMaxCount))) {
    for (const Device& device : devices()) {
        deviceNames_.push_back(device.name);
    }
    // A device this service does not know (an entry made elsewhere) stays as it is.
    const std::string current = findDevice(values.device).name;
    const auto it = std::find(deviceNames_.begin(), deviceNames_.end(), current);
    deviceIndex_ = static_cast<int>(it - deviceNames_.begin());
    if (it == deviceNames_.end()) {
        deviceNames_.push_back(current);
    }
}

bool EntryDialog::onInitDialog() {
    fw::ComboBox devicesList(*this, IDC_RAS_DEVICE);
    for (const std::string& device : deviceNames_) {
        devicesList.addString(device);
    }
    fw::ComboBox lines(*this, IDC_RAS_LINE);
    for (const char* text : kLineTexts) {
        lines.addString(text);
    }
    if (mode_ == Mode::create) {
        setText("New Dial-Up Entry");
    } else {
        item(IDC_RAS_NAME).enable(false);
    }
    fw::Dialog::onInitDialog();
    enableCount(lineIndex_);
    return true;
}

void EntryDialog::onOK() {
    if (!updateData(true)) {
        return;
    }
    std::string problem = mode_ == Mode::create ? newEntryNameProblem(name) : std::string();
    int field = IDC_RAS_NAME;
    if (problem.empty() && entry.phoneNumber.size() > kMaxEntryText) {
        problem = "The phone number can have at most 128 characters.";
        field = IDC_RAS_PHONE;
    }
    if (!problem.empty()) {
        fw::messageBox(this, problem, kMessageCaption, fw::mb::kOk | fw::mb::kIconExclamation);
        item(field).setFocus();
        return;
    }
    entry.device = deviceNames_[static_cast<std::size_t>(std::max(deviceIndex_, 0))];
    entry.line = static_cast<Line>(std::max(lineIndex_, 0));
    entry.count = static_cast<std::uint32_t>(count_);
    endDialog(fw::kIdOk);
}

bool EntryDialog::onCommand(int id, int code) {
    if (id != IDC_RAS_LINE || code != fw::kComboSelChange) {
        return false;
    }
    enableCount(fw::ComboBox(*this, IDC_RAS_LINE).currentSelection());
    return true;
}

void EntryDialog::doDataExchange(fw::DataExchange& dx) {
    dx.text(IDC_RAS_NAME, name);
    dx.text(IDC_RAS_PHONE, entry.phoneNumber);
    dx.comboIndex(IDC_RAS_DEVICE, deviceIndex_);
    dx.comboIndex(IDC_RAS_LINE, lineIndex_);
    dx.number(IDC_RAS_COUNT, count_, 0, kMaxCount);
}

void EntryDialog::enableCount(int lineIndex) {
    const auto line = static_cast<Line>(lineIndex);
    item(IDC_RAS_COUNT).enable(line == Line::busyFirst || line == Line::dropsAfter);
}

}  // namespace ras::sim
