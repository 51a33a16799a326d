// Messages: timers, posting and sending, the message loop, and delivery under test.
#include <windows.h>

#include "handles.h"
#include "sys.h"

namespace fw::sys {
using win32::asWindow;

void postMessage(Handle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(asWindow(window), message, wParam, lParam);
}

std::intptr_t sendMessage(Handle window, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    return SendMessageA(asWindow(window), message, wParam, lParam);
}

int deliverPosted(const std::function<void()>& afterEach) {
    // Posted messages only: painting would make the controls send notifications (a list view's
    // custom-draw stages) that depend on when the screen was last drawn, not on the test's steps.
    int delivered = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++delivered;
        afterEach();
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

}  // namespace fw::sys
