// The wizard run: welcome and destination pages until a destination is confirmed, then the
// copying dialog and, when it completes, the completion dialog; the program ends in every case.
#include "setup/wizard/wizard.h"

#include <optional>
#include <string>

#include "framework/app.h"
#include "setup/install/complete_dlg.h"
#include "setup/install/copying_dlg.h"
#include "setup/wizard/destination_dlg.h"
#include "setup/wizard/welcome_dlg.h"

namespace {

struct Folders {
    std::string source;
    std::string destination;
};

// The pages stand in front of the banner, the application's main window.
fw::Window* banner() {
    const fw::App* app = fw::App::current();
    return app != nullptr ? app->mainWindow : nullptr;
}

// The welcome page, then a fresh destination page (so "&Back" and "&Next" show the default folder
// again), until the user confirms a destination or leaves.
std::optional<Folders> chooseFolders() {
    for (;;) {
        CWelcomeDlg welcome(banner());
        if (welcome.doModal() != fw::kIdOk) {
            return std::nullopt;
        }
        CDestinationDlg destination(banner());
        if (destination.doModal() == fw::kIdOk) {
            return Folders{destination.m_strSourceFolder, destination.m_strDestFolder};
        }
        if (destination.m_bBack == 0) {
            return std::nullopt;
        }
    }
}

}  // namespace

void RunWizard() {
    if (const std::optional<Folders> folders = chooseFolders()) {
        CCopyingDlg copying(banner());
        copying.m_strDestFolder = folders->destination;
        copying.m_strSourceFolder = folders->source;
        if (copying.doModal() == fw::kIdOk) {
            CCompleteDlg complete(banner());
            complete.doModal();
        }
    }
    fw::postQuit(0);
}
