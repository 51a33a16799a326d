// The dialer's settings as plain values: the ten options that the Options dialog edits, and the
// record kept in "Ondrel.dat", which adds the remembered entries and the current one. A
// default-constructed record holds the defaults.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using BOOL = int;

struct COptions {
    BOOL m_bSaveUserAndPassword = 0;
    BOOL m_bKeepDialing = 0;
    BOOL m_bStartWithWindows = 0;
    BOOL m_bAutoDial = 0;
    BOOL m_bStartMinimized = 0;
    BOOL m_bStartProgram = 0;
    std::string m_strProgramPath;
    BOOL m_bPlaySound = 0;
    std::string m_strSoundPath;
    BOOL m_bDialBySchedule = 0;
};

// The three lists are parallel: element i of each belongs to the entry named at i. They hold
// m_nEntryCount elements each, also when user IDs and passwords are not saved.
struct CSettings : COptions {
    std::int32_t m_nEntryCount = 0;
    std::int32_t m_nCurrentEntry = 0;
    std::vector<std::string> m_astrEntryNames;
    std::vector<std::string> m_astrUserIds;
    std::vector<std::string> m_astrPasswords;

    // Whether m_nCurrentEntry names a remembered entry: a damaged file may hold any index.
    bool hasCurrentEntry() const;
    // The current entry, if any, is remembered with this account.
    void storeAccount(const std::string& userId, const std::string& password);
    // The index of the remembered entry of this name (compared exactly), which is appended with
    // an empty account when it is new. An empty name is no entry: nothing is remembered, and the
    // index is the count, which names no current entry.
    std::int32_t rememberEntry(const std::string& name);
};
