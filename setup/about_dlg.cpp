#include "setup/about_dlg.h"

#include "resource.h"

CSetupAboutDlg::CSetupAboutDlg(fw::Window* parent) : fw::Dialog(IDD_ABOUTBOX, parent) {}
