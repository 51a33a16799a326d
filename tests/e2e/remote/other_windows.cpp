#include "other_windows.h"

#include <chrono>
#include <cstring>
#include <vector>

namespace remote {

namespace {

struct Search {
    const std::string& titlePrefix;
    const std::string& className;
    HWND found = nullptr;
};

// Reads a window's title or class name, which GetWindowTextA and GetClassNameA fill alike.
std::string textOf(HWND window, int(WINAPI* get)(HWND, LPSTR, int)) {
    std::vector<char> buffer(1024);
    const int length = get(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

BOOL CALLBACK visit(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        return TRUE;
    }
    // The title as the system keeps it: reading it sends no message, so a busy window
    // cannot stall the search.
    const std::string title = textOf(window, GetWindowTextA);
    if (title.rfind(search.titlePrefix, 0) != 0 ||
        (!search.className.empty() && textOf(window, GetClassNameA) != search.className)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

HWND findWindow(const std::string& titlePrefix, const std::string& className) {
    Search search{titlePrefix, className};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<std::string> windowText(HWND window) {
    if (window == nullptr) {
        return std::nullopt;
    }
    std::vector<char> buffer(1024, '\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, 2000,
                             &length)) {
        return std::nullopt;
    }
    // The text ends at its terminator, whatever a window about to go reports as its length.
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
}

Reading waitFor(const std::function<Reading()>& read,
                const std::function<bool(const Reading&)>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        Reading value = read();
        if (done(value) || std::chrono::steady_clock::now() >= end) {
            return value;
        }
        Sleep(100);
    }
}

}  // namespace remote
