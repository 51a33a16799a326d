// "&Save Dial-up to File..." and "&Import Dial-up...": a phonebook entry's registry values saved
// to a ".dnx" file, and an entry recreated from one.
#include <optional>
#include <string>

#include "dialer/options/dnx_file.h"
#include "dialer/options/options_dlg.h"
#include "framework/archive.h"
#include "framework/file.h"
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/save_file.h"

namespace {

// The Save As or Open dialog for entry files.
std::optional<std::string> chooseEntryFile(const fw::Window& owner, bool open) {
    fw::FileDialogRequest request;
    request.open = open;
    request.flags = fw::kOfnHideReadOnly | fw::kOfnOverwritePrompt;
    request.filter = "Connection Files (*.dnx) | *.dnx; ||";
    return fw::runFileDialog(&owner, request);
}

// The position of the item whose text is exactly name, or -1.
int findExact(const fw::ComboBox& list, const std::string& name) {
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i) == name) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void COptionsDlg::OnSaveDialup() {
    const std::optional<std::string> path = chooseEntryFile(*this, false);
    if (!path || !updateData(true)) {
        return;
    }
    const fw::ComboBox list = EntryList();
    const int selected = list.currentSelection();
    if (selected < 0) {
        fw::messageBox(this, "You must choose a connection to save first.",
                       "Error: No Connection Selected", fw::mb::kOk | fw::mb::kIconExclamation);
        return;
    }
    m_strEntryName = list.itemText(selected);
    const DnxEntry entry{m_strEntryName, ReadEntryValues(m_strEntryName)};
    try {
        fw::saveFile(*path, [&entry](fw::Archive& ar) { WriteDnx(ar, entry); });
    } catch (const fw::FileError& error) {
        fw::reportFileError(this, error);
    }
}

void COptionsDlg::OnImportDialup() {
    const std::optional<std::string> path = chooseEntryFile(*this, true);
    if (!path) {
        return;
    }
    // The whole file is read and checked before the registry sees any of it.
    std::optional<DnxEntry> entry;
    try {
        fw::File file;
        file.open(*path, fw::FileMode::read);
        fw::Archive ar(file, fw::Archive::Mode::load);
        entry = ReadDnx(ar);
    } catch (const fw::FileError& error) {
        fw::reportFileError(this, error);
        return;
    }
    if (!entry) {
        fw::messageBox(this,
                       "The File you have specified is either corrupt or not an \n"
                       "Ondrel Dial-up Networking file.",
                       "Error: Invalid File!", fw::mb::kOk | fw::mb::kIconExclamation);
        return;
    }
    // Only an entry the phonebook now holds is offered for dialing.
    if (!WriteEntryValues(entry->name, entry->values)) {
        fw::messageBox(
            this, "The dial-up connection " + entry->name + " could not be added to the phonebook.",
            "Error: Dial-up Not Added", fw::mb::kOk | fw::mb::kIconExclamation);
        return;
    }
    m_strEntryName = entry->name;
    fw::ComboBox list = EntryList();
    int index = findExact(list, m_strEntryName);
    if (index < 0) {
        index = list.addString(m_strEntryName);
    }
    list.setCurrentSelection(index);
}
