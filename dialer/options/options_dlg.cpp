#include "dialer/options/options_dlg.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "dialer/ras/phonebook_entries.h"
#include "framework/file_dialog.h"
#include "framework/shell.h"
#include "resource.h"

namespace {

constexpr const char* kProgramFilter =
    "Programs | *.exe; *.com; *.bat; | All Files (*.*) | *.*; ||";
constexpr const char* kSoundFilter = "Wave Files (*.wav) | *.wav; ||";

// Asks the user for a file to open; nothing when cancelled.
std::optional<std::string> chooseFile(const fw::Window& owner, const char* filter) {
    fw::FileDialogRequest request;
    request.flags = fw::kOfnHideReadOnly;
    request.filter = filter;
    return fw::runFileDialog(&owner, request);
}

}  // namespace

COptionsDlg::COptionsDlg(fw::Window* parent, const ras::RemoteAccess& remoteAccess)
    : fw::Dialog(IDD_OPTIONS, parent), m_ras(remoteAccess) {}

void COptionsDlg::doDataExchange(fw::DataExchange& dx) {
    dx.control(IDC_TASK_LIST, m_listTasks);
    dx.check(IDC_AUTO_DIAL, m_options.m_bAutoDial);
    dx.check(IDC_START_WITH_WINDOWS, m_options.m_bStartWithWindows);
    dx.text(IDC_PROGRAM_PATH, m_options.m_strProgramPath);
    dx.check(IDC_KEEP_DIALING, m_options.m_bKeepDialing);
    dx.comboIndex(IDC_ENTRY_LIST, m_nEntryIndex);
    dx.check(IDC_SAVE_USER_PASSWORD, m_options.m_bSaveUserAndPassword);
    dx.check(IDC_START_PROGRAM, m_options.m_bStartProgram);
    dx.check(IDC_START_MINIMIZED, m_options.m_bStartMinimized);
    dx.text(IDC_SOUND_PATH, m_options.m_strSoundPath);
    dx.check(IDC_DIAL_BY_SCHEDULE, m_options.m_bDialBySchedule);
    dx.check(IDC_PLAY_SOUND, m_options.m_bPlaySound);
}

bool COptionsDlg::onInitDialog() {
    // The entry list is still empty here, so no item is selected yet.
    fw::Dialog::onInitDialog();
    FillEntryList();
    EnableDependentControls();
    SetUpTaskList();
    return true;
}

bool COptionsDlg::onCommand(int id, int code) {
    if (code != fw::kButtonClicked) {
        return false;
    }
    switch (id) {
        case IDC_START_PROGRAM:
        case IDC_PLAY_SOUND:
        case IDC_DIAL_BY_SCHEDULE:
            OnEnablingCheckBox();
            return true;
        case IDC_BROWSE_PROGRAM:
            OnBrowseProgram();
            return true;
        case IDC_BROWSE_SOUND:
            OnBrowseSound();
            return true;
        case IDC_OPTIONS_HELP:
            OnHelp();
            return true;
        case IDC_NEW_CONNECTION:
            OnNewConnection();
            return true;
        case IDC_SAVE_DIALUP:
            OnSaveDialup();
            return true;
        case IDC_IMPORT_DIALUP:
            OnImportDialup();
            return true;
        case ID_TASK_ADD:
            OnAddTask();
            return true;
        case ID_TASK_DELETE:
            OnDeleteTask();
            return true;
        case ID_TASK_DISABLE:
            OnDisableTask();
            return true;
        case ID_TASK_PROPERTIES:
            OnTaskProperties();
            return true;
        default:
            return false;
    }
}

void COptionsDlg::onOK() {
    updateData(true);
    // No item is selected when the phonebook is empty or the entry has gone from it.
    m_strEntryName = m_nEntryIndex >= 0 ? EntryList().itemText(m_nEntryIndex) : std::string();
    endDialog(fw::kIdOk);
}

fw::ComboBox COptionsDlg::EntryList() const {
    return fw::ComboBox(*this, IDC_ENTRY_LIST);
}

void COptionsDlg::FillEntryList() {
    for (const std::string& name : ras::EnumerateEntryNames(m_ras)) {
        EntryList().addString(name);
    }
    m_nEntryIndex = EntryList().selectString(-1, m_strEntryName);
}

void COptionsDlg::EnableDependentControls() {
    item(IDC_PROGRAM_PATH).enable(m_options.m_bStartProgram != 0);
    item(IDC_BROWSE_PROGRAM).enable(m_options.m_bStartProgram != 0);
    item(IDC_SOUND_PATH).enable(m_options.m_bPlaySound != 0);
    item(IDC_BROWSE_SOUND).enable(m_options.m_bPlaySound != 0);
    m_listTasks.enable(m_options.m_bDialBySchedule != 0);
}

void COptionsDlg::OnEnablingCheckBox() {
    updateData(true);
    EnableDependentControls();
}

void COptionsDlg::OnBrowseProgram() {
    // Only the path changes: the other controls keep what the user set in them.
    if (const auto path = chooseFile(*this, kProgramFilter)) {
        m_options.m_strProgramPath = *path;
        item(IDC_PROGRAM_PATH).setText(m_options.m_strProgramPath);
    }
}

void COptionsDlg::OnBrowseSound() {
    if (const auto path = chooseFile(*this, kSoundFilter)) {
        m_options.m_strSoundPath = *path;
        item(IDC_SOUND_PATH).setText(m_options.m_strSoundPath);
    }
}

void COptionsDlg::OnHelp() {
    fw::shellExecute(parent(), "Open", m_strProgramFolder + "\\Ondrel.hlp", fw::kShowNormal);
}

void COptionsDlg::OnNewConnection() {
    if (!ras::CheckRemoteAccess(m_ras, this)) {
        return;
    }
    if (ras::IsStub(m_ras.RasCreatePhonebookEntryA(ras::ownerOf(this), nullptr))) {
        ras::ReportMissing(this);
    }
    // The selection goes back to the dialog's entry, whatever the user chose in the list before.
    EntryList().resetContent();
    FillEntryList();
}
