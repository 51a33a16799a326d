// The settings record's defaults, shared by the window's creation and a damaged file.
#pragma once

class CDialerDlg;

// Empties the option strings, the current entry's fields and the remembered entries, and clears
// the option flags.
void SetDefaultSettings(CDialerDlg& dlg);
