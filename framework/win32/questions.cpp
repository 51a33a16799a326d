// Questions to the user: message boxes, the Open and Save As dialogs, and the mouse position.
#include <windows.h>
// The other platform headers need windows.h first.
#include <commdlg.h>

#include "handles.h"
#include "sys.h"

namespace fw::sys {

int messageBox(Handle owner, const std::string& text, const std::string& caption, unsigned type) {
    return MessageBoxA(win32::asWindow(owner), text.c_str(), caption.c_str(), type);
}

std::optional<std::string> fileDialog(Handle owner, const FileDialogRequest& request) {
    char fileName[1024] = {};
    request.fileName.copy(fileName, sizeof fileName - 1);
    std::string filter = filterToPlatform(request.filter);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = win32::asWindow(owner);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = sizeof fileName;
    dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    // The Explorer-style dialog, as every program of the platform's generation shows it.
    dialog.Flags = request.flags | OFN_EXPLORER;

    BOOL confirmed = request.open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!confirmed) {
        return std::nullopt;
    }
    return std::string(fileName);
}

Point cursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return Point{point.x, point.y};
}

}  // namespace fw::sys
