#include "system_library.h"

#include <string>

namespace fw::win32 {

FARPROC systemProcAddress(const char* library, const char* function) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    // The full path: a DLL of the same name planted in the program's folder or the current folder
    // is never loaded. The DLL's own imports are looked for beside it, not beside the program.
    const std::string path = std::string(folder, length) + "\\" + library;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        return nullptr;
    }
    // Loading it again only counts up; the DLL stays loaded until the program ends, as its
    // threads may still run code of it.
    return GetProcAddress(module, function);
}

}  // namespace fw::win32
