#include "dialer/keep_connection_dlg.h"

#include "resource.h"

CKeepConnectionDlg::CKeepConnectionDlg(fw::Window* parent)
    : fw::Dialog(IDD_KEEP_CONNECTION, parent) {}

void CKeepConnectionDlg::doDataExchange(fw::DataExchange& dx) {
    dx.text(IDC_KEEP_CONNECTION_TEXT, m_strQuestion);
}
