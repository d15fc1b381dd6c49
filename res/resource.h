// Resource and control ids. Plain #defines so that the resource compiler,
// the Win32 layer and the portable core can all include this header.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_TEST 102
#define IDD_PROCESSOR 104
#define IDD_MAIN 129
#define IDD_SPLASH 131
#define IDD_ADDDATA 135
#define IDD_VIDEONAME 136
#define IDD_SYSTEMINFO 138
#define IDD_OPTIONS 139
#define IDD_DESCRIPTION 146

// Menu
#define IDR_POPUP 105

// Bitmaps and icons
#define IDI_APP 128
#define IDB_LOGO 130
#define IDB_MARKS 133
#define IDI_SMALL 134
#define IDB_COPYLOGO 141

// Strings
#define IDS_ABOUTBOX 101
#define IDS_CAPTION 102
#define IDS_CLIPBOARD_FAILED 103
#define IDS_DESCRIPTION_FIRST 104  // 104..123: one description per test
#define IDS_LOOP_NOT_DEFAULT 124

// Application manifest
#define IDR_MANIFEST 1

// Test window (template 102)
#define IDC_START_SEQUENCE 1000
#define IDC_TIMEBOX 1001
#define IDC_TEST_STATIC 1002
#define IDC_TEST_EDIT 1003
#define IDC_TEST_LISTBOX 1004
#define IDC_TEST_PROGRESS 1006
#define IDC_TEST_SMOOTH_PROGRESS 1007
#define IDC_TEST_SLIDER 1008
#define IDC_TEST_TREE 1009
#define IDC_TEST_SCROLLBAR 1010
#define IDC_TEST_LISTVIEW 1011
#define IDC_TEST_BUTTON 1012
#define IDC_TEST_GROUPBOX 1013
#define IDC_TEST_RADIO1 1014
#define IDC_TEST_CHECKBOX 1015
#define IDC_TEST_RADIO2 1016
#define IDC_TEST_TAB 1034
#define IDC_TEST_COMBO 1045
#define IDC_TEST_PICTURE 1060
#define IDC_TEST_NOTE 1061

// Splash and About
#define IDC_CAPTION_LINE 1075
#define IDC_VERSION_LINE 1076
#define IDC_NOTICE_LINE 1077
