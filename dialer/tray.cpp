// The tray icon and the window's life around it: the icon's animation and mouse messages, the
// icon added again when the shell restarts, the tray menu's "Open", minimising into the tray,
// painting while minimised.
#include "dialer/dialer_dlg.h"
#include "framework/controls.h"
#include "framework/gdi.h"
#include "resource.h"

BOOL CDialerDlg::TrayNotify(fw::TrayOp operation, unsigned id, const fw::Icon& icon) {
    m_pTrayIcon = operation == fw::TrayOp::remove ? nullptr : &icon;
    const std::string tip = text().substr(0, fw::kTrayTipMax);
    return fw::trayNotify(operation, *this, id, WM_TRAY_NOTIFY, icon, tip) ? 1 : 0;
}

void CDialerDlg::OnAnimateTimer() {
    // Back and forth between the idle and the connected frame, each end shown twice.
    m_nTrayFrame += m_bTrayReverse != 0 ? -1 : 1;
    if (m_nTrayFrame >= 4) {
        m_nTrayFrame = 3;
        m_bTrayReverse = 1;
    } else if (m_nTrayFrame < 0) {
        m_nTrayFrame = 0;
        m_bTrayReverse = 0;
    }
    TrayNotify(fw::TrayOp::modify, kTrayIconId, m_ahTrayIcons[m_nTrayFrame]);
}

void CDialerDlg::OnTrayNotify(unsigned mouseMessage) {
    switch (mouseMessage) {
        case fw::mouse::kLeftDoubleClick:
            if (isMinimized()) {
                restore();
            }
            break;
        case fw::mouse::kRightDown:
            m_trayMenu.track(*this, fw::cursorPos(), fw::kTrackLeftAlign | fw::kTrackRightButton);
            break;
        default:
            break;
    }
}

void CDialerDlg::OnTaskbarCreated() {
    // Without its icon a hidden dialer could not be reached.
    if (m_pTrayIcon != nullptr) {
        TrayNotify(fw::TrayOp::add, kTrayIconId, *m_pTrayIcon);
    }
}

void CDialerDlg::OnTrayOpen() {
    if (isMinimized()) {
        restore();
    }
}

void CDialerDlg::onSize(int kind, int /*width*/, int /*height*/) {
    // Minimised, the dialer lives in the tray only.
    if (kind == fw::kSizeMinimized) {
        hide();
    }
}

bool CDialerDlg::onPaint(fw::DrawContext& dc) {
    if (!isMinimized()) {
        return false;
    }
    dc.eraseIconBackground(*this);
    const fw::Rect client = clientRect();
    const int x = (client.width() - fw::systemIconWidth() + 1) / 2;
    const int y = (client.height() - fw::systemIconHeight() + 1) / 2;
    dc.drawIcon(x, y, m_ahTrayIcons[0]);
    return true;
}

fw::Handle CDialerDlg::onQueryDragIcon() {
    return m_ahTrayIcons[0].handle();
}
