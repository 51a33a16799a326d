// Our shortcut files beside the platform's shell link object, on Windows only: what the object
// saves, our reader reads; what our writer writes, the object loads.
#ifdef _WIN32
#include <windows.h>
// The other platform headers need windows.h first.
#include <gtest/gtest.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "../framework/scratch_folder.h"
#include "framework/test_driver.h"
#include "shortcut_file.h"

namespace {

using fw::shortcut::Shortcut;

std::wstring widened(const std::string& text) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

// The platform's shell link object, moving a whole program's shortcut in and out of a file.
class PlatformLink {
  public:
    PlatformLink() {
        CoInitialize(nullptr);
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link_));
        if (link_ != nullptr) {
            link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_));
        }
    }
    PlatformLink(const PlatformLink&) = delete;
    PlatformLink& operator=(const PlatformLink&) = delete;
    ~PlatformLink() {
        if (file_ != nullptr) {
            file_->Release();
        }
        if (link_ != nullptr) {
            link_->Release();
        }
    }

    bool save(const Shortcut& shortcut, const std::string& path) {
        return file_ != nullptr && SUCCEEDED(link_->SetPath(shortcut.target.c_str())) &&
               SUCCEEDED(link_->SetArguments(shortcut.arguments.c_str())) &&
               SUCCEEDED(link_->SetDescription(shortcut.description.c_str())) &&
               SUCCEEDED(link_->SetWorkingDirectory(shortcut.workingDirectory.c_str())) &&
               SUCCEEDED(link_->SetIconLocation(shortcut.iconPath.c_str(), shortcut.iconIndex)) &&
               SUCCEEDED(link_->SetShowCmd(shortcut.showCommand)) &&
               SUCCEEDED(link_->SetHotkey(shortcut.hotKey)) &&
               SUCCEEDED(file_->Save(widened(path).c_str(), TRUE));
    }

    std::optional<Shortcut> load(const std::string& path) {
        if (file_ == nullptr || FAILED(file_->Load(widened(path).c_str(), STGM_READ))) {
            return std::nullopt;
        }
        char target[MAX_PATH] = {};
        char arguments[1024] = {};
        char description[1024] = {};
        char folder[MAX_PATH] = {};
        char icon[MAX_PATH] = {};
        Shortcut shortcut;
        WORD hotKey = 0;
        link_->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link_->GetArguments(arguments, sizeof arguments);
        link_->GetDescription(description, sizeof description);
        link_->GetWorkingDirectory(folder, MAX_PATH);
        link_->GetIconLocation(icon, MAX_PATH, &shortcut.iconIndex);
        link_->GetShowCmd(&shortcut.showCommand);
        link_->GetHotkey(&hotKey);
        shortcut.target = target;
        shortcut.arguments = arguments;
        shortcut.description = description;
        shortcut.workingDirectory = folder;
        shortcut.iconPath = icon;
        shortcut.hotKey = hotKey;
        return shortcut;
    }

  private:
    IShellLinkA* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

class ShortcutInteropTest : public ::testing::Test {
  protected:
    // Shortcuts to programs that exist, as the shell link object wants them.
    std::vector<Shortcut> rows() {
        const std::string plain = scratch.path + "\\Ondrel.exe";
        const std::string spaced = scratch.path + "\\Sub Dir\\run me.exe";
        fw::createDirectory(scratch.path + "\\Sub Dir");
        driver.writeFile(plain, "MZ");
        driver.writeFile(spaced, "MZ");
        return {
            {plain, "", "", scratch.path, plain, 0, 1, 0},
            {spaced, "/a \"b c\"", "Dial up", scratch.path + "\\Sub Dir", spaced, 2, 7, 0x0641},
        };
    }
    std::string linkFile() const { return scratch.path + "\\test.lnk"; }

    fw::test::Driver driver;
    ScratchFolder scratch;
    PlatformLink platform;
};

TEST_F(ShortcutInteropTest, OurReaderReadsWhatThePlatformSaves) {
    for (const Shortcut& row : rows()) {
        ASSERT_TRUE(platform.save(row, linkFile())) << row.target;
        EXPECT_EQ(fw::shortcut::read(driver.readFile(linkFile()).value()), row);
    }
}

TEST_F(ShortcutInteropTest, ThePlatformLoadsWhatOurWriterWrites) {
    for (const Shortcut& row : rows()) {
        driver.writeFile(linkFile(), fw::shortcut::write(row));
        EXPECT_EQ(platform.load(linkFile()), row);
    }
}

}  // namespace
#endif
