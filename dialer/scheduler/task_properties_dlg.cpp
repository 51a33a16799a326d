#include "dialer/scheduler/task_properties_dlg.h"

#include <algorithm>
#include <cctype>

#include "dialer/ras/phonebook_entries.h"
#include "dialer/scheduler/schedule_arithmetic.h"
#include "framework/clock.h"
#include "framework/message_box.h"
#include "resource.h"

namespace {

// The recurrence buttons, in recurrence order.
constexpr int kRecurrenceButtons[] = {IDC_TASK_DAILY, IDC_TASK_WEEKLY, IDC_TASK_MONTHLY,
                                      IDC_TASK_NUMBER};

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

void invalidInput(const fw::Window& owner, const char* text) {
    fw::messageBox(&owner, text, "Error: Invalid Input!", fw::mb::kOk | fw::mb::kIconExclamation);
}

}  // namespace

CTaskPropertiesDlg::CTaskPropertiesDlg(fw::Window* parent, const ras::RemoteAccess& remoteAccess)
    : fw::Dialog(IDD_TASK_PROPERTIES, parent), m_ras(remoteAccess) {
    // A new task runs at the current minute.
    if (const std::optional<DialogTime> now = DialogTimeOf(fw::now())) {
        m_nAmPm = now->amPm;
        m_nDay = now->day;
        m_nMonth = now->month;
        m_strTime = now->time;
        m_nYear = now->year;
    }
}

void CTaskPropertiesDlg::doDataExchange(fw::DataExchange& dx) {
    dx.comboIndex(IDC_TASK_AM_PM, m_nAmPm);
    dx.check(IDC_TASK_DISCONNECT_AFTER, m_bDisconnectAfter);
    dx.number(IDC_TASK_DAY, m_nDay, 1, 31);
    dx.number(IDC_TASK_MONTH, m_nMonth, 1, 12);
    dx.number(IDC_TASK_RUNS, m_nNumber);
    dx.text(IDC_TASK_NAME, m_strName);
    dx.text(IDC_TASK_TIME, m_strTime);
    dx.number(IDC_TASK_YEAR, m_nYear, 0, 2038);
    dx.number(IDC_TASK_MINUTES, m_nMinutes);
    dx.comboIndex(IDC_TASK_ENTRY_LIST, m_nEntryIndex);
}

bool CTaskPropertiesDlg::onInitDialog() {
    fw::ComboBox amPm(*this, IDC_TASK_AM_PM);
    amPm.addString("AM");
    amPm.addString("PM");
    fw::Dialog::onInitDialog();
    // The entry whose whole name matches, ignoring case: "Work" never selects "Work 2".
    fw::ComboBox entries(*this, IDC_TASK_ENTRY_LIST);
    for (const std::string& name : ras::EnumerateEntryNames(m_ras)) {
        entries.addString(name);
    }
    m_nEntryIndex = -1;
    for (int i = 0; i < entries.count() && m_nEntryIndex < 0; ++i) {
        if (sameIgnoringCase(entries.itemText(i), m_strEntry)) {
            m_nEntryIndex = i;
        }
    }
    entries.setCurrentSelection(m_nEntryIndex);
    item(IDC_TASK_MINUTES).enable(m_bDisconnectAfter != 0);
    item(IDC_TASK_RUNS).enable(m_nRecurrence == kRecurNumber);
    if (m_nRecurrence >= kRecurDaily && m_nRecurrence <= kRecurNumber) {
        item(kRecurrenceButtons[m_nRecurrence]).setCheck(fw::kChecked);
    }
    return true;
}

bool CTaskPropertiesDlg::onCommand(int id, int code) {
    if (code != fw::kButtonClicked) {
        return false;
    }
    if (id == IDC_TASK_DISCONNECT_AFTER) {
        updateData(true);
        item(IDC_TASK_MINUTES).enable(m_bDisconnectAfter != 0);
        return true;
    }
    const auto button = std::find(std::begin(kRecurrenceButtons), std::end(kRecurrenceButtons), id);
    if (button == std::end(kRecurrenceButtons)) {
        return false;
    }
    // The choice takes effect even when another field does not convert.
    updateData(true);
    m_nRecurrence = static_cast<int>(button - std::begin(kRecurrenceButtons));
    item(IDC_TASK_RUNS).enable(m_nRecurrence == kRecurNumber);
    return true;
}

void CTaskPropertiesDlg::onOK() {
    if (!updateData(true)) {
        return;
    }
    if (m_nEntryIndex == -1) {
        invalidInput(*this, "You must choose a connection to dial.");
        return;
    }
    m_strEntry = fw::ComboBox(*this, IDC_TASK_ENTRY_LIST).itemText(m_nEntryIndex);
    if (m_nAmPm == -1) {
        invalidInput(*this, "Please specify AM or PM.");
        return;
    }
    endDialog(fw::kIdOk);
}
