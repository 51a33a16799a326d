// The copying dialog, "Copying FIles...": half a second after it opens, the install run copies the
// dialer's files from the source folder to the destination, showing each file and the overall
// progress, makes the shortcuts and ends the dialog with OK. A file error is reported and leaves
// the dialog stalled where the run stopped; Cancel asks the Cancel Setup prompt.
#pragma once

#include <span>
#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"

// Starts the install run; it ticks once.
constexpr unsigned TIMER_INSTALL = 1;

class CCopyingDlg : public fw::Dialog {
  public:
    explicit CCopyingDlg(fw::Window* parent);

    // Set by the wizard before the dialog runs, without a trailing backslash.
    std::string m_strDestFolder;
    std::string m_strSourceFolder;

    fw::ProgressBar m_progress;
    std::string m_strDestLine;
    std::string m_strSourceLine;
    std::string m_strPercent;

    // Copies a file of the installation from the source folder (a bare name) to its destination
    // path through the run's buffer; raises FileError.
    static void CopyInstallFile(std::string source, std::string destination,
                                std::span<char> buffer);

  protected:
    bool onCreate() override;
    void onTimer(unsigned id) override;
    void onCancel() override;
    void doDataExchange(fw::DataExchange& dx) override;

  private:
    // Each pause lets the user read a step of the run.
    static constexpr unsigned kPauseMs = 500;

    // The install run (install_run.cpp); raises nothing: a file error is reported where it stops.
    void InstallRun();
    // Its last phase: the shortcuts, "Done", and the end with OK (shortcuts.cpp).
    void MakeShortcuts(const std::string& windowsFolder, std::span<char> buffer);
    // The texts and the bar are shown at once: the run holds the message loop.
    void ShowProgress();
    void StepProgress();
};
