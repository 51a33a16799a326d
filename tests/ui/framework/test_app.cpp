#include "sample_dialog.h"

// The application object of the framework's test program.
TestApp theApp;
