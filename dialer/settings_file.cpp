// The main window's "Ondrel.dat": read into the record at creation, the current entry shown in
// its fields; written with what the user typed for that entry, in full or not at all.
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

#include "dialer/dialer_dlg.h"
#include "dialer/settings/settings_store.h"
#include "framework/file.h"
#include "framework/save_file.h"

CDialerDlg::LoadResult CDialerDlg::LoadSettings() {
    fw::File file;
    try {
        file.open(kSettingsFile, fw::FileMode::read);
    } catch (const fw::FileError&) {
        return LoadResult::absent;
    }
    fw::Archive ar(file, fw::Archive::Mode::load);
    std::optional<CSettings> loaded = ReadSettings(ar);
    if (!loaded) {
        return LoadResult::damaged;
    }
    m_settings = std::move(*loaded);
    ShowCurrentEntry();
    return LoadResult::loaded;
}

void CDialerDlg::ShowCurrentEntry() {
    if (!m_settings.hasCurrentEntry()) {
        m_strEntryName.clear();
        m_strUserId.clear();
        m_strPassword.clear();
        return;
    }
    const auto at = static_cast<std::size_t>(m_settings.m_nCurrentEntry);
    m_strEntryName = m_settings.m_astrEntryNames[at];
    m_strUserId = m_settings.m_astrUserIds[at];
    m_strPassword = m_settings.m_astrPasswords[at];
}

void CDialerDlg::StoreTypedAccount() {
    m_settings.storeAccount(m_strUserId, m_strPassword);
}

void CDialerDlg::SaveSettings(fw::Archive& ar) {
    updateData(true);
    StoreTypedAccount();
    WriteSettings(ar, m_settings);
}

bool CDialerDlg::SaveSettingsFile() {
    return WriteDataFile(kSettingsFile, [this](fw::Archive& ar) { SaveSettings(ar); });
}

bool CDialerDlg::SaveSettingsFile(const CSettings& settings) {
    return WriteDataFile(kSettingsFile,
                         [&settings](fw::Archive& ar) { WriteSettings(ar, settings); });
}

bool CDialerDlg::WriteDataFile(const std::string& name,
                               const std::function<void(fw::Archive&)>& write) {
    const std::optional<fw::FileError> failed = TryWriteDataFile(name, write);
    if (failed) {
        fw::reportFileError(this, *failed);
    }
    return !failed;
}

std::optional<fw::FileError> CDialerDlg::TryWriteDataFile(
    const std::string& name, const std::function<void(fw::Archive&)>& write) {
    try {
        fw::saveFile(name, write);
        return std::nullopt;
    } catch (const fw::FileError& error) {
        return error;
    }
}
