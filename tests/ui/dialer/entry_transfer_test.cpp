// "&Save Dial-up to File..." and "&Import Dial-up..." in the Options dialog: the files written,
// the registry values recreated, and bad files refused before anything changes.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialer/options/options_dlg.h"
#include "dialer_fixture.h"
#include "framework/file_dialog.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/save_file.h"
#include "resource.h"

namespace {

namespace reg = fw::reg;

constexpr const char* kAddresses = "RemoteAccess\\Addresses";
const char* const kProfileNames[] = {"IP", "Mode", "MultiLink", "PPPScript", "Terminal", "User"};
constexpr const char* kFilter = "Connection Files (*.dnx) | *.dnx; ||";
constexpr const char* kInvalidText =
    "The File you have specified is either corrupt or not an \nOndrel Dial-up Networking file.";

std::string u32(std::uint32_t value) {
    std::string out;
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>(value >> shift & 0xFF);
    }
    return out;
}
std::string record(std::uint32_t type, const std::string& data) {
    return u32(1) + u32(static_cast<std::uint32_t>(data.size())) + u32(type) + data;
}
const std::string kAbsent = u32(0);

struct Value {
    std::uint32_t type = 0;
    std::string data;
    bool operator==(const Value&) const = default;
};
// An entry's seven values as the registry holds them: "Addresses", then the profile's.
using Values = std::map<std::string, std::optional<Value>>;

class EntryTransferTest : public DialerTest {
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
        if (k.open(key) != reg::kSuccess) {
            return std::nullopt;
        }
        std::string data(4096, '\0');
        auto size = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = 0;
        if (k.query(name, data.data(), &size, &type) != reg::kSuccess) {
            return std::nullopt;
        }
        data.resize(size);
        return Value{type, data};
    }
    static Values entryValues(const std::string& name) {
        Values values{{"Addresses", getValue(kAddresses, name)}};
        for (const char* value : kProfileNames) {
            values[value] = getValue("RemoteAccess\\Profile\\" + name, value);
        }
        return values;
    }
    // The names of the phonebook's Addresses values.
    static std::vector<std::string> addressNames() {
        reg::Key addresses;
        std::vector<std::string> names;
        std::string name;
        addresses.open(kAddresses);
        while (addresses.isOpen() && addresses.enumValue(static_cast<std::uint32_t>(names.size()),
                                                         &name) == reg::kSuccess) {
            names.push_back(name);
        }
        return names;
    }
    static void deleteEntry(const std::string& name) {
        reg::Key addresses;
        ASSERT_EQ(addresses.open(kAddresses), reg::kSuccess);
        ASSERT_EQ(addresses.remove(name), reg::kSuccess);
        ASSERT_EQ(fw::test::deleteTree("RemoteAccess\\Profile\\" + name), reg::kSuccess);
    }

    // Opens the Options dialog on the entry.
    void openOptions(const std::string& entryName) {
        options.m_strEntryName = entryName;
        ASSERT_TRUE(driver.open(options));
    }
    fw::ComboBox entryList() const { return fw::ComboBox(options, IDC_ENTRY_LIST); }
    std::vector<std::string> listItems() const {
        std::vector<std::string> items;
        for (int i = 0; i < entryList().count(); ++i) {
            items.push_back(entryList().itemText(i));
        }
        return items;
    }
    std::string selectedItem() const {
        const int selected = entryList().currentSelection();
        return selected < 0 ? "(none)" : entryList().itemText(selected);
    }

    void exportTo(const std::optional<std::string>& path) {
        driver.answerFileDialog(path);
        driver.click(options, IDC_SAVE_DIALUP);
    }
    void importFrom(const std::optional<std::string>& path) {
        driver.answerFileDialog(path);
        driver.click(options, IDC_IMPORT_DIALUP);
    }
    std::string dnxPath(const std::string& name) const { return folder + "\\" + name; }

    COptionsDlg options{nullptr, service};
};

TEST_F(EntryTransferTest, ExportWritesTheChosenEntryByteForByte) {
    addEntry("Home");
    addEntry("Work");
    const std::string profile = "RemoteAccess\\Profile\\Work";
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
    driver.choose(options, IDC_ENTRY_LIST, 1);
    driver.click(options, IDC_START_MINIMIZED);
    exportTo(dnxPath("work.dnx"));

    const std::string expected = "DNX1" + std::string("\x04Work") + record(3, "\x01\x02\x03") +
                                 record(3, std::string("\x0A\0\0\x01\0\0\0\0", 8)) +
                                 record(4, std::string("\x01\0\0\0", 4)) + kAbsent +
                                 record(3, std::string(999, 'p')) + kAbsent +
                                 record(1, std::string("bob\0", 4));
    EXPECT_EQ(driver.readFile(dnxPath("work.dnx")), expected);
    EXPECT_FALSE(driver.readFile(dnxPath("work.dnx") + fw::kSaveSuffix).has_value());
    EXPECT_EQ(options.m_strEntryName, "Work");
    EXPECT_EQ(options.m_nEntryIndex, 1);
    EXPECT_EQ(options.m_options.m_bStartMinimized, 1);
    EXPECT_TRUE(driver.messageBoxes().empty());
    ASSERT_EQ(driver.fileDialogs().size(), 1u);
    const fw::test::FileDialogRecord& dialog = driver.fileDialogs()[0];
    EXPECT_FALSE(dialog.open);
    EXPECT_EQ(dialog.filter, kFilter);
    EXPECT_EQ(dialog.flags, fw::kOfnHideReadOnly | fw::kOfnOverwritePrompt);
    EXPECT_EQ(dialog.defaultExt, "");
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(dialog.owner, options.handle());
}

TEST_F(EntryTransferTest, ExportThenImportRecreatesTheEntryWithItsTypes) {
    addEntry("Home");
    // Types beyond the simulated service's own: a multi-string and an expandable string.
    setValue("RemoteAccess\\Profile\\Home", "User", {7, std::string("a\0b\0\0", 5)});
    setValue("RemoteAccess\\Profile\\Home", "PPPScript", {2, std::string("%X%\0", 4)});
    const Values before = entryValues("Home");
    for (const auto& [name, value] : before) {
        EXPECT_TRUE(value.has_value()) << name;
    }
    openOptions("Home");
    exportTo(dnxPath("home.dnx"));
    deleteEntry("Home");
    ASSERT_FALSE(getValue(kAddresses, "Home").has_value());

    importFrom(dnxPath("home.dnx"));
    EXPECT_EQ(entryValues("Home"), before);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(listItems(), std::vector<std::string>{"Home"}) << "no second item";
    EXPECT_EQ(selectedItem(), "Home");
    ASSERT_EQ(driver.fileDialogs().size(), 2u);
    const fw::test::FileDialogRecord& dialog = driver.fileDialogs()[1];
    EXPECT_TRUE(dialog.open);
    EXPECT_EQ(dialog.filter, kFilter);
    EXPECT_EQ(dialog.flags, fw::kOfnHideReadOnly | fw::kOfnOverwritePrompt);
    EXPECT_EQ(dialog.owner, options.handle());
}

TEST_F(EntryTransferTest, ImportOfANewNameAddsItToTheListAndSelectsIt) {
    addEntry("Home");
    addEntry("Work");
    removeLater("New Line");
    driver.writeFile(dnxPath("in.dnx"), "DNX1\x08New Line" + record(3, "line") +
                                            std::string(20, '\0') +
                                            record(1, std::string("me\0", 3)));
    openOptions("Work");
    importFrom(dnxPath("in.dnx"));

    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(options.m_strEntryName, "New Line");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"Home", "New Line", "Work"}));
    EXPECT_EQ(selectedItem(), "New Line");
    driver.click(options, fw::kIdOk);
    EXPECT_EQ(options.m_strEntryName, "New Line");
}

TEST_F(EntryTransferTest, AnEntryThePhonebookDoesNotHoldIsNotListed) {
    addEntry("Work");
    removeLater("New Line");
    // Only "User" is present: the profile is written, but no phonebook value names the entry.
    const std::string onlyUser =
        "DNX1\x08New Line" + kAbsent + std::string(20, '\0') + record(1, std::string("me\0", 3));
    // A phonebook value the registry could not take: without the Addresses key, which the import
    // never creates, there is no phonebook to write it to.
    const std::string withAddresses = "DNX1\x08New Line" + record(3, "line") +
                                      std::string(20, '\0') + record(1, std::string("me\0", 3));
    for (const std::string& data : {onlyUser, withAddresses}) {
        const bool noPhonebook = data == withAddresses;
        if (noPhonebook) {
            deleteEntry("Work");
            ASSERT_EQ(fw::test::deleteTree(kAddresses), reg::kSuccess);
        }
        driver.writeFile(dnxPath("in.dnx"), data);
        openOptions("Work");
        importFrom(dnxPath("in.dnx"));

        ASSERT_NO_FATAL_FAILURE(expectOnlyMessageBox(
            "The dial-up connection New Line could not be added to the phonebook.",
            "Error: Dial-up Not Added", fw::mb::kOk | fw::mb::kIconExclamation));
        EXPECT_EQ(options.m_strEntryName, "Work");
        EXPECT_EQ(listItems(),
                  noPhonebook ? std::vector<std::string>{} : std::vector<std::string>{"Work"});
        // The registry writes are made as they come; only the listing waits for the phonebook.
        Values expected{{"Addresses", std::nullopt}};
        for (const char* name : kProfileNames) {
            expected[name] = std::nullopt;
        }
        expected["User"] = Value{1, std::string("me\0", 3)};
        EXPECT_EQ(entryValues("New Line"), expected);
        driver.click(options, fw::kIdCancel);
        driver.clearRecords();
    }
}

TEST_F(EntryTransferTest, BadFilesChangeNothing) {
    addEntry("Home");
    const Values before = entryValues("Home");
    const std::vector<std::string> phonebook = addressNames();
    // Each file would otherwise replace the Addresses value of "Home" before its fault shows.
    const std::string head = "DNX1\x04Home" + record(3, "replaced");
    const std::string fiveAbsent(20, '\0');  // "IP" to "Terminal"
    const std::string endOfFile = "past its end";
    const struct {
        const char* what;
        std::string data;
        std::string message;  // the invalid-file text, or endOfFile
    } rows[] = {
        {"shorter than the magic", "DNX", endOfFile},
        {"another magic", "DNXI\x04Home" + record(3, "replaced") + fiveAbsent + kAbsent,
         kInvalidText},
        {"1,000-byte record", head + record(3, std::string(1000, 'x')) + fiveAbsent, kInvalidText},
        {"record larger than the file", head + u32(1) + u32(64) + u32(3) + "short", kInvalidText},
        {"empty name",
         "DNX1" + std::string(1, '\0') + record(3, "replaced") + std::string(24, '\0'),
         kInvalidText},
        {"257-character name",
         "DNX1\xFF\x01\x01" + std::string(257, 'n') + record(3, "r") + std::string(24, '\0'),
         kInvalidText},
        {"backslash in the name",
         "DNX1\x09Home\\Evil" + record(3, "replaced") + std::string(24, '\0'), kInvalidText},
        {"control character in the name",
         "DNX1\x05Home\x1B" + record(3, "replaced") + std::string(24, '\0'), kInvalidText},
        {"ends inside the last record's data", head + fiveAbsent + u32(1) + u32(8) + u32(1) + "eve",
         kInvalidText},
        {"ends before the last record", head + fiveAbsent, endOfFile},
    };
    openOptions("Home");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        driver.clearRecords();
        driver.writeFile(dnxPath("bad.dnx"), row.data);
        importFrom(dnxPath("bad.dnx"));

        ASSERT_EQ(driver.messageBoxes().size(), 1u);
        const fw::test::MessageBoxRecord& box = driver.messageBoxes()[0];
        if (row.message == endOfFile) {
            EXPECT_EQ(box.text,
                      "An attempt was made to access " + dnxPath("bad.dnx") + " past its end.");
            EXPECT_EQ(box.type, fw::mb::kOk | fw::mb::kIconStop);
        } else {
            EXPECT_EQ(box.text, row.message);
            EXPECT_EQ(box.caption, "Error: Invalid File!");
            EXPECT_EQ(box.type, fw::mb::kOk | fw::mb::kIconExclamation);
        }
        EXPECT_EQ(box.owner, options.handle());
        EXPECT_EQ(entryValues("Home"), before);
        EXPECT_EQ(addressNames(), phonebook);
        EXPECT_EQ(options.m_strEntryName, "Home");
        EXPECT_EQ(listItems(), std::vector<std::string>{"Home"});
        EXPECT_EQ(selectedItem(), "Home");
    }
    // No profile under another name either.
    for (const char* name : {"Home\\Evil", "Home\x1B"}) {
        reg::Key key;
        EXPECT_NE(key.open(std::string("RemoteAccess\\Profile\\") + name), reg::kSuccess);
    }
}

TEST_F(EntryTransferTest, ExportWithoutAnEntryOrAfterCancelWritesNothing) {
    addEntry("Home");
    openOptions("Gone");  // matches no entry: nothing is selected
    ASSERT_EQ(selectedItem(), "(none)");

    exportTo(std::nullopt);
    importFrom(std::nullopt);
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_EQ(driver.fileDialogs().size(), 2u);

    exportTo(dnxPath("none.dnx"));
    ASSERT_NO_FATAL_FAILURE(expectOnlyMessageBox("You must choose a connection to save first.",
                                                 "Error: No Connection Selected",
                                                 fw::mb::kOk | fw::mb::kIconExclamation));
    EXPECT_FALSE(driver.readFile(dnxPath("none.dnx")).has_value());
    EXPECT_FALSE(driver.readFile(dnxPath("none.dnx") + fw::kSaveSuffix).has_value());
    EXPECT_EQ(options.m_strEntryName, "Gone");
}

}  // namespace
