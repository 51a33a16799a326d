// UTF-16 to the system's 8-bit code page.
#include <windows.h>

#include "sys.h"

namespace fw::sys {

std::string wideToAnsi(const std::u16string& text) {
    if (text.empty()) {
        return {};
    }
    // No best-fit letters: a character the code page lacks becomes '?', as on the headless backend.
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, nullptr, 0, "?", nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, result.data(), size, "?",
                        nullptr);
    return result;
}

}  // namespace fw::sys
