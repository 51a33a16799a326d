// The steps of Setup's event explorer: one thing the user, the clock or the disk can do at any
// moment, drawn so that the orders that hid faults are common (About open when the banner's pause
// ends, the banner closed under the wizard, the Cancel Setup prompt left open while the copy runs,
// the Desktop or the program group as destination, faults on the shortcut copies, long folders).
#pragma once

#include <rapidcheck.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "explorer_disk.h"
#include "framework/dialog.h"
#include "setup/setup_app.h"
#include "setup/wizard/wizard.h"

namespace setup_explorer {

struct Step {
    // In the order of the table of steps, which says what each does.
    enum class Kind {
        about,
        exit,
        closeBanner,
        click,
        key,
        closeBox,
        browse,
        answer,
        wait,
        busy,
        fault
    };
    Kind kind = Kind::wait;
    // click: 0 the default button (OK, "&Next", "&Resume"), 1 Cancel ("&Exit"), 2 "&Back";
    // key: 0 Return, 1 Escape.
    int button = 0;
    // click, closeBox: which open dialog that takes input, counted from the innermost.
    int dialog = 0;
    // browse: where "Browse..." takes the destination, and a long folder's length.
    int place = 0;
    int length = 0;
    std::int64_t ms = 0;
    // fault: the file (0 to 12), which of its names, the operation and the cause.
    int file = 0;
    Side side = Side::target;
    fw::test::FileFault::Op op = fw::test::FileFault::Op::open;
    fw::FileError::Cause cause = fw::FileError::Cause::generic;
    std::uint64_t afterBytes = 0;
};

// A readable line for the shrunk list of a failing case.
std::ostream& operator<<(std::ostream& out, const Step& step);

rc::Gen<Step> genStep();

// Setup as the steps find it: started from the explorer's disk under the test driver.
struct Setup {
    static bool isUp(const fw::Dialog& dialog) { return dialog.exists() && !dialog.ended(); }
    // The banner while its window is there.
    CMainFrame* banner() const;
    // An open dialog that takes input, counted from the innermost; null when fewer are open.
    fw::Dialog* open(int dialog) const;
    // The folder the installation goes to as things stand.
    std::string destination() const;
    void perform(const Step& step);

    fw::test::Driver driver;
    Disk disk{driver};
    CSetupApp app{RunWizard};
    // The dialogs whose loops run, innermost last.
    std::vector<fw::Dialog*> modals;
    // The causes of the faults armed.
    std::vector<fw::FileError::Cause> causes;
};

}  // namespace setup_explorer
