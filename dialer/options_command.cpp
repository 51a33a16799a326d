// The Options command: the settings go to the Options dialog as copies and come back only when it
// ends with OK; then the current entry is worked out, "Ondrel.dat" is rewritten and the start-up
// folder's shortcut follows its option.
#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "dialer/dialer_dlg.h"
#include "dialer/options/options_dlg.h"
#include "dialer/scheduler/task_store.h"
#include "framework/file_copy.h"
#include "framework/file_error.h"
#include "framework/paths.h"

namespace {

// In the program's folder, where the installer leaves it.
constexpr const char* kShortcutFile = "Ondrel v1.3.lnk";
constexpr const char* kStartupShortcut = "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk";

// What the main window shows of the current entry.
struct CurrentEntry {
    std::string name;
    std::string userId;
    std::string password;
};

// The entry the dialog handed back becomes current, with its remembered account; a new one is
// remembered from now on.
void makeEntryCurrent(CSettings& settings, CurrentEntry& entry) {
    const bool first = settings.m_astrEntryNames.empty();
    // Nothing chosen (an empty phonebook, or the entry left it) makes no entry current.
    settings.m_nCurrentEntry = settings.rememberEntry(entry.name);
    // The account typed before any entry was chosen is saved with the very first one, whatever
    // index an earlier file left.
    if (!first && settings.hasCurrentEntry()) {
        const auto at = static_cast<std::size_t>(settings.m_nCurrentEntry);
        entry.userId = settings.m_astrUserIds[at];
        entry.password = settings.m_astrPasswords[at];
    }
}

// Copies a file byte for byte; raises FileError naming the file that failed.
void copyFile(const std::string& from, const std::string& to) {
    char buffer[fw::kCopyBlock];
    fw::copyFile(from, {&to, 1}, buffer);
}

// Copies the program's shortcut into the start-up folder while the option is set, and deletes the
// copy otherwise (whether there was one does not matter). A file that fails is reported, and
// false returned.
bool updateStartupShortcut(CDialerDlg& dlg) {
    const std::string shortcut = fw::windowsDirectory() + kStartupShortcut;
    if (dlg.m_settings.m_bStartWithWindows == 0) {
        fw::deleteFile(shortcut);
        return true;
    }
    try {
        copyFile(kShortcutFile, shortcut);
        return true;
    } catch (const fw::FileError& error) {
        fw::reportFileError(&dlg, error);
        return false;
    }
}

}  // namespace

void CDialerDlg::OnOptions() {
    // The tray menu reaches the window while the dialog is up: a second dialog would restart the
    // schedule under the first when it closed, and the first would then write its stale list.
    if (m_bOptionsOpen != 0) {
        return;
    }
    updateData(true);
    COptionsDlg options(this, m_ras);
    options.m_strProgramFolder = m_strProgramFolder;
    options.m_strEntryName = m_strEntryName;
    options.m_options = m_settings;
    StoreTypedAccount();
    // No task fires while the dialog works on its copy of the list.
    StopScheduler();
    options.m_aTasks = m_aTasks;
    m_bOptionsOpen = 1;
    const int result = options.doModal();
    m_bOptionsOpen = 0;
    // Its file dialogs may have moved the current directory away from the program's files.
    fw::setCurrentDirectory(m_strProgramFolder);
    // A file that fails ends the command: it has been reported, and the schedule waits for the
    // next Options command or the next start.
    if (result == fw::kIdOk && !ApplyOptions(options)) {
        return;
    }
    if (m_settings.m_bDialBySchedule != 0 && !m_aTasks.empty()) {
        StartScheduler();
    }
}

bool CDialerDlg::ApplyOptions(const COptionsDlg& options) {
    // Each part takes effect only once its file holds it.
    CSettings settings = m_settings;
    static_cast<COptions&>(settings) = options.m_options;
    CurrentEntry entry{options.m_strEntryName, m_strUserId, m_strPassword};
    makeEntryCurrent(settings, entry);
    settings.storeAccount(entry.userId, entry.password);
    if (!SaveSettingsFile(settings)) {
        return false;
    }
    m_settings = std::move(settings);
    m_strEntryName = entry.name;
    m_strUserId = entry.userId;
    m_strPassword = entry.password;
    updateData(false);
    if (const std::optional<fw::FileError> failed = SaveTasks(kTasksFile, options.m_aTasks)) {
        fw::reportFileError(this, *failed);
        return false;
    }
    m_aTasks = options.m_aTasks;
    return updateStartupShortcut(*this);
}
