#include "dialer/settings/settings_store.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "framework/archive.h"
#include "framework/file_error.h"

bool CSettings::hasCurrentEntry() const {
    return m_nCurrentEntry >= 0 && m_nCurrentEntry < m_nEntryCount;
}

void CSettings::storeAccount(const std::string& userId, const std::string& password) {
    if (hasCurrentEntry()) {
        const auto at = static_cast<std::size_t>(m_nCurrentEntry);
        m_astrUserIds[at] = userId;
        m_astrPasswords[at] = password;
    }
}

std::int32_t CSettings::rememberEntry(const std::string& name) {
    if (name.empty()) {
        return m_nEntryCount;
    }
    const auto found = std::find(m_astrEntryNames.begin(), m_astrEntryNames.end(), name);
    if (found != m_astrEntryNames.end()) {
        return static_cast<std::int32_t>(found - m_astrEntryNames.begin());
    }
    m_astrEntryNames.push_back(name);
    m_astrUserIds.emplace_back();
    m_astrPasswords.emplace_back();
    return m_nEntryCount++;
}

std::optional<CSettings> ReadSettings(fw::Archive& ar) {
    CSettings s;
    try {
        s.m_bSaveUserAndPassword = ar.readInt32();
        s.m_bKeepDialing = ar.readInt32();
        s.m_bStartWithWindows = ar.readInt32();
        s.m_bAutoDial = ar.readInt32();
        s.m_bStartMinimized = ar.readInt32();
        s.m_bStartProgram = ar.readInt32();
        s.m_strProgramPath = ar.readString();
        s.m_bPlaySound = ar.readInt32();
        s.m_strSoundPath = ar.readString();
        s.m_bDialBySchedule = ar.readInt32();
        s.m_nEntryCount = ar.readInt32();
        s.m_nCurrentEntry = ar.readInt32();
        // A damaged count, huge or negative (taken as unsigned), runs into the end of the file:
        // the lists grow only with what the file holds.
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(s.m_nEntryCount); ++i) {
            // An entry joins the lists whole or not at all.
            std::string name = ar.readString();
            std::string userId = ar.readString();
            std::string password = ar.readString();
            s.m_astrEntryNames.push_back(std::move(name));
            s.m_astrUserIds.push_back(std::move(userId));
            s.m_astrPasswords.push_back(std::move(password));
        }
    } catch (const fw::FileError& error) {
        if (error.cause() == fw::FileError::Cause::endOfFile) {
            return std::nullopt;
        }
        // The count may promise entries that were never read, or be damaged itself: it counts
        // what the lists hold.
        s.m_nEntryCount = static_cast<std::int32_t>(s.m_astrEntryNames.size());
    }
    return s;
}

void WriteSettings(fw::Archive& ar, const CSettings& s) {
    ar.writeInt32(s.m_bSaveUserAndPassword);
    ar.writeInt32(s.m_bKeepDialing);
    ar.writeInt32(s.m_bStartWithWindows);
    ar.writeInt32(s.m_bAutoDial);
    ar.writeInt32(s.m_bStartMinimized);
    ar.writeInt32(s.m_bStartProgram);
    ar.writeString(s.m_strProgramPath);
    ar.writeInt32(s.m_bPlaySound);
    ar.writeString(s.m_strSoundPath);
    ar.writeInt32(s.m_bDialBySchedule);
    ar.writeInt32(s.m_nEntryCount);
    ar.writeInt32(s.m_nCurrentEntry);
    const std::string unsaved;
    for (std::int32_t i = 0; i < s.m_nEntryCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        ar.writeString(s.m_astrEntryNames[at]);
        ar.writeString(s.m_bSaveUserAndPassword != 0 ? s.m_astrUserIds[at] : unsaved);
        ar.writeString(s.m_bSaveUserAndPassword != 0 ? s.m_astrPasswords[at] : unsaved);
    }
}
