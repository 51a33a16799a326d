// Messages: timers, posting and sending, the message loop, and delivery under test.
#include <windows.h>

#include "framework/test_driver.h"
#include "handles.h"
#include "sys.h"

namespace fw::sys {
using win32::asWindow;

void setTimer(Handle window, unsigned id, unsigned ms) {
    SetTimer(asWindow(window), id, ms, nullptr);
}

void killTimer(Handle window, unsigned id) {
    KillTimer(asWindow(window), id);
}

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(asWindow(window), message, wParam, lParam);
}

std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    return SendMessageA(asWindow(window), message, wParam, lParam);
}

int deliverPosted() {
    // Posted messages only: painting would make the controls send notifications (a list view's
    // custom-draw stages) that depend on when the screen was last drawn, not on the test's steps.
    int delivered = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++delivered;
        if (test::Driver* driver = test::Driver::current()) {
            driver->afterMessage();
        }
    }
    return delivered;
}

std::intptr_t sendNotify(Handle dialog, int id, int code) {
    NMHDR header{};
    header.hwndFrom = GetDlgItem(asWindow(dialog), id);
    header.idFrom = static_cast<UINT_PTR>(id);
    header.code = static_cast<UINT>(code);
    return SendMessageA(asWindow(dialog), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

int messageLoop() {
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
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

void postQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

}  // namespace fw::sys
