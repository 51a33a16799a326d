// The platform's host: the message loop, the thread timer behind the timer queue, message boxes,
// the Open and Save As dialogs, and the shell.
#include "platform_host.h"

#include <windows.h>
// The other platform headers need windows.h first.
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <limits>

#include "framework/resources.h"
#include "handles.h"
#include "routing.h"
#include "system_library.h"
#include "timer_queue.h"

namespace fw::win32 {

namespace {

// The thread timer that stands for every window timer; 0 while none runs.
UINT_PTR platformTimer = 0;

void CALLBACK onPlatformTimer(HWND, UINT, UINT_PTR, DWORD) {
    try {
        detail::timerQueue().fireDue();
    } catch (...) {
        stopOnException("a timer");
    }
}

// Each "|" of a filter becomes the separator the platform expects (a NUL character).
std::string filterToPlatform(const std::string& filter) {
    std::string result = filter;
    std::replace(result.begin(), result.end(), '|', '\0');
    return result;
}

}  // namespace

int Win32Host::messageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return -1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Win32Host::postQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

void Win32Host::armTimer(std::optional<std::int64_t> dueTick) {
    if (!dueTick) {
        if (platformTimer != 0) {
            KillTimer(nullptr, platformTimer);
            platformTimer = 0;
        }
        return;
    }
    // Given the id it returned, SetTimer moves the same thread timer.
    const std::int64_t wait = std::clamp<std::int64_t>(*dueTick - tickMs(), USER_TIMER_MINIMUM,
                                                       std::numeric_limits<UINT>::max() / 2);
    platformTimer = SetTimer(nullptr, platformTimer, static_cast<UINT>(wait), onPlatformTimer);
}

int Win32Host::messageBox(Handle owner, const std::string& text, const std::string& caption,
                          unsigned type) {
    return MessageBoxA(asWindow(owner), text.c_str(), caption.c_str(), type);
}

std::optional<std::string> Win32Host::fileDialog(Handle owner, const FileDialogRequest& request) {
    char fileName[1024] = {};
    request.fileName.copy(fileName, sizeof fileName - 1);
    const std::string filter = filterToPlatform(request.filter);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = asWindow(owner);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = sizeof fileName;
    dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    // The Explorer-style dialog, as every program of the platform's generation shows it.
    dialog.Flags = request.flags | OFN_EXPLORER;

    using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
    static const auto open = systemFunction<FileDialog>("comdlg32.dll", "GetOpenFileNameA");
    static const auto save = systemFunction<FileDialog>("comdlg32.dll", "GetSaveFileNameA");
    const FileDialog show = request.open ? open : save;
    if (show == nullptr || !show(&dialog)) {
        return std::nullopt;
    }
    return std::string(fileName);
}

Point Win32Host::cursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return Point{point.x, point.y};
}

bool Win32Host::trayNotify(TrayOp op, Handle owner, unsigned id, unsigned callbackMessage,
                           const Icon& icon, const std::string& tip) {
    // The first form of the record, which every shell understands.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = asWindow(owner);
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = asIcon(icon.handle());
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

bool Win32Host::shellExecute(Handle owner, const std::string& verb, const std::string& file,
                             int show) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = 0;
    request.hwnd = asWindow(owner);
    request.lpVerb = verb.empty() ? nullptr : verb.c_str();
    request.lpFile = file.c_str();
    request.nShow = show;
    return ShellExecuteExA(&request) != FALSE;
}

unsigned Win32Host::winExec(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

bool Win32Host::playSound(const std::string& name, unsigned flags) {
    using PlaySound = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
    static const auto play = systemFunction<PlaySound>("winmm.dll", "PlaySoundA");
    return play != nullptr && play(name.c_str(), nullptr, flags) != FALSE;
}

void Win32Host::openHelp(Handle owner, const std::string& helpFile) {
    // The finder shows the contents file beside the help file when there is one.
    WinHelpA(asWindow(owner), helpFile.c_str(), HELP_FINDER, 0);
}

Proc Win32Host::systemProc(const std::string& library, const std::string& function) {
    return systemFunction<Proc>(library.c_str(), function.c_str());
}

}  // namespace fw::win32

namespace fw::detail {

Host& platformHost() {
    static win32::Win32Host host;
    return host;
}

}  // namespace fw::detail
