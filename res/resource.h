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
#define IDS_SAVE_FAILED 125

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

// Main window (template 129)
#define IDC_RESULT_LIST 1016
#define IDC_FIRST_BAR 1017  // 1017..1036: one bar per test
#define IDC_TOTAL_BAR 1037
#define IDC_TOTAL_TIME 1038
#define IDC_TOTAL_MARK 1039
#define IDC_START_ALL 1040
#define IDC_TXT_COPY 1041
#define IDC_OPTION 1042
#define IDC_ADD_DATA 1043
#define IDC_DEL_DATA 1044
#define IDC_SYSTEM_SELECTOR 1045
#define IDC_AVERAGE_MARK 1046
#define IDC_PROCESSOR_LINE 1047
#define IDC_VIDEO_LINE 1048
#define IDC_PLATFORM_LINE 1049
#define IDC_BMP_COPY 1050
#define IDC_LOGO 1051
#define IDC_PROCESSOR_BUTTON 1052
#define IDC_VIDEO_BUTTON 1053
#define IDC_PLATFORM_BUTTON 1054
#define IDC_OVERALL_LABEL 1055
#define IDC_CLOSE 1056
#define IDC_SYSTEM_BUTTON 1057
#define IDC_GRAPH_TITLE 1058
#define IDC_GRAPH_AREA 1059

// Main window commands (popup menu 105) and the system menu's About item
#define IDM_ABOUTBOX 16
#define ID_START_SELECTED 32771
#define ID_COPY_TEXT 32773
#define ID_COPY_BITMAP 32774
#define ID_START_ALL 32775
#define ID_ADD_DATA 32776
#define ID_DELETE_DATA 32777
#define ID_PROCESSOR 32778
#define ID_VIDEOCARD 32779
#define ID_PLATFORM 32780
#define ID_ABOUT 32782
#define ID_GRAPH_3000 32784
#define ID_GRAPH_5000 32785
#define ID_GRAPH_8000 32786
#define ID_GRAPH_10000 32787
#define ID_OPTIONS 32789
#define ID_EXIT 32790

#include "info_ids.h"
#include "record_ids.h"
#include "compare_ids.h"
