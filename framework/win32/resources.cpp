// Strings and icons from the program's resources.
#include "instance.h"
#include "sys.h"

// The linker's symbol for the start of the module it builds.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fw::win32 {

HINSTANCE programInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace fw::win32

namespace fw::sys {

std::string loadString(int id) {
    char buffer[1024];
    int length = LoadStringA(win32::programInstance(), static_cast<UINT>(id), buffer,
                             static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

Handle loadIcon(int id) {
    return LoadIconA(win32::programInstance(), MAKEINTRESOURCEA(id));
}

}  // namespace fw::sys
