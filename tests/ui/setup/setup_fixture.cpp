#include "setup_fixture.h"

#include <tuple>

#include "framework/controls.h"
#include "framework/inspect.h"
#include "framework/message_box.h"
#include "framework/paths.h"
#include "framework/save_file.h"
#include "setup/install/copying_dlg.h"

const SetupTest::InstallFile SetupTest::kFiles[11] = {
    {"Ondrel.ex_", "\\Ondrel.exe"},
    {"Ondrel.cn_", "\\Ondrel.cnt"},
    {"Ondrel.hl_", "\\Ondrel.hlp"},
    {"Ondrel v1.3.ln_", "\\Ondrel v1.3.lnk"},
    {"More Info.htm_", "\\More Info.html"},
    {"Title.htm_", "\\Title.html"},
    {"Intro.htm_", "\\Intro.html"},
    {"Order.htm_", "\\Order.html"},
    {"Ondrel.gi_", "\\Ondrel.gif"},
    {"bg2.gi_", "\\bg2.gif"},
    {"icon.gi_", "\\icon.gif"},
};

SetupTest::SetupTest() {
    EXPECT_TRUE(fw::createDirectory(source));
    for (std::size_t i = 0; i < std::size(kFiles); ++i) {
        driver.writeFile(source + "\\" + kFiles[i].source, content(i));
    }
    EXPECT_TRUE(fw::setCurrentDirectory(source));
}

SetupTest::~SetupTest() {
    fw::deleteFile(desktopShortcut());
#ifdef _WIN32
    std::error_code ignored;
    std::filesystem::remove_all(group, ignored);
#endif
}

std::string SetupTest::content(std::size_t i) {
    if (i == 3) {
        return fw::shortcut::write({"C:\\Template\\Ondrel.exe", "-template", "Template",
                                    "C:\\Template", "C:\\Template\\Ondrel.exe", 3, 7, kHotKey});
    }
    const std::size_t kSizes[11] = {1998, 999, 0, 0, 1000, 1, 5000, 17, 2500, 998, 3};
    std::string bytes(kSizes[i], '\0');
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        bytes[at] = static_cast<char>(at * 7 + i);
    }
    return bytes;
}

std::optional<fw::shortcut::Shortcut> SetupTest::shortcutAt(const std::string& path) const {
    return fw::shortcut::read(driver.readFile(path).value_or(""));
}

fw::shortcut::Shortcut SetupTest::installedShortcut(const std::string& folder,
                                                    const std::string& workingFolder) {
    const std::string program = folder + "\\Ondrel.exe";
    return {program, "", "", workingFolder, program, 0, 1, kHotKey};
}

void SetupTest::makeFolders() const {
    for (const std::string& folder :
         {scratch.path + "\\Kestrune", destination(), group, group + "\\Ondrel v1.3"}) {
        ASSERT_TRUE(fw::createDirectory(folder));
    }
}

CCopyingDlg* SetupTest::install(const std::string& folder) {
    CCopyingDlg* dlg = runs.emplace_back(std::make_unique<CCopyingDlg>(nullptr)).get();
    dlg->m_strDestFolder = folder;
    dlg->m_strSourceFolder = source;
    EXPECT_TRUE(driver.open(*dlg));
    driver.advance(500);
    return dlg;
}

void SetupTest::expectInstalled(const std::string& folder, std::size_t count,
                                const std::optional<std::string>& previous) {
    for (std::size_t i = 0; i < std::size(kFiles); ++i) {
        const std::string path = folder + kFiles[i].installed;
        EXPECT_FALSE(fw::test::fileExists(fw::temporaryName(path))) << path;
        if (i >= count) {
            EXPECT_EQ(driver.readFile(path), previous) << path;
        } else if (i != 3) {
            EXPECT_EQ(driver.readFile(path), content(i)) << path;
        } else {
            EXPECT_TRUE(fw::test::fileExists(path)) << path;
        }
    }
}

void SetupTest::expectStalled(const CCopyingDlg& dlg, const std::string& message,
                              const std::vector<std::string>& shown, int bar) {
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    const fw::test::MessageBoxRecord& box = driver.messageBoxes()[0];
    EXPECT_EQ(std::tie(box.text, box.caption, box.type, box.owner),
              std::make_tuple(message, std::string("Setup"), fw::mb::kOk | fw::mb::kIconStop,
                              dlg.handle()));
    EXPECT_TRUE(driver.isOpen(dlg));
    EXPECT_FALSE(driver.timerRunning(dlg, 1));
    EXPECT_EQ(
        (std::vector<std::string>{dlg.item(ids::kSourceLine).text(),
                                  dlg.item(ids::kDestLine).text(), dlg.item(ids::kPercent).text()}),
        shown);
    EXPECT_EQ(fw::ProgressBar(dlg, ids::kProgress).pos(), bar);
}
