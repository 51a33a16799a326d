// Resource ids of the framework's test program.
#pragma once

#define IDD_SAMPLE 200
#define IDI_SAMPLE 300
#define IDB_IMAGES 301

#define IDC_NAME 1000
#define IDC_SECRET 1001
#define IDC_LABEL 1002
#define IDC_LIST 1003
#define IDC_ROWS 1004
#define IDC_PROGRESS 1005
#define IDC_FLAG 1006
#define IDC_DAY 1007
#define IDC_COUNT 1008
#define IDC_MINUTES 1009
#define IDC_RADIO_A 1010
#define IDC_RADIO_B 1011
