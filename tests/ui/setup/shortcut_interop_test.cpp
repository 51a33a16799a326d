// Our shortcut files beside the platform's shell link object, on Windows only: what the object
// saves, our reader reads; what our writer writes, the object loads.
#ifdef _WIN32
#include <windows.h>
// The other platform headers need windows.h first.
#include <gtest/gtest.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "setup_fixture.h"

namespace {

using fw::shortcut::Shortcut;

std::wstring widened(const std::string& text) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

TEST(ShortcutInteropTest, OurFilesAndThePlatformsObjectAgree) {
    fw::test::Driver driver;
    ScratchFolder scratch;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkA, reinterpret_cast<void**>(&link)));
    ASSERT_HRESULT_SUCCEEDED(
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));

    // Shortcuts to programs that exist, as the object wants them.
    const std::string plain = scratch.path + "\\Ondrel.exe";
    const std::string spaced = scratch.path + "\\Sub Dir\\run me.exe";
    fw::createDirectory(scratch.path + "\\Sub Dir");
    driver.writeFile(plain, "MZ");
    driver.writeFile(spaced, "MZ");
    const Shortcut rows[] = {
        {plain, "", "", scratch.path, plain, 0, 1, 0},
        {spaced, "/a \"b c\"", "Dial up", scratch.path + "\\Sub Dir", spaced, 2, 7, 0x0641},
    };
    const std::wstring saved = widened(scratch.path + "\\saved.lnk");
    const std::string ours = scratch.path + "\\ours.lnk";
    for (const Shortcut& row : rows) {
        SCOPED_TRACE(row.target);
        EXPECT_HRESULT_SUCCEEDED(link->SetPath(row.target.c_str()));
        EXPECT_HRESULT_SUCCEEDED(link->SetArguments(row.arguments.c_str()));
        EXPECT_HRESULT_SUCCEEDED(link->SetDescription(row.description.c_str()));
        EXPECT_HRESULT_SUCCEEDED(link->SetWorkingDirectory(row.workingDirectory.c_str()));
        EXPECT_HRESULT_SUCCEEDED(link->SetIconLocation(row.iconPath.c_str(), row.iconIndex));
        EXPECT_HRESULT_SUCCEEDED(link->SetShowCmd(row.showCommand));
        EXPECT_HRESULT_SUCCEEDED(link->SetHotkey(row.hotKey));
        ASSERT_HRESULT_SUCCEEDED(file->Save(saved.c_str(), TRUE));
        const std::optional<std::string> bytes = driver.readFile(scratch.path + "\\saved.lnk");
        EXPECT_EQ(fw::shortcut::read(bytes.value_or("")), row);

        driver.writeFile(ours, fw::shortcut::write(row));
        ASSERT_HRESULT_SUCCEEDED(file->Load(widened(ours).c_str(), STGM_READ));
        char text[5][MAX_PATH] = {};
        int index = 0, show = 0;
        WORD hotKey = 0;
        link->GetPath(text[0], MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(text[1], MAX_PATH);
        link->GetDescription(text[2], MAX_PATH);
        link->GetWorkingDirectory(text[3], MAX_PATH);
        link->GetIconLocation(text[4], MAX_PATH, &index);
        link->GetShowCmd(&show);
        link->GetHotkey(&hotKey);
        EXPECT_EQ((Shortcut{text[0], text[1], text[2], text[3], text[4], index, show, hotKey}),
                  row);
    }
    file->Release();
    link->Release();
}

}  // namespace
#endif
