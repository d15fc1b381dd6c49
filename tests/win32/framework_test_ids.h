#pragma once
#define IDD_FW_TEST 9000
#define IDC_FW_EDIT 9001
#define IDC_FW_CHECK 9002
#define IDC_FW_COMBO 9003
#define IDC_FW_DRAWN 9004
#define IDC_FW_LABEL 9005
#define IDC_FW_FIRST 9010
