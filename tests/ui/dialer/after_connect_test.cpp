// What follows a connection (the program, then the sound, then the tray), and the entry's editor.
#include <string>
#include <tuple>
#include <vector>

#include "dialing_fixture.h"
#include "platform/res/simulated_ras_resource.h"

namespace {

using AfterConnectTest = DialingTest;

TEST_F(AfterConnectTest, OnConnectingTheProgramStartsBeforeTheSoundThenTheWindowHides) {
    addEntry("Work");
    openOn("Work");
    const std::string program = "C:\\Tools\\mail.exe -check", sound = "C:\\Sounds\\ding.wav";
    const struct {
        BOOL startProgram, playSound;
        std::string program, sound;
        std::vector<std::string> expected;  // kind and target of each shell call, in order
    } rows[] = {
        {1, 1, program, sound, {"exec " + program, "sound " + sound}},
        {1, 0, program, sound, {"exec " + program}},
        {0, 1, program, sound, {"sound " + sound}},
        {0, 0, program, sound, {}},
        {1, 1, "", "", {"exec ", "sound "}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.startProgram << row.playSound << " " << row.program);
        CSettings& s = dialer.m_settings;
        std::tie(s.m_bStartProgram, s.m_bPlaySound, s.m_strProgramPath, s.m_strSoundPath) =
            std::tie(row.startProgram, row.playSound, row.program, row.sound);
        restore();
        clickConnect();
        driver.clearRecords();
        driver.advance(kConnectMs);

        std::vector<std::string> calls;
        for (const fw::test::ShellRecord& call : driver.shell()) {
            calls.push_back(call.kind + " " + call.target);
            EXPECT_EQ(call.flags,
                      call.kind == "exec" ? unsigned{fw::kShowNormal} : fw::kSoundAsync);
        }
        EXPECT_EQ(calls, row.expected);
        EXPECT_TRUE(dialer.isMinimized());
        EXPECT_EQ(trayIcon(), 130);  // the connected frame
        trayCommand(ID_TRAY_DISCONNECT);
    }
}

TEST_F(AfterConnectTest, PropertiesEditsTheEntryTheWindowHoldsWithoutReadingTheControls) {
    addEntry("Work");
    addEntry("Home");
    openOn("Work");
    const struct {
        const char* entry;  // the member; the control still shows "Work"
        bool edited;        // the service has no entry without a name, and shows nothing
    } rows[] = {{"Work", true}, {"Home", true}, {"", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        driver.clearRecords();
        dialer.m_strEntryName = row.entry;
        std::string edited = "(none)";
        if (row.edited) {
            driver.onModal(IDD_RAS_ENTRY, [&](fw::test::Driver& d, fw::Dialog& editor) {
                EXPECT_EQ(editor.owner(), dialer.handle());
                edited = editor.item(IDC_RAS_NAME).text();
                d.click(editor, fw::kIdCancel);
            });
        }
        driver.click(dialer, IDC_PROPERTIES);
        EXPECT_EQ(edited, row.edited ? row.entry : "(none)");
        EXPECT_TRUE(driver.messageBoxes().empty());
        EXPECT_EQ(dialer.item(IDC_ENTRY_NAME).text(), "Work");
        EXPECT_EQ(dialer.m_strEntryName, row.entry);
    }
}

}  // namespace
