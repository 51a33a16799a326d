// Window objects behind handles, kept as a window property so that dialogs, frames and views
// share one lookup and a handle of another kind simply has none.
#include "routing.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "framework/gdi.h"
#include "framework/window.h"
#include "sys.h"

namespace fw::win32 {
namespace {

constexpr char kOwnerProperty[] = "fw.owner";

}  // namespace

void bind(HWND window, Window& owner) {
    SetPropA(window, kOwnerProperty, &owner);
    detail::WindowAccess::setHandle(owner, window);
}

Window* boundOwner(HWND window) {
    return static_cast<Window*>(GetPropA(window, kOwnerProperty));
}

void unbind(HWND window) {
    Window* owner = static_cast<Window*>(RemovePropA(window, kOwnerProperty));
    if (owner != nullptr) {
        detail::WindowAccess::setHandle(*owner, nullptr);
    }
}

LRESULT deliver(Window& owner, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                bool& handled) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return owner.dispatch(wm::kNotify, header->idFrom, static_cast<int>(header->code),
                                  handled);
        }
        case WM_PAINT: {
            // The default painting of these windows is only BeginPaint and EndPaint (the
            // background is erased through WM_ERASEBKGND, which still takes the default path), so
            // painting here whether or not the owner draws loses nothing.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            {
                DrawContext context(dc, DrawContext::Kind::paint, window);
                owner.dispatch(wm::kPaint, 0, reinterpret_cast<std::intptr_t>(&context), handled);
            }
            EndPaint(window, &paint);
            handled = true;
            return 0;
        }
        default:
            return owner.dispatch(message, wParam, lParam, handled);
    }
}

void stopOnException(const char* where) {
    // Plain writes: a formatted print would bring a printf of the run-time's into every program.
    std::fputs("Unhandled exception in ", stderr);
    std::fputs(where, stderr);
    try {
        throw;
    } catch (const std::exception& error) {
        std::fputs(": ", stderr);
        std::fputs(error.what(), stderr);
    } catch (...) {
    }
    std::fputs("\n", stderr);
    std::fflush(stderr);
    std::abort();
}

}  // namespace fw::win32

namespace fw::sys {

void detachWindow(Handle window) {
    HWND hwnd = static_cast<HWND>(window);
    RemovePropA(hwnd, win32::kOwnerProperty);
    DestroyWindow(hwnd);
}

}  // namespace fw::sys
