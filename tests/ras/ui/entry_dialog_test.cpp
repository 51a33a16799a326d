// The simulated service's create and edit dialogs, the same on both backends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/registry.h"
#include "framework/test_driver.h"
#include "platform/ras/devices.h"
#include "platform/ras/phonebook.h"
#include "platform/res/simulated_ras_resource.h"
#include "ras_test_resource.h"
#include "simulated_service.h"

namespace {

namespace reg = fw::reg;
using fw::test::Driver;
using ras::sim::Entry;
using ras::sim::Line;

class EntryDialogTest : public ::testing::Test {
  protected:
    EntryDialogTest() {
        // On win32 the registry is the real one.
        fw::test::deleteTree("RemoteAccess");
        EXPECT_TRUE(driver.open(owner));
    }
    ~EntryDialogTest() override { fw::test::deleteTree("RemoteAccess"); }

    // The value's type, kNone when it is missing.
    static std::uint32_t typeOf(const std::string& key, const std::string& name) {
        reg::Key opened;
        unsigned char data[1024];
        std::uint32_t size = sizeof data;
        std::uint32_t type = reg::kNone;
        return opened.open(key) == reg::kSuccess &&
                       opened.query(name, data, &size, &type) == reg::kSuccess
                   ? type
                   : reg::kNone;
    }

    ras::Dword create() const { return RasCreatePhonebookEntryA(ras::ownerOf(&owner), nullptr); }
    ras::Dword edit() const {
        return RasEditPhonebookEntryA(ras::ownerOf(&owner), nullptr, "Work");
    }

    Driver driver;
    fw::Dialog owner{IDD_RAS_TEST_OWNER};
    SimulatedService simulated{driver};
};

TEST_F(EntryDialogTest, NewEntryIsWrittenWithItsSevenValues) {
    driver.onModal(IDD_RAS_ENTRY, [](Driver& d, fw::Dialog& dialog) {
        EXPECT_EQ(dialog.text(), "New Dial-Up Entry");
        EXPECT_FALSE(dialog.item(IDC_RAS_COUNT).isEnabled());
        d.type(dialog, IDC_RAS_NAME, "Work");
        d.type(dialog, IDC_RAS_PHONE, "555-0199");
        d.choose(dialog, IDC_RAS_DEVICE, 2);
        d.choose(dialog, IDC_RAS_LINE, 6);  // answers, then drops after N seconds
        EXPECT_TRUE(dialog.item(IDC_RAS_COUNT).isEnabled());
        d.type(dialog, IDC_RAS_COUNT, "30");
        d.click(dialog, fw::kIdOk);
    });
    EXPECT_EQ(create(), ras::kSuccess);

    EXPECT_EQ(ras::sim::readEntry("Work"),
              (Entry{Line::dropsAfter, 30, "555-0199", ras::sim::devices()[2].name}));
    EXPECT_EQ(typeOf(ras::sim::kAddressesKey, "Work"), reg::kBinary);
    const struct {
        const char* name;
        std::uint32_t type;
    } profile[] = {
        {"IP", reg::kBinary},        {"Mode", reg::kDword},      {"MultiLink", reg::kDword},
        {"PPPScript", reg::kString}, {"Terminal", reg::kBinary}, {"User", reg::kString},
    };
    for (const auto& row : profile) {
        EXPECT_EQ(typeOf(ras::sim::profileKey("Work"), row.name), row.type) << row.name;
    }
    EXPECT_TRUE(driver.messageBoxes().empty());
}

TEST_F(EntryDialogTest, NamesThatCannotBeUsedKeepTheDialogOpen) {
    const char* const kBadCharacter =
        "The name of a dial-up entry cannot contain a backslash (\\) or a control character.";
    ASSERT_TRUE(ras::sim::writeEntry("Work", Entry{}));
    const struct {
        std::string name;
        std::string phone;
        const char* message;  // nullptr: accepted
    } rows[] = {
        {"", "", "Type a name for the dial-up entry."},
        {std::string(257, 'n'), "", "The name of a dial-up entry can have at most 256 characters."},
        {"Dial\\Up", "", kBadCharacter},
        {"Tab\there", "", kBadCharacter},
        {"WORK", "", "A dial-up entry named \"WORK\" already exists."},
        {"Home", std::string(129, '5'), "The phone number can have at most 128 characters."},
        {"Home", std::string(128, '5'), nullptr},
        {std::string(256, 'n'), "", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        driver.clearRecords();
        bool stayedOpen = false;
        driver.onModal(IDD_RAS_ENTRY, [&](Driver& d, fw::Dialog& dialog) {
            d.type(dialog, IDC_RAS_NAME, row.name);
            d.type(dialog, IDC_RAS_PHONE, row.phone);
            d.click(dialog, fw::kIdOk);
            stayedOpen = d.isOpen(dialog) && !dialog.ended();
            if (stayedOpen) {
                d.click(dialog, fw::kIdCancel);
            }
        });
        EXPECT_EQ(create(), ras::kSuccess);
        EXPECT_EQ(stayedOpen, row.message != nullptr);
        if (row.message != nullptr) {
            ASSERT_EQ(driver.messageBoxes().size(), 1u);
            EXPECT_EQ(driver.messageBoxes()[0].text, row.message);
            EXPECT_EQ(driver.messageBoxes()[0].caption, "Dial-Up Entry");
            EXPECT_EQ(driver.messageBoxes()[0].type & fw::mb::kIconMask, fw::mb::kIconExclamation);
        }
        EXPECT_EQ(ras::sim::readEntry(row.name).has_value(),
                  row.message == nullptr || row.name == "WORK");
    }
}

TEST_F(EntryDialogTest, EditorShowsTheEntryAndKeepsItsName) {
    const std::string device = ras::sim::devices()[1].name;
    ASSERT_TRUE(ras::sim::writeEntry("Work", Entry{Line::busyFirst, 3, "555-0142", device}));
    driver.onModal(IDD_RAS_ENTRY, [&](Driver& d, fw::Dialog& dialog) {
        EXPECT_EQ(dialog.item(IDC_RAS_NAME).text(), "Work");
        EXPECT_FALSE(dialog.item(IDC_RAS_NAME).isEnabled());
        EXPECT_EQ(dialog.item(IDC_RAS_PHONE).text(), "555-0142");
        EXPECT_EQ(fw::ComboBox(dialog, IDC_RAS_DEVICE).currentSelection(), 1);
        EXPECT_EQ(fw::ComboBox(dialog, IDC_RAS_LINE).currentSelection(), 5);
        EXPECT_EQ(dialog.item(IDC_RAS_COUNT).text(), "3");
        EXPECT_TRUE(dialog.item(IDC_RAS_COUNT).isEnabled());
        d.choose(dialog, IDC_RAS_LINE, 2);  // no answer
        EXPECT_FALSE(dialog.item(IDC_RAS_COUNT).isEnabled());
        d.click(dialog, fw::kIdOk);
    });
    EXPECT_EQ(edit(), ras::kSuccess);
    EXPECT_EQ(ras::sim::readEntry("Work"), (Entry{Line::noAnswer, 3, "555-0142", device}));
    EXPECT_EQ(typeOf(ras::sim::profileKey("Work"), "Mode"), reg::kNone);

    // Cancel changes nothing.
    driver.onModal(IDD_RAS_ENTRY, [](Driver& d, fw::Dialog& dialog) {
        d.type(dialog, IDC_RAS_PHONE, "1");
        d.click(dialog, fw::kIdCancel);
    });
    EXPECT_EQ(edit(), ras::kSuccess);
    EXPECT_EQ(ras::sim::readEntry("Work")->phoneNumber, "555-0142");
}

}  // namespace
