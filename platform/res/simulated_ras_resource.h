// Resource ids of the simulated remote access service: 900-999 for dialogs and strings,
// 9000-9099 for controls, so that they never meet the programs' own ids.
#pragma once

#define IDD_RAS_ENTRY 900

#define IDC_RAS_NAME 9000
#define IDC_RAS_PHONE 9001
#define IDC_RAS_DEVICE 9002
#define IDC_RAS_LINE 9003
#define IDC_RAS_COUNT 9004
