// Writes the seed corpus of the archive and shortcut targets with the programs' own writers: the
// files users have. Run once by the target fuzz_corpus (see corpus/README.md), which also copies
// the compiled resource scripts; its output is committed.
// Usage: fuzz_corpus_generator <corpus folder>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

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

// Texts to be found in a file as the archive writes them (a length byte, then the characters),
// each with what takes its place in the archive's wide form, which only a program built for
// UTF-16 writes: 0xFF, 0xFFFE, the length in UTF-16 units, the units.
using Widened = std::vector<std::pair<std::string, std::u16string>>;

void save(const std::string& target, const std::string& name, std::string bytes,
          const Widened& widened = {}) {
    for (const auto& [text, wide] : widened) {
        std::string form("\xFF\xFE\xFF", 3);
        form += static_cast<char>(wide.size());
        for (const char16_t unit : wide) {
            form += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        }
        const std::string archived = static_cast<char>(text.size()) + text;
        bytes.replace(bytes.find(archived), archived.size(), form);
    }
    fs::create_directories(root / target);
    std::ofstream out(root / target / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.good()) {
        std::fprintf(stderr, "cannot write %s/%s\n", target.c_str(), name.c_str());
        std::exit(1);
    }
}

// What the writer stores of the record, in a sandbox emptied first.
template <typename Record>
std::string stored(void (*write)(fw::Archive&, const Record&), const Record& record) {
    fw::headless::resetSandbox();
    return fuzz::store([&](fw::Archive& ar) { write(ar, record); });
}

const std::string k254(254, 'a');
const std::string k255(255, 'b');

// Ondrel.dat: the options, and entries remembered with an account each.
void settingsFiles() {
    const struct {
        const char* name;
        COptions options;
        std::vector<std::string> entries;
        std::int32_t current = 0;
        Widened widened = {};
    } seeds[] = {
        // The options in their order: save account, keep dialing, start with Windows, dial at
        // start, start minimized, start a program, its path, play a sound, its path, dial by
        // schedule.
        {"defaults", {}, {}},
        {"one-entry", {1, 1}, {"Sample Dial-up"}},
        {"one-entry-account-unsaved", {0, 0, 0, 1, 1}, {"Office Line"}},
        {"several-entries",
         {1, 0, 1, 0, 0, 1, "C:\\Program Files\\Mail\\mail.exe", 1, "C:\\WINDOWS\\Media\\tada.wav",
          1},
         {"Sample Dial-up", "Office Line", "Home ISP"},
         1},
        {"strings-254-255", {1, 0, 0, 0, 0, 1, k254, 1, k255}, {k255}},
        {"wide-string",
         {0, 0, 0, 0, 0, 1, "C:\\Program Files\\Ete\\mail.exe"},
         {"Wide Entry"},
         0,
         {{"C:\\Program Files\\Ete\\mail.exe", u"C:\\Program Files\\\u00C9t\u00E9\\mail.exe"},
          {"Wide Entry", u"Wide Entry"}}},
    };
    for (const auto& seed : seeds) {
        CSettings settings{seed.options};
        for (const std::string& entry : seed.entries) {
            settings.m_nCurrentEntry = settings.rememberEntry(entry);
            const std::string number = std::to_string(settings.m_nCurrentEntry);
            settings.storeAccount("user" + number, "secret" + number);
        }
        settings.m_nCurrentEntry = seed.current;
        save("settings_file", seed.name, stored(WriteSettings, settings), seed.widened);
    }
}

// Tasks.dat: from 2001-09-10 08:30:00 UTC on.
void taskFiles() {
    constexpr std::int32_t kMorning = 1000110600;
    const CTasks daily("Morning mail", "Sample Dial-up", kMorning, 0, 0, kRecurDaily, 0);
    const CTasks weekly("Weekly news", "Office Line", kMorning + 3600, 30, 1, kRecurWeekly, 0);
    const CTasks monthly("Monthly backup", "Home ISP", kMorning + 7200, 120, 1, kRecurMonthly, 0);
    const CTasks number("Five days", "Sample Dial-up", kMorning + 60, 0, 0, kRecurNumber, 5);
    CTasks disabled("Switched off", "Office Line", kMorning, 15, 1, kRecurDaily, 0);
    disabled.m_bDisabled = 1;
    const struct {
        const char* name;
        CTaskList tasks;
        Widened widened = {};
    } seeds[] = {
        {"empty", {}},
        {"one-daily", {daily}},
        {"one-weekly", {weekly}},
        {"one-monthly", {monthly}},
        {"one-number", {number}},
        {"several", {daily, weekly, monthly, number, disabled}},
        {"strings-254-255", {CTasks(k254, k255, kMorning, 0, 0, kRecurDaily, 0)}},
        {"wide-string",
         {CTasks("Cafe task", "Sample Dial-up", kMorning, 0, 0, kRecurWeekly, 0)},
         {{"Cafe task", u"Caf\u00E9 task"}, {"Sample Dial-up", u"Sample Dial-up"}}},
    };
    for (const auto& seed : seeds) {
        save("task_file", seed.name, stored(WriteTasks, seed.tasks), seed.widened);
    }
}

RegValue value(std::uint32_t type, const std::string& data) {
    return {type, {data.begin(), data.end()}};
}

// .dnx: an entry's name and the registry values that travel with it.
void dnxFiles() {
    constexpr std::uint32_t kString = 1;
    constexpr std::uint32_t kBinary = 3;
    constexpr std::uint32_t kNumber = 4;
    const std::string one("\x01\x00\x00\x00", 4);
    const std::string zero(4, '\0');
    const std::string address = std::string("\x01\x00\xFF\x7F", 4) + "555";
    const struct {
        const char* name;
        DnxEntry entry;
        Widened widened = {};
    } seeds[] = {
        {"all-values",
         {"Sample Dial-up",
          {value(kBinary, address + "1234" + std::string(40, '\0')),
           value(kBinary, std::string("\x0A\x00\x00\x01\x00\x00\x00\x00", 8)), value(kNumber, one),
           value(kNumber, zero), value(kString, std::string("\0", 1)), value(kNumber, zero),
           value(kString, std::string("bob\0", 4))}}},
        {"addresses-only", {"Office Line", {value(kBinary, address + "0000")}}},
        {"name-255-value-999",
         {k255,
          {value(kBinary, std::string(kTransferBufferSize, '\x5A')),
           {},
           {},
           {},
           {},
           {},
           value(kString, std::string(254, 'u') + '\0')}}},
        {"wide-name", {"Cafe Line", {value(kNumber, one)}}, {{"Cafe Line", u"Caf\u00E9 Line"}}},
    };
    for (const auto& seed : seeds) {
        save("dnx_file", seed.name, stored(WriteDnx, seed.entry), seed.widened);
    }
}

// .lnk: the template shortcut of the distribution image (package/make_template_shortcut.cpp),
// as Setup repoints it at the folder the user chose (setup/install/shortcuts.cpp), one with
// arguments and a hot key, and one that Wine's shell link object saved.
void shortcutFiles() {
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
