#include "dialer/settings/settings_store.h"

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "../ui/dialer/settings_bytes.h"
#include "framework/archive.h"
#include "framework/file.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;

const std::string k254(254, 'p');
const std::string k255(255, 's');
// Fields 1 to 10 of a file with the first option on.
const std::string kHead = settingsFile({1}, 0, 0).substr(0, 34);

CSettings record(const COptions& o, std::int32_t count = 0, std::int32_t current = 0,
                 const std::vector<Triple>& entries = {}) {
    CSettings s;
    static_cast<COptions&>(s) = o;
    s.m_nEntryCount = count;
    s.m_nCurrentEntry = current;
    for (const Triple& entry : entries) {
        s.m_astrEntryNames.push_back(entry.name);
        s.m_astrUserIds.push_back(entry.userId);
        s.m_astrPasswords.push_back(entry.password);
    }
    return s;
}

// Every field on one line, so that a failure shows which one differs.
std::string fields(const CSettings& s) {
    std::string text =
        "flags " + std::to_string(s.m_bSaveUserAndPassword) + std::to_string(s.m_bKeepDialing) +
        std::to_string(s.m_bStartWithWindows) + std::to_string(s.m_bAutoDial) +
        std::to_string(s.m_bStartMinimized) + std::to_string(s.m_bStartProgram) + " \"" +
        s.m_strProgramPath + "\" sound " + std::to_string(s.m_bPlaySound) + " \"" +
        s.m_strSoundPath + "\" schedule " + std::to_string(s.m_bDialBySchedule) + " count " +
        std::to_string(s.m_nEntryCount) + " current " + std::to_string(s.m_nCurrentEntry);
    for (std::size_t i = 0; i < s.m_astrEntryNames.size(); ++i) {
        text += " [" + s.m_astrEntryNames[i] + "|" + s.m_astrUserIds.at(i) + "|" +
                s.m_astrPasswords.at(i) + "]";
    }
    return text;
}

using SettingsStoreTest = SandboxTest;

TEST_F(SettingsStoreTest, GoldenFilesWrittenAndReadBack) {
    const std::string longBytes = le32(1) + std::string(16, '\0') + le32(1) + "\xFE" + k254 +
                                  le32(1) + std::string("\xFF\xFF\x00", 3) + k255 + le32(0) +
                                  le32(1) + le32(0) + std::string("\xFF\xFF\x00", 3) + k255 +
                                  "\xFE" + k254 + std::string(1, '\0');
    const struct {
        const char* what;
        CSettings record;
        std::string golden;
    } rows[] = {
        {"defaults", {}, settingsFile({}, 0, 0)},
        // Two complementary patterns, so that a field in its neighbour's place shows.
        {"options, odd ones on", record({1, 0, 1, 0, 1, 0, "C:\\Mail\\mail.exe", 1, "", 0}),
         settingsFile({1, 0, 1, 0, 1, 0, "C:\\Mail\\mail.exe", 1, "", 0}, 0, 0)},
        {"options, even ones on", record({0, 1, 0, 1, 0, 1, "", 0, "C:\\WINDOWS\\ding.wav", 1}),
         settingsFile({0, 1, 0, 1, 0, 1, "", 0, "C:\\WINDOWS\\ding.wav", 1}, 0, 0)},
        {"254 and 255 characters",
         record({1, 0, 0, 0, 0, 1, k254, 1, k255, 0}, 1, 0, {{k255, k254, ""}}), longBytes},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(store([&row](Archive& ar) { WriteSettings(ar, row.record); }), row.golden);
        const std::optional<CSettings> loaded = load(row.golden, ReadSettings);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(fields(*loaded), fields(row.record));
    }
}

TEST_F(SettingsStoreTest, AFileThatEndsEarlyGivesNothing) {
    const std::string three = settingsFile({1}, 3, 0, kThree);
    const std::string twoOfThree = settingsFile({}, 3, 0, {{"Home", "", ""}, {"Work", "", ""}});
    const struct {
        const char* what;
        std::string file;
    } rows[] = {
        {"empty", ""},
        {"inside the options", kHead.substr(0, 10)},
        {"inside a long length", std::string(24, '\0') + bytes({0xFF, 0x10})},
        {"before the current index", kHead + le32(0)},
        {"inside the third password", three.substr(0, three.size() - 2)},
        {"a missing third entry", twoOfThree},
        // The count is the file's word: the entries must be there before they are kept.
        {"a huge count", kHead + le32(INT_MAX) + le32(0) + bytes({4, 'H', 'o', 'm', 'e', 0, 0})},
        {"a negative count", kHead + le32(-2) + le32(0) + bytes({4, 'H', 'o', 'm', 'e', 0, 0})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_FALSE(load(row.file, ReadSettings).has_value());
    }
}

TEST_F(SettingsStoreTest, HeadlessAReadErrorKeepsWhatWasRead) {
    // The program path is the first string: its length is checked against the file's.
    driver.injectFault(
        {"C:\\t.dat", fw::test::FileFault::Op::length, fw::FileError::Cause::hardIO, 0});
    const std::optional<CSettings> loaded = load(settingsFile({1}, 3, 1, kThree), ReadSettings);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(fields(*loaded), "flags 100000 \"\" sound 0 \"\" schedule 0 count 0 current 0");

    // A damaged count, whatever its sign, counts the entries read whole before the error: the
    // archive's second read from the file fails, well inside the hundred entries.
    for (const std::int32_t count : {-2, 100}) {
        SCOPED_TRACE(count);
        std::string file = kHead + le32(count) + le32(1);
        for (int i = 0; i < 100; ++i) {
            file += short8(std::string(100, 'n')) + short8("") + short8("");
        }
        driver.injectFault({"C:\\t.dat", fw::test::FileFault::Op::read,
                            fw::FileError::Cause::hardIO, Archive::kDefaultBuffer});
        const std::optional<CSettings> partial = load(file, ReadSettings);
        ASSERT_TRUE(partial.has_value());
        const auto read = static_cast<std::int32_t>(partial->m_astrEntryNames.size());
        EXPECT_GT(read, 1);
        EXPECT_LT(read, 100);
        EXPECT_EQ(partial->m_nEntryCount, read);
        EXPECT_EQ(partial->m_astrUserIds.size(), partial->m_astrEntryNames.size());
        EXPECT_EQ(partial->m_astrPasswords.size(), partial->m_astrEntryNames.size());
    }
}

}  // namespace
