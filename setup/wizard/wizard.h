// The installation wizard: the welcome and destination pages, the copying dialog and the
// completion dialog, each modal in front of the banner. It ends the program by posting the quit
// message (exit code 0) before it returns, whatever the outcome.
#pragma once

void RunWizard();
