// The Options dialog: the entry to dial, the start-up and redial options, the program and sound
// for after connecting, and scheduled dialing. It works on copies that its caller hands in and
// takes back on OK; creating, saving and importing phonebook entries take effect at once.
#pragma once

#include <string>

#include "dialer/ras/remote_access.h"
#include "dialer/scheduler/task_record.h"
#include "dialer/settings/settings_record.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/menu.h"

class COptionsDlg : public fw::Dialog {
  public:
    COptionsDlg(fw::Window* parent, const ras::RemoteAccess& remoteAccess);

    // Bound to the controls by the data exchange.
    fw::ListView m_listTasks;
    COptions m_options;
    int m_nEntryIndex = -1;

    // The entry the dialog works on: the caller's current entry in, the chosen one out.
    std::string m_strEntryName;
    // The dialer's folder, where its help file lies.
    std::string m_strProgramFolder;

    // The schedule: the dialog's copy of the task list (row i shows task i), the list's two
    // pictures, its pop-up menu, and the row under the pointer at the last click, -1 for none.
    CTaskList m_aTasks;
    fw::ImageList m_imageTasks;
    fw::Menu m_menuTask;
    int m_nSelectedTask = -1;

  protected:
    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code) override;

  private:
    // The entry list, combo box 1005.
    fw::ComboBox EntryList() const;
    // Adds the phonebook's entries to the (empty) entry list and selects m_strEntryName.
    void FillEntryList();
    // The program path, the sound path and the schedule list follow their check boxes.
    void EnableDependentControls();
    void OnEnablingCheckBox();
    void OnBrowseProgram();
    void OnBrowseSound();
    void OnHelp();
    void OnNewConnection();

    // Saving an entry to a file and recreating it from one (entry_transfer.cpp).
    void OnSaveDialup();
    void OnImportDialup();

    // The schedule list (dialer/scheduler/schedule_list.cpp).
    void SetUpTaskList();
    // The row under the pointer into m_nSelectedTask.
    void HitTestTaskList();
    // The task of m_nSelectedTask, or null when it names none.
    CTasks* SelectedTask();
    void OnTaskListRightClick();
    void OnTaskListDoubleClick();
    void OnAddTask();
    void OnDeleteTask();
    void OnDisableTask();
    void OnTaskProperties();

    const ras::RemoteAccess& m_ras;
};
