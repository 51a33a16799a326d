// A dial's progress: the service's reports turned into titles and status texts, redialing after a
// failed attempt, and the watch over a live connection.
#include <type_traits>

#include "dialer/dialer_dlg.h"
#include "framework/window.h"

std::atomic<fw::Handle> g_hMainWnd{nullptr};

namespace {

constexpr unsigned kRedialMs = 8000;
constexpr unsigned kPollMs = 7500;

// What the window shows while a dial passes a state.
struct StateTexts {
    std::uint32_t state;
    const char* title;
    const char* status;
};
constexpr StateTexts kStateTexts[] = {
    {ras::kOpenPort, "Ondrel v1.3 (Dialing)", "Dialing..."},
    {ras::kAuthenticate, "Ondrel v1.3 (Verifying User ID and Password)",
     "Verifying User ID and Password..."},
    {ras::kAuthenticated, "Ondrel v1.3 (Logging onto Network...)", "Logging onto Network..."},
};

}  // namespace

// RasDialA calls it as a notifier of type 0: it must be exactly of the platform's type.
static_assert(std::is_same_v<decltype(&RasDialNotifier), ras::DialFunc>);

void RASAPI_CALL RasDialNotifier(unsigned /*message*/, ras::ConnState state, ras::Dword error) {
    fw::postMessage(g_hMainWnd.load(), WM_DIAL_PROGRESS, static_cast<std::uint32_t>(state),
                    static_cast<std::intptr_t>(error));
}

void CDialerDlg::OnDialProgress(std::uint32_t state, std::uint32_t error) {
    // A report of an attempt that was cancelled, hung up or has ended changes nothing.
    if (m_bDialing == 0) {
        return;
    }
    if (error != ras::kSuccess) {
        m_bDialing = 0;
        m_dwLastError = error;
        HangUpConnection();
        killTimer(TIMER_POLL);
        // A cancelled attempt's late report must not bring the dial back.
        if (m_settings.m_bKeepDialing != 0 && m_bCancelled == 0) {
            setTimer(TIMER_AUTODIAL, kRedialMs);
            m_strStatus = "Connection attempt failed, trying again...";
        } else {
            // The attempt ends as a hang-up does, with its own status.
            HangUp();
            m_strStatus = "Connection attempt failed. Try again later.";
            m_bCancelled = 0;
            killTimer(TIMER_ANIMATE);
        }
    } else if (state == ras::kConnected) {
        m_bDialing = 0;
        setText("Ondrel v1.3 (Connected to " + m_strEntryName + ")");
        m_strStatus = "Connected";
        item(fw::kIdOk).setText("Disconnect");
        TrayNotify(fw::TrayOp::modify, kTrayIconId, m_ahTrayIcons[3]);
        m_nTrayFrame = 3;
        m_bConnected = 1;
        killTimer(TIMER_ANIMATE);
        setTimer(TIMER_POLL, kPollMs);
        StartProgramAndSound();
        // The dialer drops into the tray.
        minimize();
        hide();
    } else {
        for (const StateTexts& row : kStateTexts) {
            if (row.state == state) {
                setText(row.title);
                m_strStatus = row.status;
            }
        }
    }
    updateData(false);
}

void CDialerDlg::OnPollTimer() {
    ras::ConnStatus status{};
    status.dwSize = sizeof status;
    const ras::Dword result = m_ras.RasGetConnectStatusA(m_hRasConn, ras::platformRecord(&status));
    // A query that fails tells of a connection that is no longer there.
    if (result != ras::kSuccess || status.rasconnstate == ras::kDisconnected ||
        status.dwError != ras::kSuccess) {
        m_dwLastError = result != ras::kSuccess ? result : status.dwError;
        killTimer(TIMER_POLL);
        OnConnect();
    }
    updateData(false);
}
