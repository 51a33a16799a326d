// The Options dialog's schedule list: one row per task of the dialog's copy of the task list,
// and the pop-up menu and double click that add, delete, disable and edit tasks.
#include <climits>

#include "dialer/options/options_dlg.h"
#include "dialer/scheduler/schedule_arithmetic.h"
#include "dialer/scheduler/task_properties_dlg.h"
#include "framework/controls.h"
#include "framework/message_box.h"
#include "resource.h"

namespace {

constexpr int kPictureWidth = 15;
constexpr std::uint32_t kWhite = 0xFFFFFF;  // the pictures' transparent colour
// The pictures: the task, and the task disabled.
constexpr int kEnabledImage = 0;
constexpr int kDisabledImage = 1;

// The menu's items by position.
constexpr int kDeletePosition = 1;
constexpr int kDisablePosition = 2;
constexpr int kPropertiesPosition = 4;

void invalidInput(const fw::Window& owner, const std::string& text) {
    fw::messageBox(&owner, text, "Error: Invalid Input!", fw::mb::kOk | fw::mb::kIconExclamation);
}

// The time a confirmed Task Properties dialog gives, or nothing after telling the user what is
// wrong with it; the dialog has closed by then.
std::optional<std::int32_t> enteredTime(const fw::Window& owner, const CTaskPropertiesDlg& dlg) {
    int hour = 0;
    int minute = 0;
    switch (ReadTimeText(dlg.m_strTime, hour, minute)) {
        case TimeTextResult::noColon:
            invalidInput(owner,
                         "You must enter your time with a semi-colon \nseperating hours and "
                         "minutes.");
            return std::nullopt;
        case TimeTextResult::outOfRange:
            invalidInput(owner,
                         "You must enter 1-12 for hour and/or 0-59 for minutes \nusing HH:MM "
                         "format (e.g. 3:46)");
            return std::nullopt;
        case TimeTextResult::accepted:
            break;
    }
    const std::optional<std::int32_t> time =
        EnterTime(dlg.m_nMonth, dlg.m_nDay, dlg.m_nYear, hour, minute, dlg.m_nAmPm);
    if (!time) {
        invalidInput(owner, kEnterableDatesMessage);
    }
    return time;
}

CTasks taskFrom(const CTaskPropertiesDlg& dlg, std::int32_t time) {
    const auto minutes = static_cast<std::int32_t>(std::min<unsigned>(dlg.m_nMinutes, INT_MAX));
    return CTasks(dlg.m_strName, dlg.m_strEntry, time, minutes, dlg.m_bDisconnectAfter,
                  dlg.m_nRecurrence, dlg.m_nNumber);
}

// A row added or edited just now shows the time as it was entered.
std::string willExecuteText(const CTaskPropertiesDlg& dlg) {
    return WillExecuteText(dlg.m_nMonth, dlg.m_nDay, dlg.m_nYear, dlg.m_strTime, dlg.m_nAmPm);
}

}  // namespace

void COptionsDlg::SetUpTaskList() {
    m_imageTasks.createFromBitmap(IDB_TASKS, kPictureWidth, kWhite);
    m_listTasks.insertColumn(0, "Tasks", 100, fw::Align::left);
    m_listTasks.insertColumn(1, "Details", 200, fw::Align::left);
    m_listTasks.setSmallImages(m_imageTasks);
    m_menuTask.createPopup();
    m_menuTask.appendItem(ID_TASK_ADD, "Add Task...");
    m_menuTask.appendItem(ID_TASK_DELETE, "Delete Task");
    m_menuTask.appendItem(ID_TASK_DISABLE, "Disable");
    m_menuTask.appendSeparator();
    m_menuTask.appendItem(ID_TASK_PROPERTIES, "Properties...");
    for (std::size_t i = 0; i < m_aTasks.size(); ++i) {
        const CTasks& task = m_aTasks[i];
        const int row =
            m_listTasks.insertItem(static_cast<int>(i), task.m_strName,
                                   task.m_bDisabled != 0 ? kDisabledImage : kEnabledImage);
        m_listTasks.setItemText(row, 1, WillExecuteText(task.m_timeNext));
    }
}

bool COptionsDlg::onNotify(int id, int code) {
    if (id != IDC_TASK_LIST) {
        return false;
    }
    if (code == fw::nm::kRightClick) {
        OnTaskListRightClick();
    } else if (code == fw::nm::kDoubleClick) {
        OnTaskListDoubleClick();
    }
    return true;
}

void COptionsDlg::HitTestTaskList() {
    m_nSelectedTask = m_listTasks.hitTest(m_listTasks.screenToClient(fw::cursorPos()));
}

void COptionsDlg::OnTaskListRightClick() {
    HitTestTaskList();
    const bool onRow = m_nSelectedTask >= 0;
    m_menuTask.enableAt(kDeletePosition, onRow);
    m_menuTask.enableAt(kDisablePosition, onRow);
    m_menuTask.enableAt(kPropertiesPosition, onRow);
    m_menuTask.checkItem(ID_TASK_DISABLE, onRow && SelectedTask()->m_bDisabled != 0);
    m_menuTask.track(*this, fw::cursorPos(), fw::kTrackLeftAlign | fw::kTrackLeftButton);
}

void COptionsDlg::OnTaskListDoubleClick() {
    HitTestTaskList();
    if (m_nSelectedTask >= 0) {
        OnTaskProperties();
    }
}

void COptionsDlg::OnAddTask() {
    CTaskPropertiesDlg dlg(this, m_ras);
    if (dlg.doModal() != fw::kIdOk) {
        return;
    }
    const std::optional<std::int32_t> time = enteredTime(*this, dlg);
    if (!time) {
        return;
    }
    m_aTasks.push_back(taskFrom(dlg, *time));
    const int row = m_listTasks.insertItem(m_listTasks.itemCount(), dlg.m_strName, kEnabledImage);
    m_listTasks.setItemText(row, 1, willExecuteText(dlg));
}

CTasks* COptionsDlg::SelectedTask() {
    const bool valid = m_nSelectedTask >= 0 && m_nSelectedTask < static_cast<int>(m_aTasks.size());
    return valid ? &m_aTasks[static_cast<std::size_t>(m_nSelectedTask)] : nullptr;
}

void COptionsDlg::OnDeleteTask() {
    if (SelectedTask() == nullptr) {
        return;
    }
    m_aTasks.erase(m_aTasks.begin() + m_nSelectedTask);
    m_listTasks.deleteItem(m_nSelectedTask);
}

void COptionsDlg::OnDisableTask() {
    CTasks* selected = SelectedTask();
    if (selected == nullptr) {
        return;
    }
    CTasks& task = *selected;
    task.m_bDisabled = task.m_bDisabled == 0 ? 1 : 0;
    m_listTasks.setItemImage(m_nSelectedTask,
                             task.m_bDisabled != 0 ? kDisabledImage : kEnabledImage);
    m_listTasks.redrawItems(m_nSelectedTask, m_nSelectedTask);
}

void COptionsDlg::OnTaskProperties() {
    if (SelectedTask() == nullptr) {
        return;
    }
    CTaskPropertiesDlg dlg(this, m_ras);
    const CTasks& task = *SelectedTask();
    dlg.m_strName = task.m_strName;
    dlg.m_strEntry = task.m_strEntry;
    // A time that has no local date (only a damaged file holds one) opens as a new task's.
    if (const std::optional<DialogTime> when = DialogTimeOf(task.m_timeNext)) {
        dlg.m_nMonth = when->month;
        dlg.m_nDay = when->day;
        dlg.m_nYear = when->year;
        dlg.m_strTime = when->time;
        dlg.m_nAmPm = when->amPm;
    }
    dlg.m_bDisconnectAfter = task.m_bDisconnectAfter;
    if (task.m_bDisconnectAfter != 0) {
        dlg.m_nMinutes = static_cast<unsigned>(std::max(task.m_nMinutes, 0));
    }
    dlg.m_nRecurrence = task.m_nRecurrence;
    dlg.m_nNumber = task.m_nNumber;
    if (dlg.doModal() != fw::kIdOk) {
        return;
    }
    const std::optional<std::int32_t> time = enteredTime(*this, dlg);
    if (!time) {
        return;
    }
    // An edited task keeps its disabled state, as its row keeps its picture.
    CTasks edited = taskFrom(dlg, *time);
    edited.m_bDisabled = task.m_bDisabled;
    *SelectedTask() = std::move(edited);
    m_listTasks.setItemText(m_nSelectedTask, 1, willExecuteText(dlg));
    m_listTasks.setItemText(m_nSelectedTask, 0, dlg.m_strName);
}
