// The current user's registry through the Win32 registry calls.
#include <windows.h>

#include "sys.h"

namespace fw::sys {

namespace {

HKEY keyOf(void* key) {
    return static_cast<HKEY>(key);
}

}  // namespace

long regOpen(const std::string& subKey, bool create, void** key) {
    HKEY opened = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened, nullptr)
               : RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened);
    *key = result == ERROR_SUCCESS ? opened : nullptr;
    return result;
}

long regClose(void* key) {
    return RegCloseKey(keyOf(key));
}

long regQuery(void* key, const std::string& name, void* data, std::uint32_t* size,
              std::uint32_t* type) {
    DWORD valueType = REG_NONE;
    DWORD valueSize = size != nullptr ? *size : 0;
    const LONG result =
        RegQueryValueExA(keyOf(key), name.c_str(), nullptr, &valueType, static_cast<BYTE*>(data),
                         size != nullptr ? &valueSize : nullptr);
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        if (size != nullptr) {
            *size = valueSize;
        }
        if (type != nullptr) {
            *type = valueType;
        }
    }
    return result;
}

long regSet(void* key, const std::string& name, std::uint32_t type, const void* data,
            std::uint32_t size) {
    return RegSetValueExA(keyOf(key), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

long regDeleteValue(void* key, const std::string& name) {
    return RegDeleteValueA(keyOf(key), name.c_str());
}

long regEnumValue(void* key, std::uint32_t index, std::string* name) {
    char buffer[16384];  // the longest value name is 16,383 characters
    DWORD length = sizeof buffer;
    const LONG result =
        RegEnumValueA(keyOf(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) {
        name->assign(buffer, length);
    }
    return result;
}

}  // namespace fw::sys
