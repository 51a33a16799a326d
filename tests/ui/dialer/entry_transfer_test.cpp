// "&Save Dial-up to File..." and "&Import Dial-up..." in the Options dialog: the files written,
// the registry values recreated, and bad files refused before anything changes.
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "dialer_fixture.h"
#include "settings_bytes.h"

namespace {

namespace reg = fw::reg;

constexpr const char* kAddresses = "RemoteAccess\\Addresses";
const std::string kProfile = "RemoteAccess\\Profile\\";
const char* const kProfileNames[] = {"IP", "Mode", "MultiLink", "PPPScript", "Terminal", "User"};
constexpr const char* kFilter = "Connection Files (*.dnx) | *.dnx; ||";
constexpr const char* kInvalidText =
    "The File you have specified is either corrupt or not an \nOndrel Dial-up Networking file.";

// One value of an entry file: present, its size, its type, its data.
std::string record(std::int32_t type, const std::string& data) {
    return le32(1) + le32(static_cast<std::int32_t>(data.size())) + le32(type) + data;
}
const std::string kAbsent = le32(0);
// "IP" to "Terminal" absent.
const std::string kFiveAbsent(20, '\0');
// A new entry's file: its phonebook value, and "User" only of the profile.
const std::string kNewLine =
    "DNX1\x08New Line" + record(3, "line") + kFiveAbsent + record(1, std::string("me\0", 3));

struct Value {
    std::uint32_t type = 0;
    std::string data;
    bool operator==(const Value&) const = default;
};
// Those of an entry's seven values the registry holds: "Addresses", then the profile's.
using Values = std::map<std::string, Value>;

class EntryTransferTest : public OptionsTest {
  protected:
    static void setValue(const std::string& key, const std::string& name, const Value& value) {
        reg::Key k;
        ASSERT_EQ(k.create(key), reg::kSuccess);
        ASSERT_EQ(k.set(name, value.type, value.data.data(),
                        static_cast<std::uint32_t>(value.data.size())),
                  reg::kSuccess);
    }
    static std::optional<Value> getValue(const std::string& key, const std::string& name) {
        reg::Key k;
        std::string data(4096, '\0');
        auto size = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = 0;
        if (k.open(key) != reg::kSuccess ||
            k.query(name, data.data(), &size, &type) != reg::kSuccess) {
            return std::nullopt;
        }
        data.resize(size);
        return Value{type, data};
    }
    static Values entryValues(const std::string& name) {
        Values values;
        if (const std::optional<Value> address = getValue(kAddresses, name)) {
            values["Addresses"] = *address;
        }
        for (const char* value : kProfileNames) {
            if (const std::optional<Value> held = getValue(kProfile + name, value)) {
                values[value] = *held;
            }
        }
        return values;
    }
    // Export (IDC_SAVE_DIALUP) or import (IDC_IMPORT_DIALUP) with this file chosen, or none.
    void transfer(int button, const std::optional<std::string>& path) {
        driver.answerFileDialog(path);
        driver.click(*options, button);
    }
    void exportTo(const std::optional<std::string>& path) { transfer(IDC_SAVE_DIALUP, path); }
    void importFrom(const std::optional<std::string>& path) { transfer(IDC_IMPORT_DIALUP, path); }
    std::string dnxPath(const std::string& name) const { return folder + "\\" + name; }
};

TEST_F(EntryTransferTest, ExportWritesTheChosenEntryByteForByte) {
    addEntry("Home");
    addEntry("Work");
    const std::string profile = kProfile + "Work";
    setValue(kAddresses, "Work", {3, "\x01\x02\x03"});
    setValue(profile, "IP", {3, std::string("\x0A\0\0\x01\0\0\0\0", 8)});
    setValue(profile, "Mode", {4, std::string("\x01\0\0\0", 4)});
    setValue(profile, "PPPScript", {3, std::string(999, 'p')});
    setValue(profile, "Terminal", {3, std::string(1000, 't')});  // too large to travel
    setValue(profile, "User", {1, std::string("bob\0", 4)});
    reg::Key key;
    ASSERT_EQ(key.open(profile), reg::kSuccess);
    ASSERT_EQ(key.remove("MultiLink"), reg::kSuccess);
    key.close();
    openOptions("Home");

    // The entry chosen in the list, not the one the dialog opened with, is saved, and every
    // control is taken into the members.
    driver.choose(*options, IDC_ENTRY_LIST, 1);
    driver.click(*options, IDC_START_MINIMIZED);
    exportTo(dnxPath("work.dnx"));

    const std::string expected = "DNX1" + std::string("\x04Work") + record(3, "\x01\x02\x03") +
                                 record(3, std::string("\x0A\0\0\x01\0\0\0\0", 8)) +
                                 record(4, std::string("\x01\0\0\0", 4)) + kAbsent +
                                 record(3, std::string(999, 'p')) + kAbsent +
                                 record(1, std::string("bob\0", 4));
    EXPECT_EQ(driver.readFile(dnxPath("work.dnx")), expected);
    EXPECT_EQ(std::tie(options->m_strEntryName, options->m_nEntryIndex,
                       options->m_options.m_bStartMinimized),
              std::make_tuple(std::string("Work"), 1, 1));
    EXPECT_TRUE(driver.messageBoxes().empty());
    ASSERT_EQ(driver.fileDialogs().size(), 1u);
    // Hide the read-only box (4), prompt before overwriting (2).
    EXPECT_EQ(fileDialog(0, *options), "save|" + std::string(kFilter) + "|6||");
}

TEST_F(EntryTransferTest, ExportThenImportRecreatesTheEntryWithItsTypes) {
    addEntry("Home");
    // Types beyond the simulated service's own: a multi-string and an expandable string.
    setValue(kProfile + "Home", "User", {7, std::string("a\0b\0\0", 5)});
    setValue(kProfile + "Home", "PPPScript", {2, std::string("%X%\0", 4)});
    const Values before = entryValues("Home");
    EXPECT_EQ(before.size(), 7u);
    openOptions("Home");
    exportTo(dnxPath("home.dnx"));
    removeEntry("Home");
    ASSERT_FALSE(getValue(kAddresses, "Home").has_value());

    importFrom(dnxPath("home.dnx"));
    EXPECT_EQ(entryValues("Home"), before);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(listItems(*options), std::vector<std::string>{"Home"}) << "no second item";
    EXPECT_EQ(selection(*options), 0);
    ASSERT_EQ(driver.fileDialogs().size(), 2u);
    EXPECT_EQ(fileDialog(1, *options), "open|" + std::string(kFilter) + "|6||");
}

TEST_F(EntryTransferTest, AnEntryThePhonebookDoesNotHoldIsNotListed) {
    addEntry("Work");
    removeLater("New Line");
    const struct {
        const char* what;
        std::string file;
        bool phonebook;
    } rows[] = {
        // Only "User" is present: the profile is written, but no phonebook value names the entry.
        {"no phonebook value",
         "DNX1\x08New Line" + kAbsent + kFiveAbsent + record(1, std::string("me\0", 3)), true},
        // Without the Addresses key, which the import never creates, there is no phonebook to
        // write the value to.
        {"no phonebook", kNewLine, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.phonebook) {
            removeEntry("Work");
            ASSERT_EQ(fw::test::deleteTree(kAddresses), reg::kSuccess);
        }
        driver.writeFile(dnxPath("in.dnx"), row.file);
        openOptions("Work");
        importFrom(dnxPath("in.dnx"));

        EXPECT_EQ(boxes(),
                  std::vector{shownBox(
                      "The dial-up connection New Line could not be added to the phonebook.",
                      "Error: Dial-up Not Added", fw::mb::kOk | fw::mb::kIconExclamation)});
        EXPECT_EQ(options->m_strEntryName, "Work");
        EXPECT_EQ(listItems(*options),
                  row.phonebook ? std::vector<std::string>{"Work"} : std::vector<std::string>{});
        // The registry writes are made as they come; only the listing waits for the phonebook.
        EXPECT_EQ(entryValues("New Line"), (Values{{"User", {1, std::string("me\0", 3)}}}));
        driver.click(*options, fw::kIdCancel);
        driver.clearRecords();
    }
}

TEST_F(EntryTransferTest, BadFilesChangeNothing) {
    addEntry("Home");
    const Values before = entryValues("Home");
    const std::vector<std::string> phonebook = ras::sim::entryNames();
    // Each file would otherwise replace the Addresses value of "Home" before its fault shows.
    const std::string head = "DNX1\x04Home" + record(3, "replaced");
    const std::string rest = kFiveAbsent + kAbsent;
    const std::string pastTheEnd =
        "An attempt was made to access " + dnxPath("bad.dnx") + " past its end.";
    const struct {
        const char* what;
        std::string data, message;
    } rows[] = {
        {"shorter than the magic", "DNX", pastTheEnd},
        {"another magic", "DNXI\x04Home" + record(3, "replaced") + rest, kInvalidText},
        {"1,000-byte record", head + record(3, std::string(1000, 'x')) + kFiveAbsent, kInvalidText},
        {"record larger than the file", head + le32(1) + le32(64) + le32(3) + "short",
         kInvalidText},
        {"empty name", "DNX1" + std::string(1, '\0') + record(3, "replaced") + rest, kInvalidText},
        {"257-character name", "DNX1\xFF\x01\x01" + std::string(257, 'n') + record(3, "r") + rest,
         kInvalidText},
        {"backslash in the name", "DNX1\x09Home\\Evil" + record(3, "replaced") + rest,
         kInvalidText},
        {"control character in the name", "DNX1\x05Home\x1B" + record(3, "replaced") + rest,
         kInvalidText},
        {"ends inside the last record's data",
         head + kFiveAbsent + le32(1) + le32(8) + le32(1) + "eve", kInvalidText},
        {"ends before the last record", head + kFiveAbsent, pastTheEnd},
    };
    openOptions("Home");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        driver.clearRecords();
        driver.writeFile(dnxPath("bad.dnx"), row.data);
        importFrom(dnxPath("bad.dnx"));

        // The invalid-file box, or the framework's file-error box.
        const bool invalid = row.message == kInvalidText;
        EXPECT_EQ(boxes(),
                  std::vector{shownBox(
                      row.message, invalid ? "Error: Invalid File!" : "Ondrel",
                      fw::mb::kOk | (invalid ? fw::mb::kIconExclamation : fw::mb::kIconStop))});
        EXPECT_EQ(driver.messageBoxes().at(0).owner, options->handle());
        EXPECT_EQ(entryValues("Home"), before);
        EXPECT_EQ(ras::sim::entryNames(), phonebook);
        EXPECT_EQ(options->m_strEntryName, "Home");
        EXPECT_EQ(listItems(*options), std::vector<std::string>{"Home"});
        EXPECT_EQ(selection(*options), 0);
    }
    // No profile under another name either.
    for (const char* name : {"Home\\Evil", "Home\x1B"}) {
        reg::Key key;
        EXPECT_NE(key.open(kProfile + name), reg::kSuccess);
    }
}

TEST_F(EntryTransferTest, ExportWithoutAnEntryOrAfterCancelWritesNothing) {
    addEntry("Home");
    openOptions("Gone");  // matches no entry: nothing is selected
    ASSERT_EQ(selection(*options), -1);

    exportTo(std::nullopt);
    importFrom(std::nullopt);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(driver.fileDialogs().size(), 2u);

    exportTo(dnxPath("none.dnx"));
    EXPECT_EQ(boxes(), std::vector{shownBox("You must choose a connection to save first.",
                                            "Error: No Connection Selected",
                                            fw::mb::kOk | fw::mb::kIconExclamation)});
    EXPECT_FALSE(driver.readFile(dnxPath("none.dnx")).has_value());
    EXPECT_EQ(options->m_strEntryName, "Gone");
}

}  // namespace
