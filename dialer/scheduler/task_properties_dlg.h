// The editor of one task: the entry to dial, the task's name, its date and time, its
// disconnect-after limit and how it repeats. The schedule list runs it with its defaults to add a
// task and filled from a task to edit one; the time text is read by the caller afterwards.
#pragma once

#include <string>

#include "dialer/ras/remote_access.h"
#include "framework/dialog.h"

using BOOL = int;

class CTaskPropertiesDlg : public fw::Dialog {
  public:
    // The defaults of a new task: one run, at the current minute, named "Task Name", no limit.
    CTaskPropertiesDlg(fw::Window* parent, const ras::RemoteAccess& remoteAccess);

    // Bound to the controls by the data exchange, in this order.
    int m_nAmPm = 0;  // 0 "AM", 1 "PM", -1 none
    BOOL m_bDisconnectAfter = 0;
    int m_nDay = 1;
    int m_nMonth = 1;
    int m_nNumber = 1;
    std::string m_strName = "Task Name";
    std::string m_strTime;
    int m_nYear = 1970;
    unsigned m_nMinutes = 0;
    int m_nEntryIndex = -1;

    // Set by the recurrence buttons: 0 daily, 1 weekly, 2 monthly, 3 "Number:".
    int m_nRecurrence = 3;
    // The entry to select at start; the chosen entry's name after OK.
    std::string m_strEntry;

  protected:
    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;
    bool onCommand(int id, int code) override;

  private:
    const ras::RemoteAccess& m_ras;
};
