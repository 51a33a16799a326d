// The shell and its neighbours: the notification-area icon, documents, programs, sounds, help.
#include <windows.h>
// The other platform headers need windows.h first.
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>

#include "handles.h"
#include "sys.h"

namespace fw::sys {

bool trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage, Handle icon,
                const std::string& tip) {
    // The first form of the record, which every shell understands.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = win32::asWindow(owner);
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = win32::asIcon(icon);
    tip.copy(data.szTip, std::min(tip.size(), kTrayTipMax));

    DWORD message = NIM_ADD;
    switch (op) {
        case TrayOp::add:
            message = NIM_ADD;
            break;
        case TrayOp::modify:
            message = NIM_MODIFY;
            break;
        case TrayOp::remove:
            message = NIM_DELETE;
            break;
    }
    return Shell_NotifyIconA(message, &data) != FALSE;
}

bool shellExecute(Handle owner, const std::string& verb, const std::string& file, int show) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = 0;
    request.hwnd = win32::asWindow(owner);
    request.lpVerb = verb.empty() ? nullptr : verb.c_str();
    request.lpFile = file.c_str();
    request.nShow = show;
    return ShellExecuteExA(&request) != FALSE;
}

unsigned winExec(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

bool playSound(const std::string& name, unsigned flags) {
    return PlaySoundA(name.c_str(), nullptr, flags) != FALSE;
}

void openHelp(Handle owner, const std::string& helpFile) {
    // The finder shows the contents file beside the help file when there is one.
    WinHelpA(win32::asWindow(owner), helpFile.c_str(), HELP_FINDER, 0);
}

}  // namespace fw::sys
