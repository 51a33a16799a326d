// The Options command: the settings go to the Options dialog as copies and come back only when it
// ends with OK; then the current entry is worked out, "Ondrel.dat" is rewritten and the start-up
// folder's shortcut follows its option.
#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

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

// What the main window shows of the current entry.
struct CurrentEntry {
    std::string name;
    std::string userId;
    std::string password;
};

// The entry the dialog handed back becomes current, with its remembered account; a new one is
// remembered from now on.
void makeEntryCurrent(CSettings& settings, CurrentEntry& entry) {
    if (entry.name.empty()) {
        // Nothing was chosen (an empty phonebook, or the entry left it): no entry is current,
        // and none is remembered without a name.
        settings.m_nCurrentEntry = settings.m_nEntryCount;
        return;
    }
    auto& names = settings.m_astrEntryNames;
    const auto found = std::find(names.begin(), names.end(), entry.name);
    if (found != names.end()) {
        const auto at = static_cast<std::size_t>(found - names.begin());
        entry.userId = settings.m_astrUserIds[at];
        entry.password = settings.m_astrPasswords[at];
        settings.m_nCurrentEntry = static_cast<std::int32_t>(at);
        return;
    }
    const bool first = names.empty();
    names.push_back(entry.name);
    settings.m_astrUserIds.emplace_back();
    settings.m_astrPasswords.emplace_back();
    ++settings.m_nEntryCount;
    if (first) {
        // The account typed before any entry was chosen is saved with this one, whatever index
        // an earlier file left.
        settings.m_nCurrentEntry = 0;
        return;
    }
    entry.userId.clear();
    entry.password.clear();
    settings.m_nCurrentEntry = settings.m_nEntryCount - 1;
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

// Copies the program's shortcut into the start-up folder while the option is set, and deletes the
// copy otherwise (whether there was one does not matter). A file that fails is reported.
void updateStartupShortcut(CDialerDlg& dlg) {
    const std::string shortcut = fw::windowsDirectory() + kStartupShortcut;
    if (dlg.m_settings.m_bStartWithWindows == 0) {
        fw::deleteFile(shortcut);
        return;
    }
    try {
        copyFile(kShortcutFile, shortcut);
    } catch (const fw::FileError& error) {
        fw::reportFileError(&dlg, error);
    }
}

}  // namespace

void CDialerDlg::OnOptions() {
    updateData(true);
    COptionsDlg options(this, m_ras);
    options.m_strProgramFolder = m_strProgramFolder;
    options.m_strEntryName = m_strEntryName;
    options.m_options = m_settings;
    StoreTypedAccount();
    const int result = options.doModal();
    // Its file dialogs may have moved the current directory away from the program's files.
    fw::setCurrentDirectory(m_strProgramFolder);
    if (result != fw::kIdOk) {
        return;
    }
    // The new settings take effect only once "Ondrel.dat" holds them; a file that fails ends the
    // command and has been reported.
    CSettings settings = m_settings;
    static_cast<COptions&>(settings) = options.m_options;
    CurrentEntry entry{options.m_strEntryName, m_strUserId, m_strPassword};
    makeEntryCurrent(settings, entry);
    settings.storeAccount(entry.userId, entry.password);
    if (!SaveSettingsFile(settings)) {
        return;
    }
    m_settings = std::move(settings);
    m_strEntryName = entry.name;
    m_strUserId = entry.userId;
    m_strPassword = entry.password;
    updateData(false);
    updateStartupShortcut(*this);
}
