#pragma once
// Ids of the information windows: processor (104), video card name (136),
// system information (138), options (139), description (146). Several
// numbers repeat across the templates; each name belongs to one template.

// Processor information window (template 104)
#define IDC_PROC_MORE 4  // hidden: the size cycle's command
#define IDC_PROC_TEXTOUT 1000
#define IDC_PROC_TAB 1001    // hidden and disabled
#define IDC_PROC_START 1002  // hidden and disabled
#define IDC_PROC_VENDOR 1003
#define IDC_PROC_NAME 1004
#define IDC_PROC_SIGNATURE 1005
#define IDC_PROC_FREQUENCY 1006
#define IDC_PROC_MMX 1007
#define IDC_PROC_3DNOW 1008
#define IDC_PROC_SSE 1009
#define IDC_PROC_FEATURES 1010
#define IDC_PROC_CACHE 1011
#define IDC_PROC_GROUP 1012
#define IDC_PROC_CACHE_TREE 1013
#define IDC_PROC_CODENAME 1014
#define IDC_PROC_CACHE_GROUP 1017
#define IDC_PROC_FEATURE_GROUP 1018
#define IDC_PROC_SPEED_LIST 1021  // hidden and disabled
#define IDC_PROC_NAME_BUTTON 1022
#define IDC_PROC_CODENAME_BUTTON 1023

// Video card name (template 136)
#define IDC_VIDEO_NAME_COMBO 1045
#define IDC_VIDEO_NAME_EDIT 1047  // hidden unless read-only
#define IDC_VIDEO_NAME_LABEL 1048
#define IDC_VIDEO_NAME_NOTE 1061

// System information (template 138)
#define IDC_SYS_USER 1047
#define IDC_SYS_COMPUTER 1049
#define IDC_SYS_PLATFORM 1050
#define IDC_SYS_DATE 1051
#define IDC_SYS_USER_LABEL 1063
#define IDC_SYS_COMPUTER_LABEL 1064
#define IDC_SYS_SMOOTH_SCROLL 1065
#define IDC_SYS_COMBO_ANIMATION 1066
#define IDC_SYS_LIST_ANIMATION 1067
#define IDC_SYS_FONT_SMOOTHING 1068
#define IDC_SYS_DATE_LABEL 1069
#define IDC_SYS_PLATFORM_LABEL 1070
#define IDC_SYS_NOTE 1071
#define IDC_SYS_MEMO_LABEL 1073
#define IDC_SYS_MEMO 1074

// Options (template 139)
#define IDC_OPT_LOOP 1045
#define IDC_OPT_GRAPH 1046
#define IDC_OPT_DEFAULTS 1078
#define IDC_OPT_SAVE 1079
#define IDC_OPT_ROUNDS 1081  // the rounds of a run, beside the loop count

// Test description (template 146)
#define IDC_DESC_TEXT 1080
