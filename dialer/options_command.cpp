// The Options command: the settings go to the Options dialog as copies and come back only when it
// ends with OK; then the current entry is worked out, "Ondrel.dat" is rewritten and the start-up
// folder's shortcut follows its option.
#include <algorithm>
#include <cstddef>
#include <string>

#include "dialer/dialer_dlg.h"
#include "dialer/options/options_dlg.h"
#include "framework/file.h"
#include "framework/file_error.h"
#include "framework/paths.h"

namespace {

// In the program's folder, where the installer leaves it.
constexpr const char* kShortcutFile = "Ondrel v1.3.lnk";
constexpr const char* kStartupShortcut = "\\Start Menu\\Programs\\StartUp\\Ondrel v1.3.lnk";
constexpr std::size_t kCopyChunk = 4096;

bool isEntryIndex(std::int32_t index, std::int32_t count) {
    return index >= 0 && index < count;
}

// The entry the dialog handed back becomes current, with its remembered account; a new one is
// remembered from now on.
void MakeEntryCurrent(CDialerDlg& dlg) {
    auto& names = dlg.m_astrEntryNames;
    const auto found = std::find(names.begin(), names.end(), dlg.m_strEntryName);
    if (found != names.end()) {
        const auto at = static_cast<std::size_t>(found - names.begin());
        dlg.m_strUserId = dlg.m_astrUserIds[at];
        dlg.m_strPassword = dlg.m_astrPasswords[at];
        dlg.m_nCurrentEntry = static_cast<std::int32_t>(at);
        return;
    }
    const bool first = names.empty();
    names.push_back(dlg.m_strEntryName);
    dlg.m_astrUserIds.emplace_back();
    dlg.m_astrPasswords.emplace_back();
    if (first) {
        // The account typed before any entry was chosen is saved with this one; the current
        // index is already 0.
        dlg.m_nEntryCount = 1;
        return;
    }
    dlg.m_strUserId.clear();
    dlg.m_strPassword.clear();
    ++dlg.m_nEntryCount;
    dlg.m_nCurrentEntry = dlg.m_nEntryCount - 1;
}

// Copies a file byte for byte; raises FileError naming the file that failed.
void copyFile(const std::string& from, const std::string& to) {
    // The source first, so that a missing one leaves no empty copy behind.
    fw::File source;
    source.open(from, fw::FileMode::read);
    fw::File target;
    target.open(to, fw::FileMode::createWrite);
    char chunk[kCopyChunk];
    while (const std::size_t got = source.read(chunk, sizeof chunk)) {
        target.write(chunk, got);
    }
    target.close();
    source.close();
}

}  // namespace

void CDialerDlg::OnOptions() {
    updateData(true);
    COptionsDlg options(this, m_ras);
    options.m_strProgramFolder = m_strProgramFolder;
    options.m_strEntryName = m_strEntryName;
    options.m_bSaveUserAndPassword = m_bSaveUserAndPassword;
    options.m_bKeepDialing = m_bKeepDialing;
    options.m_bStartWithWindows = m_bStartWithWindows;
    options.m_bAutoDial = m_bAutoDial;
    options.m_bStartMinimized = m_bStartMinimized;
    options.m_bStartProgram = m_bStartProgram;
    options.m_strProgramPath = m_strProgramPath;
    options.m_bPlaySound = m_bPlaySound;
    options.m_strSoundPath = m_strSoundPath;
    options.m_bDialBySchedule = m_bDialBySchedule;
    // The current entry's list record catches up with what the user typed.
    if (isEntryIndex(m_nCurrentEntry, m_nEntryCount)) {
        const auto at = static_cast<std::size_t>(m_nCurrentEntry);
        m_astrUserIds[at] = m_strUserId;
        m_astrPasswords[at] = m_strPassword;
    }
    if (options.doModal() != fw::kIdOk) {
        return;
    }
    // A file dialog may have moved the current directory away from the program's files.
    fw::setCurrentDirectory(m_strProgramFolder);
    m_strEntryName = options.m_strEntryName;
    m_bSaveUserAndPassword = options.m_bSaveUserAndPassword;
    m_bKeepDialing = options.m_bKeepDialing;
    m_bStartWithWindows = options.m_bStartWithWindows;
    m_bAutoDial = options.m_bAutoDial;
    m_bStartMinimized = options.m_bStartMinimized;
    m_bStartProgram = options.m_bStartProgram;
    m_strProgramPath = options.m_strProgramPath;
    m_bPlaySound = options.m_bPlaySound;
    m_strSoundPath = options.m_strSoundPath;
    m_bDialBySchedule = options.m_bDialBySchedule;
    MakeEntryCurrent(*this);
    updateData(false);
    if (!SaveSettingsFile()) {
        return;
    }
    const std::string shortcut = fw::windowsDirectory() + kStartupShortcut;
    if (m_bStartWithWindows != 0) {
        try {
            copyFile(kShortcutFile, shortcut);
        } catch (const fw::FileError& error) {
            fw::reportFileError(this, error);
            return;
        }
    } else {
        fw::deleteFile(shortcut);
    }
}
