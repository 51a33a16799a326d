#include "dialer/settings/settings_store.h"

#include <climits>
#include <optional>
#include <string>

#include "framework/archive.h"
#include "framework/file.h"
#include "sandbox_fixture.h"

namespace {

using fw::Archive;

// Golden files are spelt out byte by byte: numbers as four little-endian bytes (i32), strings of
// up to 254 characters as one length byte and the characters.
std::string s8(const std::string& text) {
    return bytes({static_cast<int>(text.size())}) + text;
}

const std::string kFlagsOff = std::string(24, '\0');                     // fields 1 to 6, all 0
const std::string kNoPaths = bytes({0}) + i32(0) + bytes({0}) + i32(0);  // fields 7 to 10
const std::string k254(254, 'p');
const std::string k255(255, 's');

// The first option on, three entries, the second current.
CSettings threeEntries(BOOL saveUserAndPassword) {
    CSettings s;
    s.m_bSaveUserAndPassword = saveUserAndPassword;
    s.m_nEntryCount = 3;
    s.m_nCurrentEntry = 1;
    s.m_astrEntryNames = {"Home", "Work", "Lab"};
    s.m_astrUserIds = {"ann", "bob", "cyd"};
    s.m_astrPasswords = {"one", "two", "three"};
    return s;
}
const std::string kThreeSaved = i32(1) + std::string(20, '\0') + kNoPaths + i32(3) + i32(1) +
                                s8("Home") + s8("ann") + s8("one") + s8("Work") + s8("bob") +
                                s8("two") + s8("Lab") + s8("cyd") + s8("three");
const std::string kThreeUnsaved = kFlagsOff + kNoPaths + i32(3) + i32(1) + s8("Home") +
                                  bytes({0, 0}) + s8("Work") + bytes({0, 0}) + s8("Lab") +
                                  bytes({0, 0});

CSettings options(const COptions& o) {
    CSettings s;
    static_cast<COptions&>(s) = o;
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
// The fields up to the entry count of a file that begins with head.
const std::string kHeadFields = "flags 100000 \"\" sound 0 \"\" schedule 0";

class SettingsStoreTest : public SandboxTest {
  protected:
    std::string storeRecord(const CSettings& settings) {
        return store([&settings](Archive& ar) { WriteSettings(ar, settings); });
    }
    std::optional<CSettings> loadRecord(const std::string& data) {
        return load(data, ReadSettings);
    }
};

TEST_F(SettingsStoreTest, GoldenFilesWrittenAndReadBack) {
    CSettings longStrings = options({1, 0, 0, 0, 0, 1, k254, 1, k255, 0});
    longStrings.m_nEntryCount = 1;
    longStrings.m_astrEntryNames = {k255};
    longStrings.m_astrUserIds = {k254};
    longStrings.m_astrPasswords = {""};
    const std::string longBytes = i32(1) + std::string(16, '\0') + i32(1) + bytes({0xFE}) + k254 +
                                  i32(1) + bytes({0xFF, 0xFF, 0x00}) + k255 + i32(0) + i32(1) +
                                  i32(0) + bytes({0xFF, 0xFF, 0x00}) + k255 + bytes({0xFE}) + k254 +
                                  bytes({0});
    const struct {
        const char* what;
        CSettings record;
        std::string golden;
    } rows[] = {
        {"defaults", {}, kFlagsOff + kNoPaths + i32(0) + i32(0)},
        // Two complementary patterns, so that a field in its neighbour's place shows.
        {"options, odd ones on", options({1, 0, 1, 0, 1, 0, "C:\\Mail\\mail.exe", 1, "", 0}),
         bytes({1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}) +
             s8("C:\\Mail\\mail.exe") + i32(1) + bytes({0}) + i32(0) + i32(0) + i32(0)},
        {"options, even ones on", options({0, 1, 0, 1, 0, 1, "", 0, "C:\\WINDOWS\\ding.wav", 1}),
         bytes({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}) +
             bytes({0}) + i32(0) + s8("C:\\WINDOWS\\ding.wav") + i32(1) + i32(0) + i32(0)},
        {"three entries, the second current", threeEntries(1), kThreeSaved},
        {"254 and 255 characters", longStrings, longBytes},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(storeRecord(row.record), row.golden);
        const std::optional<CSettings> loaded = loadRecord(row.golden);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(fields(*loaded), fields(row.record));
    }
}

TEST_F(SettingsStoreTest, AccountsNotToBeSavedAreWrittenEmpty) {
    const CSettings inMemory = threeEntries(0);
    EXPECT_EQ(storeRecord(inMemory), kThreeUnsaved);
    const std::optional<CSettings> loaded = loadRecord(kThreeUnsaved);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(
        fields(*loaded),
        "flags 000000 \"\" sound 0 \"\" schedule 0 count 3 current 1 [Home||] [Work||] [Lab||]");
}

TEST_F(SettingsStoreTest, WhatIsReadAndWhichEntryIsCurrent) {
    const std::string three = s8("Home") + s8("ann") + s8("one") + s8("Work") + s8("bob") +
                              s8("two") + s8("Lab") + s8("cyd") + s8("three");
    const std::string head = i32(1) + std::string(20, '\0') + kNoPaths;
    const std::string threeFields = " [Home|ann|one] [Work|bob|two] [Lab|cyd|three]";
    const struct {
        const char* what;
        std::string file;
        std::string fields;
        bool current;
    } rows[] = {
        {"the last of three", head + i32(3) + i32(2) + three,
         kHeadFields + " count 3 current 2" + threeFields, true},
        {"an index past the end", head + i32(3) + i32(5) + three,
         kHeadFields + " count 3 current 5" + threeFields, false},
        {"an index just past the end", head + i32(3) + i32(3) + three,
         kHeadFields + " count 3 current 3" + threeFields, false},
        {"a negative index", head + i32(3) + i32(-1) + three,
         kHeadFields + " count 3 current -1" + threeFields, false},
        {"no entries", head + i32(0) + i32(0), kHeadFields + " count 0 current 0", false},
        {"bytes after the last entry",
         head + i32(1) + i32(0) + s8("Home") + s8("a") + s8("") + "xyz",
         kHeadFields + " count 1 current 0 [Home|a|]", true},
        // The wide form: 0xFF, 0xFFFE, a length in UTF-16 units, the units.
        {"wide strings",
         kFlagsOff + bytes({0xFF, 0xFE, 0xFF, 0x02, 'C', 0, ':', 0}) + i32(0) + bytes({0}) +
             i32(0) + i32(1) + i32(0) +
             bytes({0xFF, 0xFE, 0xFF, 0x04, 'H', 0, 0xE9, 0, 'm', 0, 'e', 0}) +
             bytes({0xFF, 0xFE, 0xFF, 0x00}) + s8("pw"),
         "flags 000000 \"C:\" sound 0 \"\" schedule 0 count 1 current 0 [H\xE9me||pw]", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::optional<CSettings> loaded = loadRecord(row.file);
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(fields(*loaded), row.fields);
        EXPECT_EQ(loaded->hasCurrentEntry(), row.current);
    }
}

TEST_F(SettingsStoreTest, AFileThatEndsEarlyGivesNothing) {
    const std::string head = i32(1) + std::string(20, '\0') + kNoPaths;
    const struct {
        const char* what;
        std::string file;
    } rows[] = {
        {"empty", ""},
        {"inside the options", head.substr(0, 10)},
        {"inside a long length", std::string(24, '\0') + bytes({0xFF, 0x10})},
        {"before the current index", head + i32(0)},
        {"inside the third password", kThreeSaved.substr(0, kThreeSaved.size() - 2)},
        {"a missing third entry",
         head + i32(3) + i32(0) + s8("Home") + bytes({0, 0}) + s8("Work") + bytes({0, 0})},
        // The count is the file's word: the entries must be there before they are kept.
        {"a huge count", head + i32(INT_MAX) + i32(0) + s8("Home") + bytes({0, 0})},
        {"a negative count", head + i32(-2) + i32(0) + s8("Home") + bytes({0, 0})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_FALSE(loadRecord(row.file).has_value());
    }
}

TEST_F(SettingsStoreTest, HeadlessAReadErrorKeepsWhatWasRead) {
    // The program path is the first string: its length is checked against the file's.
    driver.injectFault(
        {"C:\\t.dat", fw::test::FileFault::Op::length, fw::FileError::Cause::hardIO, 0});
    const std::optional<CSettings> loaded = loadRecord(kThreeSaved);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(fields(*loaded), kHeadFields + " count 0 current 0");

    // A damaged count, whatever its sign, counts the entries read whole before the error: the
    // archive's second read from the file fails, well inside the hundred entries.
    const std::string head = i32(1) + std::string(20, '\0') + kNoPaths;
    for (const std::int32_t count : {-2, 100}) {
        SCOPED_TRACE(count);
        std::string file = head + i32(count) + i32(1);
        for (int i = 0; i < 100; ++i) {
            file += s8(std::string(100, 'n')) + s8("") + s8("");
        }
        driver.injectFault({"C:\\t.dat", fw::test::FileFault::Op::read,
                            fw::FileError::Cause::hardIO, Archive::kDefaultBuffer});
        const std::optional<CSettings> partial = loadRecord(file);
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
