// Resource ids of Setup.
#pragma once

#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
#define IDD_WELCOME 130
#define IDB_SETUP_PICTURE 131
#define IDD_DESTINATION 132
#define IDD_COPYING 133
#define IDD_CANCEL_SETUP 134
#define IDD_COMPLETE 135

// The welcome page's Back, always disabled.
#define IDC_WELCOME_BACK 1000
// The destination page.
#define IDC_BROWSE 1001
#define IDC_DEST_FOLDER 1002
#define IDC_DEST_BACK 1003
// The copying dialog.
#define IDC_DEST_LINE 1004
#define IDC_SOURCE_LINE 1005
#define IDC_PROGRESS 1006
#define IDC_PERCENT 1007

// The framework's standard commands of the frame's menu.
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
