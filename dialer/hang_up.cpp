// Hanging up as the platform wants it: a handle is hung up once and then forgotten, and its line
// is given time to close before the port is dialed again or the program ends, since a port
// reused or left at once may stay busy.
#include <algorithm>

#include "dialer/dialer_dlg.h"
#include "framework/clock.h"

namespace {

// The longest wait for a line to close, from its hang-up, and the pause between queries.
constexpr std::int64_t kLineCloseMs = 3000;
constexpr unsigned kCloseQueryMs = 50;

}  // namespace

void CDialerDlg::HangUpConnection() {
    if (m_hRasConn == nullptr) {
        return;
    }
    m_ras.RasHangUpA(m_hRasConn);
    // Handles are system-wide: once hung up, the value may come back as another program's.
    m_hClosingConn = m_hRasConn;
    m_nHangUpMs = fw::nowMs();
    m_hRasConn = nullptr;
}

void CDialerDlg::WaitForLineClosed() {
    if (m_hClosingConn == nullptr) {
        return;
    }
    // A clock set back or forward while we wait counts as no time or all of it.
    const std::int64_t left =
        std::clamp<std::int64_t>(kLineCloseMs - (fw::nowMs() - m_nHangUpMs), 0, kLineCloseMs);
    for (std::int64_t waited = 0;; waited += kCloseQueryMs) {
        ras::ConnStatus status{};
        status.dwSize = sizeof status;
        // The handle is gone once the line has closed.
        if (m_ras.RasGetConnectStatusA(m_hClosingConn, ras::platformRecord(&status)) ==
                ras::kErrorInvalidHandle ||
            waited >= left) {
            break;
        }
        fw::sleepMs(kCloseQueryMs);
    }
    m_hClosingConn = nullptr;
}
