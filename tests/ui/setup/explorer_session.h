// One generated case of Setup's event explorer: Setup started as the program starts it, driven by
// the steps in whichever loop runs (the banner's, a dialog's, a message box's), with its
// invariants checked after every step, then left as a user leaves it and checked once it ended.
#pragma once

#include <cstddef>
#include <set>
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

  private:
    // The loop of a modal dialog: the steps until it ends, then Escape as the user leaves it.
    void drive(fw::Dialog& dialog);
    fw::test::Driver::BoxAnswer answer(const fw::test::MessageBoxRecord& box);
    void perform(const Step& step);
    void click(const Step& step);
    void browse(const Step& step);
    void armFault(const Step& step);

    // The open dialogs that take input, innermost first.
    std::vector<fw::Dialog*> takingInput() const;
    fw::Dialog* findUp(int templateId) const;
    // The folder the installation goes to as things stand.
    std::string destination() const;
    CMainFrame* banner() const;
    std::size_t quits() const;

    // The invariants that hold after every step.
    void check();
    void checkDialogs();
    void checkPromptAnswered();
    void checkFaultsFired();
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
    // The furthest the wizard came: 0 for the banner, then its pages in order.
    int reached_ = 0;
    bool ended_ = false;

    // Faults armed in this case: their causes, what they excuse on the disk, and how many fired
    // that no message has told yet.
    std::vector<fw::FileError::Cause> causes_;
    Disk::Leeway leeway_;
    std::size_t armed_ = 0;
    std::size_t untold_ = 0;
};

}  // namespace setup_explorer
