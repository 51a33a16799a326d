#include "setup/install/complete_dlg.h"

#include "resource.h"

CCompleteDlg::CCompleteDlg(fw::Window* parent) : fw::Dialog(IDD_COMPLETE, parent) {}
