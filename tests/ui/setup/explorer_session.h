// One generated case of Setup's event explorer: Setup started as the program starts it, driven by
// the steps in whichever loop runs (the banner's, a dialog's, a message box's), with its
// invariants checked after every step, then left as a user leaves it and checked once it ended.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "explorer.h"
#include "explorer_disk.h"
#include "explorer_steps.h"
#include "framework/file_error.h"
#include "framework/test_driver.h"
#include "setup/setup_app.h"

namespace setup_explorer {

class Session {
  public:
    explicit Session(const std::vector<Step>& steps);
    void run();

    // What the steps act on.
    fw::test::Driver& driver() { return driver_; }
    Disk& disk() { return disk_; }
    // The banner while its window is there.
    CMainFrame* banner() const;
    // An open dialog that takes input, counted from the innermost; null when fewer are open.
    fw::Dialog* open(int dialog) const;
    // The innermost dialog whose loop runs.
    const fw::Dialog* innermost() const { return modals_.empty() ? nullptr : modals_.back(); }
    // Fails the next operation the step names, on the file as the installation stands.
    void arm(const Step& step);

  private:
    // The loop of a modal dialog: the steps until it ends, then Escape as the user leaves it.
    void drive(fw::Dialog& dialog);
    fw::test::Driver::BoxAnswer answer(const fw::test::MessageBoxRecord& box);
    // The folder the installation goes to as things stand.
    std::string destination() const;
    std::size_t quits() const;

    // The invariants that hold after every step.
    void check();
    void checkDialogs();
    void checkPromptAnswered();
    void checkBox(const std::string& text);

    fw::test::Driver driver_;
    explore::Script<Step> script_;
    Disk disk_;
    CSetupApp app_;
    // The dialogs whose loops run, innermost last.
    std::vector<fw::Dialog*> modals_;

    // The user's last answer to the Cancel Setup prompt, until the page it asked for has acted.
    const fw::Window* promptPage_ = nullptr;
    int promptAnswer_ = 0;
    bool leftSetup_ = false;
    bool ended_ = false;

    // The causes of the faults armed, and how many of them had fired when the last message told.
    std::vector<fw::FileError::Cause> causes_;
    std::size_t told_ = 0;
};

}  // namespace setup_explorer
