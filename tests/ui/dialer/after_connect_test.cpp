// What follows a connection (the program, then the sound, then the tray), the entry's editor and
// the last error's text.
#include <string>
#include <vector>

#include "dialing_fixture.h"
#include "platform/res/simulated_ras_resource.h"

namespace {

using ras::sim::Line;
using AfterConnectTest = DialingTest;

TEST_F(AfterConnectTest, OnConnectingTheProgramStartsBeforeTheSoundThenTheWindowHides) {
    addEntry("Work");
    openOn("Work");
    const struct {
        BOOL startProgram;
        BOOL playSound;
        const char* program;
        const char* sound;
        std::vector<std::string> expected;  // kind and target of each shell call, in order
    } rows[] = {
        {1,
         1,
         "C:\\Tools\\mail.exe -check",
         "C:\\Sounds\\ding.wav",
         {"exec C:\\Tools\\mail.exe -check", "sound C:\\Sounds\\ding.wav"}},
        {1, 0, "C:\\Tools\\mail.exe", "C:\\Sounds\\ding.wav", {"exec C:\\Tools\\mail.exe"}},
        {0, 1, "C:\\Tools\\mail.exe", "C:\\Sounds\\ding.wav", {"sound C:\\Sounds\\ding.wav"}},
        {0, 0, "C:\\Tools\\mail.exe", "C:\\Sounds\\ding.wav", {}},
        {1, 1, "", "", {"exec ", "sound "}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.startProgram << row.playSound << " " << row.program);
        dialer.m_settings.m_bStartProgram = row.startProgram;
        dialer.m_settings.m_bPlaySound = row.playSound;
        dialer.m_settings.m_strProgramPath = row.program;
        dialer.m_settings.m_strSoundPath = row.sound;
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
        EXPECT_FALSE(dialer.isVisible());
        EXPECT_TRUE(dialer.isMinimized());
        ASSERT_FALSE(driver.tray().empty());
        EXPECT_EQ(driver.tray().back().iconId, kConnectedFrameIcon);
        trayCommand(ID_TRAY_DISCONNECT);
    }
}

TEST_F(AfterConnectTest, ErrorDetailsShowTheLastFailureEvenAfterAConnection) {
    addEntry("Work", Line::busyFirst, 1);
    openOn("Work");
    EXPECT_EQ(errorDetails(), "No errors to report.");
    dialer.m_settings.m_bKeepDialing = 1;
    clickConnect();
    driver.advance(kBusyMs + 8000 + kConnectMs);
    ASSERT_TRUE(dialer.m_bConnected);
    EXPECT_EQ(errorDetails(), "The line is busy.");
    EXPECT_EQ(dialer.m_strErrorText, "The line is busy.");
    // The user's hang-up is no error.
    clickConnect();
    EXPECT_EQ(errorDetails(), "The line is busy.");
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
