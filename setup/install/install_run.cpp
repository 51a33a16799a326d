// The install run: the eleven files from the source folder into the destination, each shown as it
// is copied, the bar stepping after the dialer, its help files and the last picture, and then the
// shortcuts.
#include <cstddef>
#include <iterator>

#include "framework/clock.h"
#include "framework/file_copy.h"
#include "framework/file_error.h"
#include "framework/paths.h"
#include "setup/install/copying_dlg.h"

namespace {

// The run's one block buffer, which every copy shares.
constexpr std::size_t kRunBufferSize = 1000;

// The bar's five equal steps.
constexpr int kProgressSteps = 5;

struct InstallFile {
    // In the source folder: the installed name with its last letter replaced by "_".
    const char* source;
    // Appended to the destination folder.
    const char* installed;
    // The percent text from this file on (null: unchanged): always what the bar has reached.
    const char* percent;
    bool pauseBefore;
    bool stepAfter;
};

constexpr InstallFile kInstallFiles[] = {
    {"Ondrel.ex_", "\\Ondrel.exe", "0%", false, true},
    {"Ondrel.cn_", "\\Ondrel.cnt", "20%", false, true},
    {"Ondrel.hl_", "\\Ondrel.hlp", "40%", false, true},
    // The template shortcut, which the last phase points at the installed dialer.
    {"Ondrel v1.3.ln_", "\\Ondrel v1.3.lnk", "60%", true, false},
    {"More Info.htm_", "\\More Info.html", nullptr, false, false},
    {"Title.htm_", "\\Title.html", nullptr, false, false},
    {"Intro.htm_", "\\Intro.html", nullptr, false, false},
    {"Order.htm_", "\\Order.html", nullptr, false, false},
    {"Ondrel.gi_", "\\Ondrel.gif", nullptr, false, false},
    {"bg2.gi_", "\\bg2.gif", nullptr, false, false},
    {"icon.gi_", "\\icon.gif", nullptr, false, true},
};

// Only the last two levels of the path are ever created: the folder, and its parent first when the
// folder could not be made. An existing folder is used as it is.
void createDestinationFolder(const std::string& folder) {
    if (fw::createDirectory(folder)) {
        return;
    }
    const std::size_t slash = folder.find_last_of('\\');
    fw::createDirectory(slash != std::string::npos ? folder.substr(0, slash) : std::string());
    fw::createDirectory(folder);
}

}  // namespace

void CCopyingDlg::CopyInstallFile(std::string source, std::string destination,
                                  std::span<char> buffer) {
    fw::copyFile(source, {&destination, 1}, buffer);
}

void CCopyingDlg::InstallRun() {
    killTimer(TIMER_INSTALL);
    // The shortcuts' folders lie below it.
    const std::string windowsFolder = fw::windowsDirectory();
    m_progress.setRange(0, kProgressSteps);
    m_progress.setPos(0);
    m_progress.setStep(1);
    char buffer[kRunBufferSize];
    try {
        for (std::size_t i = 0; i < std::size(kInstallFiles); ++i) {
            const InstallFile& file = kInstallFiles[i];
            const std::string destination = m_strDestFolder + file.installed;
            // The first file's lines say what they show; the others show bare names.
            m_strSourceLine = std::string(i == 0 ? "Source File: " : "") + file.source;
            m_strDestLine = std::string(i == 0 ? "Destination File: " : "") + destination;
            if (file.percent != nullptr) {
                m_strPercent = file.percent;
            }
            ShowProgress();
            if (i == 0) {
                createDestinationFolder(m_strDestFolder);
                // The bare source names mean the source folder from here on.
                fw::setCurrentDirectory(m_strSourceFolder);
            }
            if (file.pauseBefore) {
                fw::sleepMs(kPauseMs);
            }
            CopyInstallFile(file.source, destination, buffer);
            if (file.stepAfter) {
                StepProgress();
            }
        }
        MakeShortcuts(windowsFolder, buffer);
    } catch (const fw::FileError& error) {
        // The run stops here and does not resume; the dialog shows where it stopped until the
        // user leaves through Cancel.
        fw::reportFileError(this, error);
    }
}
