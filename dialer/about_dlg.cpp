#include "dialer/about_dlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(fw::Window* parent) : fw::Dialog(IDD_ABOUTBOX, parent) {}
