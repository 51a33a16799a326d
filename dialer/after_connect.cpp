// Around dialing: the program and sound after connecting, the entry's editor, the last error.
#include <cstring>

#include "dialer/dialer_dlg.h"
#include "framework/message_box.h"
#include "framework/shell.h"

namespace {

constexpr const char* kErrorDetailsCaption = "Error Details";
// Room for an error text, terminator included.
constexpr std::uint32_t kErrorTextRoom = 256;

}  // namespace

void CDialerDlg::StartProgramAndSound() {
    // The program first; the sound returns at once and plays while the window hides.
    if (m_settings.m_bStartProgram != 0) {
        fw::winExec(m_settings.m_strProgramPath, fw::kShowNormal);
    }
    if (m_settings.m_bPlaySound != 0) {
        fw::playSound(m_settings.m_strSoundPath, fw::kSoundAsync);
    }
}

void CDialerDlg::OnProperties() {
    if (ras::CheckRemoteAccess(m_ras, this) &&
        ras::IsStub(
            m_ras.RasEditPhonebookEntryA(ras::ownerOf(this), nullptr, m_strEntryName.c_str()))) {
        ras::ReportMissing(this);
    }
}

void CDialerDlg::OnErrorDetails() {
    if (m_dwLastError == ras::kSuccess) {
        fw::messageBox(this, "No errors to report.", kErrorDetailsCaption, fw::mb::kOk);
        return;
    }
    if (!ras::CheckRemoteAccess(m_ras, this)) {
        return;
    }
    // A service that writes nothing leaves the text of the previous request.
    m_strErrorText.resize(kErrorTextRoom);
    m_ras.RasGetErrorStringA(m_dwLastError, m_strErrorText.data(), kErrorTextRoom);
    m_strErrorText.resize(std::strlen(m_strErrorText.c_str()));
    fw::messageBox(this, m_strErrorText, kErrorDetailsCaption, fw::mb::kOk);
}
