// "Ondrel.dat": the options, the remembered entries with their user ids and passwords, and the
// current entry, as one archived stream.
#include "dialer/settings/settings_store.h"

#include <algorithm>
#include <cstddef>

#include "dialer/dialer_dlg.h"
#include "framework/file.h"
#include "framework/save_file.h"

namespace {

bool isEntryIndex(std::int32_t index, std::int32_t count) {
    return index >= 0 && index < count;
}

}  // namespace

void SetDefaultSettings(CDialerDlg& dlg) {
    dlg.m_strEntryName.clear();
    dlg.m_strUserId.clear();
    dlg.m_strPassword.clear();
    dlg.m_strProgramPath.clear();
    dlg.m_strSoundPath.clear();
    dlg.m_bSaveUserAndPassword = 0;
    dlg.m_bKeepDialing = 0;
    dlg.m_bStartWithWindows = 0;
    dlg.m_bAutoDial = 0;
    dlg.m_bStartMinimized = 0;
    dlg.m_bStartProgram = 0;
    dlg.m_bPlaySound = 0;
    dlg.m_bDialBySchedule = 0;
    dlg.m_nEntryCount = 0;
    dlg.m_nCurrentEntry = 0;
    dlg.m_astrEntryNames.clear();
    dlg.m_astrUserIds.clear();
    dlg.m_astrPasswords.clear();
}

CDialerDlg::LoadResult CDialerDlg::LoadSettings() {
    fw::File file;
    try {
        file.open(kSettingsFile, fw::FileMode::read);
    } catch (const fw::FileError&) {
        return LoadResult::absent;
    }
    try {
        fw::Archive ar(file, fw::Archive::Mode::load);
        m_bSaveUserAndPassword = ar.readInt32();
        m_bKeepDialing = ar.readInt32();
        m_bStartWithWindows = ar.readInt32();
        m_bAutoDial = ar.readInt32();
        m_bStartMinimized = ar.readInt32();
        m_bStartProgram = ar.readInt32();
        m_strProgramPath = ar.readString();
        m_bPlaySound = ar.readInt32();
        m_strSoundPath = ar.readString();
        m_bDialBySchedule = ar.readInt32();
        m_nEntryCount = ar.readInt32();
        m_nCurrentEntry = ar.readInt32();
        m_astrEntryNames.clear();
        m_astrUserIds.clear();
        m_astrPasswords.clear();
        // A damaged count, huge or negative (taken as unsigned), runs into the end of the
        // file: the lists grow only with what the file holds.
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(m_nEntryCount); ++i) {
            m_astrEntryNames.push_back(ar.readString());
            m_astrUserIds.push_back(ar.readString());
            m_astrPasswords.push_back(ar.readString());
        }
    } catch (const fw::FileError& error) {
        if (error.cause() == fw::FileError::Cause::endOfFile) {
            // Nothing of a damaged file may be saved again.
            SetDefaultSettings(*this);
            return LoadResult::damaged;
        }
        // Any other failure keeps what was read, as far as it makes whole entries.
        const std::size_t whole =
            std::min({m_astrEntryNames.size(), m_astrUserIds.size(), m_astrPasswords.size()});
        if (whole < static_cast<std::size_t>(std::max(m_nEntryCount, 0))) {
            m_nEntryCount = static_cast<std::int32_t>(whole);
        }
        m_astrEntryNames.resize(whole);
        m_astrUserIds.resize(whole);
        m_astrPasswords.resize(whole);
    }
    // An index outside the lists means no current entry.
    if (isEntryIndex(m_nCurrentEntry, m_nEntryCount)) {
        const auto at = static_cast<std::size_t>(m_nCurrentEntry);
        m_strEntryName = m_astrEntryNames[at];
        m_strUserId = m_astrUserIds[at];
        m_strPassword = m_astrPasswords[at];
    }
    return LoadResult::loaded;
}

void CDialerDlg::SaveSettings(fw::Archive& ar) {
    updateData(true);
    // The lists catch up with what the user typed for the current entry.
    if (isEntryIndex(m_nCurrentEntry, m_nEntryCount)) {
        const auto at = static_cast<std::size_t>(m_nCurrentEntry);
        m_astrUserIds[at] = m_strUserId;
        m_astrPasswords[at] = m_strPassword;
    }
    ar.writeInt32(m_bSaveUserAndPassword);
    ar.writeInt32(m_bKeepDialing);
    ar.writeInt32(m_bStartWithWindows);
    ar.writeInt32(m_bAutoDial);
    ar.writeInt32(m_bStartMinimized);
    ar.writeInt32(m_bStartProgram);
    ar.writeString(m_strProgramPath);
    ar.writeInt32(m_bPlaySound);
    ar.writeString(m_strSoundPath);
    ar.writeInt32(m_bDialBySchedule);
    ar.writeInt32(m_nEntryCount);
    ar.writeInt32(m_nCurrentEntry);
    for (std::int32_t i = 0; i < m_nEntryCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        ar.writeString(m_astrEntryNames[at]);
        ar.writeString(m_bSaveUserAndPassword != 0 ? m_astrUserIds[at] : std::string());
        ar.writeString(m_bSaveUserAndPassword != 0 ? m_astrPasswords[at] : std::string());
    }
}

bool CDialerDlg::SaveSettingsFile() {
    try {
        fw::saveFile(kSettingsFile, [this](fw::Archive& ar) { SaveSettings(ar); });
        return true;
    } catch (const fw::FileError& error) {
        fw::reportFileError(this, error);
        return false;
    }
}
