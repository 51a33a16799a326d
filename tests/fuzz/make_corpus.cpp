// Writes the seed corpus of the archive and shortcut targets with the programs' own writers: the
// files users have. Run once by the target fuzz_corpus (see corpus/README.md), which also copies
// the compiled resource scripts; its output is committed.
// Usage: fuzz_corpus_generator <corpus folder>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "../unit/wine_shortcut.h"
#include "dialer/options/dnx_file.h"
#include "dialer/scheduler/task_store.h"
#include "dialer/settings/settings_store.h"
#include "framework/archive.h"
#include "fuzz_support.h"
#include "sandbox.h"
#include "shortcut_file.h"

namespace {

namespace fs = std::filesystem;

fs::path root;

void save(const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(root / target);
    std::ofstream out(root / target / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.good()) {
        std::fprintf(stderr, "cannot write %s/%s\n", target.c_str(), name.c_str());
        std::exit(1);
    }
}

void saveArchive(const std::string& target, const std::string& name,
                 const std::function<void(fw::Archive&)>& write) {
    fw::headless::resetSandbox();
    save(target, name, fuzz::store(write));
}

// A string in the archive's wide form: 0xFF, 0xFFFE, the length in UTF-16 units, the units.
void writeWide(fw::Archive& ar, const std::u16string& text) {
    const unsigned char prefix[] = {0xFF, 0xFE, 0xFF};
    ar.writeBytes(prefix, sizeof prefix);
    const unsigned char length = static_cast<unsigned char>(text.size());
    ar.writeBytes(&length, 1);
    for (char16_t unit : text) {
        const unsigned char bytes[] = {static_cast<unsigned char>(unit & 0xFF),
                                       static_cast<unsigned char>(unit >> 8)};
        ar.writeBytes(bytes, sizeof bytes);
    }
}

const std::string k254(254, 'a');
const std::string k255(255, 'b');

// --- Ondrel.dat ------------------------------------------------------------------------------

CSettings withEntries(std::initializer_list<const char*> names, bool saveAccounts) {
    CSettings s;
    s.m_bSaveUserAndPassword = saveAccounts;
    for (const char* name : names) {
        s.rememberEntry(name);
    }
    for (std::size_t i = 0; i < s.m_astrEntryNames.size(); ++i) {
        s.m_astrUserIds[i] = "user" + std::to_string(i);
        s.m_astrPasswords[i] = "secret" + std::to_string(i);
    }
    return s;
}

void settingsFiles() {
    const auto saveSettings = [](const char* name, const CSettings& s) {
        saveArchive("settings_file", name, [&](fw::Archive& ar) { WriteSettings(ar, s); });
    };
    saveSettings("defaults", CSettings{});

    CSettings one = withEntries({"Sample Dial-up"}, true);
    one.m_bKeepDialing = 1;
    saveSettings("one-entry", one);

    CSettings unsaved = withEntries({"Office Line"}, false);
    unsaved.m_bAutoDial = 1;
    unsaved.m_bStartMinimized = 1;
    saveSettings("one-entry-account-unsaved", unsaved);

    CSettings several = withEntries({"Sample Dial-up", "Office Line", "Home ISP"}, true);
    several.m_nCurrentEntry = 1;
    several.m_bStartWithWindows = 1;
    several.m_bStartProgram = 1;
    several.m_strProgramPath = "C:\\Program Files\\Mail\\mail.exe";
    several.m_bPlaySound = 1;
    several.m_strSoundPath = "C:\\WINDOWS\\Media\\tada.wav";
    several.m_bDialBySchedule = 1;
    saveSettings("several-entries", several);

    CSettings longStrings = withEntries({k255.c_str()}, true);
    longStrings.m_bStartProgram = 1;
    longStrings.m_strProgramPath = k254;
    longStrings.m_bPlaySound = 1;
    longStrings.m_strSoundPath = k255;
    longStrings.m_astrUserIds[0] = k254;
    saveSettings("strings-254-255", longStrings);

    // The program path in the wide form, the rest as the writer has it.
    saveArchive("settings_file", "wide-string", [&](fw::Archive& ar) {
        for (const std::int32_t field : {0, 0, 0, 0, 0, 1}) {
            ar.writeInt32(field);
        }
        writeWide(ar, u"C:\\Program Files\\\u00C9t\u00E9\\mail.exe");
        ar.writeInt32(0);
        ar.writeString("");
        for (const std::int32_t field : {0, 1, 0}) {
            ar.writeInt32(field);
        }
        writeWide(ar, u"Wide Entry");
        ar.writeString("");
        ar.writeString("");
    });
}

// --- Tasks.dat --------------------------------------------------------------------------------

void taskFiles() {
    const auto saveTasks = [](const char* name, const CTaskList& tasks) {
        saveArchive("task_file", name, [&](fw::Archive& ar) { WriteTasks(ar, tasks); });
    };
    // 2001-09-10 08:30:00 UTC and later.
    constexpr std::int32_t kMorning = 1000110600;
    const CTasks daily("Morning mail", "Sample Dial-up", kMorning, 0, 0, kRecurDaily, 0);
    const CTasks weekly("Weekly news", "Office Line", kMorning + 3600, 30, 1, kRecurWeekly, 0);
    const CTasks monthly("Monthly backup", "Home ISP", kMorning + 7200, 120, 1, kRecurMonthly, 0);
    const CTasks number("Five days", "Sample Dial-up", kMorning + 60, 0, 0, kRecurNumber, 5);
    CTasks disabled("Switched off", "Office Line", kMorning, 15, 1, kRecurDaily, 0);
    disabled.m_bDisabled = 1;

    saveTasks("empty", {});
    saveTasks("one-daily", {daily});
    saveTasks("one-weekly", {weekly});
    saveTasks("one-monthly", {monthly});
    saveTasks("one-number", {number});
    saveTasks("several", {daily, weekly, monthly, number, disabled});
    saveTasks("strings-254-255", {CTasks(k254, k255, kMorning, 0, 0, kRecurDaily, 0)});
    saveArchive("task_file", "wide-string", [&](fw::Archive& ar) {
        ar.writeInt32(1);
        writeWide(ar, u"Caf\u00E9 task");
        writeWide(ar, u"Sample Dial-up");
        for (std::int32_t field : {kMorning, 0, 0, 0, static_cast<std::int32_t>(kRecurWeekly), 0}) {
            ar.writeInt32(field);
        }
    });
}

// --- .dnx -------------------------------------------------------------------------------------

RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

void dnxFiles() {
    const auto saveEntry = [](const char* name, const DnxEntry& entry) {
        saveArchive("dnx_file", name, [&](fw::Archive& ar) { WriteDnx(ar, entry); });
    };
    constexpr std::uint32_t kString = 1;
    constexpr std::uint32_t kBinary = 3;
    constexpr std::uint32_t kNumber = 4;
    const std::string one("\x01\x00\x00\x00", 4);

    DnxEntry full{"Sample Dial-up", {}};
    full.values[0] =
        value(kBinary, std::string("\x01\x00\xFF\x7F", 4) + "5551234" + std::string(40, '\0'));
    full.values[1] = value(kBinary, std::string("\x0A\x00\x00\x01\x00\x00\x00\x00", 8));
    full.values[2] = value(kNumber, one);
    full.values[3] = value(kNumber, std::string(4, '\0'));
    full.values[4] = value(kString, std::string("\0", 1));
    full.values[5] = value(kNumber, std::string(4, '\0'));
    full.values[6] = value(kString, std::string("bob\0", 4));
    saveEntry("all-values", full);

    DnxEntry addressOnly{"Office Line", {}};
    addressOnly.values[0] = value(kBinary, std::string("\x01\x00\xFF\x7F", 4) + "5550000");
    saveEntry("addresses-only", addressOnly);

    DnxEntry largest{k255, {}};
    largest.values[0] = value(kBinary, std::string(kTransferBufferSize, '\x5A'));
    largest.values[6] = value(kString, std::string(254, 'u') + '\0');
    saveEntry("name-255-value-999", largest);

    saveArchive("dnx_file", "wide-name", [&](fw::Archive& ar) {
        ar.writeBytes("DNX1", 4);
        writeWide(ar, u"Caf\u00E9 Line");
        ar.writeUInt32(1);
        ar.writeUInt32(4);
        ar.writeUInt32(kNumber);
        ar.writeBytes(one.data(), one.size());
        for (int i = 1; i < 7; ++i) {
            ar.writeUInt32(0);
        }
    });
}

// --- .lnk -------------------------------------------------------------------------------------

void shortcutFiles() {
    // The template shortcut of the distribution image (package/make_template_shortcut.cpp), and
    // as Setup repoints it at the folder the user chose (setup/install/shortcuts.cpp).
    const std::string program = "C:\\Program Files\\Kestrune\\Ondrel";
    const std::string chosen = "D:\\Apps\\Dial-up Tools";
    const std::pair<const char*, fw::shortcut::Shortcut> links[] = {
        {"template",
         {program + "\\Ondrel.exe", "", "Ondrel v1.3", program, program + "\\Ondrel.exe"}},
        {"installed", {chosen + "\\Ondrel.exe", "", "", chosen, chosen + "\\Ondrel.exe"}},
        {"arguments-hotkey", {"C:\\A.exe", "-x", "D", "C:\\", "C:\\A.exe", 2, 7, 0x0641}},
    };
    for (const auto& [name, link] : links) {
        save("shortcut_file", name, fw::shortcut::write(link));
    }
    save("shortcut_file", "wine-saved", wineSavedShortcut());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: fuzz_corpus_generator <corpus folder>\n", stderr);
        return 2;
    }
    root = argv[1];
    settingsFiles();
    taskFiles();
    dnxFiles();
    shortcutFiles();
    return 0;
}
