// A rasapi32.dll that is not the system's, planted beside Ondrel.exe by the end-to-end test: the
// dialer must never load it. Its phonebook lists the one entry "E2E Decoy", and it dials nothing.
#include <windows.h>
// ras.h needs windows.h first.
#include <ras.h>

#include <cstring>

namespace {

constexpr DWORD kRecord = 264;
constexpr DWORD kRefused = ERROR_INVALID_PARAMETER;

}  // namespace

extern "C" {

DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, LPRASENTRYNAMEA records, LPDWORD size,
                             LPDWORD entries) {
    *entries = 1;
    if (records == nullptr || *size < kRecord) {
        *size = kRecord;
        return 603;  // the buffer is too small
    }
    *size = kRecord;
    std::strcpy(records->szEntryName, "E2E Decoy");
    return 0;
}

DWORD WINAPI RasCreatePhonebookEntryA(HWND, LPCSTR) {
    return kRefused;
}

DWORD WINAPI RasEditPhonebookEntryA(HWND, LPCSTR, LPCSTR) {
    return kRefused;
}

DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA, DWORD, LPVOID, LPHRASCONN) {
    return kRefused;
}

DWORD WINAPI RasGetConnectStatusA(HRASCONN, LPRASCONNSTATUSA) {
    return ERROR_INVALID_HANDLE;
}

DWORD WINAPI RasHangUpA(HRASCONN) {
    return ERROR_INVALID_HANDLE;
}

DWORD WINAPI RasGetErrorStringA(UINT, LPSTR, DWORD) {
    return kRefused;
}

}  // extern "C"
