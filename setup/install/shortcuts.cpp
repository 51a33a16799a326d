// The last phase of the install run: the template shortcut copied into the destination is pointed
// at the installed dialer, then copied to the desktop and into the program group below the Windows
// folder (the single-user layout), and the run ends with "Done".
#include "framework/clock.h"
#include "framework/file_copy.h"
#include "framework/file_error.h"
#include "framework/paths.h"
#include "framework/shell_link.h"
#include "framework/types.h"
#include "setup/install/copying_dlg.h"

namespace {

constexpr const char* kShortcut = "\\Ondrel v1.3.lnk";
constexpr const char* kProgram = "\\Ondrel.exe";
constexpr const char* kDesktop = "\\Desktop";
constexpr const char* kProgramGroup = "\\Start Menu\\Programs\\Kestrune Software";
constexpr const char* kProductFolder = "\\Ondrel v1.3";

// The dialer's folder, where it finds its files by bare names. A bare drive means its root: "C:"
// alone would be the drive's current folder.
std::string workingFolder(const std::string& folder) {
    return folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
}

// Points the shortcut at the dialer in folder, through the shell link object. Every call counts:
// one that fails is a file error on the shortcut, which is then not to be trusted.
void repointShortcut(const std::string& shortcut, const std::string& folder) {
    const std::string program = folder + kProgram;
    fw::ShellLink link;
    const bool repointed = link.create() && link.load(shortcut) && link.setArguments("") &&
                           link.setDescription("") && link.setIconLocation(program, 0) &&
                           link.setPath(program) && link.setShowCommand(fw::kShowNormal) &&
                           link.setWorkingDirectory(workingFolder(folder)) && link.save();
    if (!repointed) {
        throw fw::FileError(link.failure(), shortcut);
    }
}

}  // namespace

void CCopyingDlg::MakeShortcuts(const std::string& windowsFolder, std::span<char> buffer) {
    m_strSourceLine = "Creating short-cuts...";
    m_strDestLine.clear();
    m_strPercent = "80%";
    ShowProgress();
    fw::sleepMs(kPauseMs);

    const std::string shortcut = m_strDestFolder + kShortcut;
    repointShortcut(shortcut, m_strDestFolder);
    const std::string group = windowsFolder + kProgramGroup;
    const std::string productFolder = group + kProductFolder;
    // A folder that exists already is fine; one that could not be made fails the copy below.
    fw::createDirectory(group);
    fw::createDirectory(productFolder);
    const std::string copies[] = {windowsFolder + kDesktop + kShortcut, productFolder + kShortcut};
    fw::copyFile(shortcut, copies, buffer);
    StepProgress();

    m_strSourceLine = "Done";
    m_strPercent = "100%";
    ShowProgress();
    fw::sleepMs(kPauseMs);
    // As the OK command ends it.
    onOK();
}
