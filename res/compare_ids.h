#pragma once
// Ids of the comparison window (template 160) and its strings.

#define IDD_COMPARE 160

#define IDC_CMP_CHOICE 1101
#define IDC_CMP_BASELINE_LABEL 1102
#define IDC_CMP_BASELINE 1103
#define IDC_CMP_OPEN 1104
#define IDC_CMP_STATUS 1105
#define IDC_CMP_COPY_MARKDOWN 1106
#define IDC_CMP_COPY_CSV 1107
#define IDC_CMP_SAVE_HTML 1108
#define IDC_CMP_TABLE 1109
#define IDC_CMP_CHART 1110
#define IDC_CMP_LEGEND 1111

// The main window's command that opens it (F6 and the popup menu).
#define ID_COMPARE 32791

#define IDS_CMP_REFERENCE 160
#define IDS_CMP_TEST 161
#define IDS_CMP_CHOICE_NAME 162
#define IDS_CMP_CHOICE_PROCESSOR 163
#define IDS_CMP_CHOICE_PLATFORM 164
#define IDS_CMP_CHOICE_FILE 165
#define IDS_CMP_MACHINE_FIRST 166  // 166..172: one per machine row
#define IDS_CMP_TOTAL_TIME 173
#define IDS_CMP_GEOMETRIC_MARK 174
#define IDS_CMP_GEOMETRIC_RATIO 175
#define IDS_CMP_WINS 176
#define IDS_CMP_LEGEND 177
#define IDS_CMP_SINGLE_ROUND 178
#define IDS_CMP_TOO_MANY 179
#define IDS_CMP_CHOSEN 180
#define IDS_CMP_CANNOT_OPEN 181
#define IDS_CMP_NO_RECORDS 182
#define IDS_CMP_SAVE_FAILED 183
#define IDS_CMP_BASELINE_MARK 184
#define IDS_CMP_ALREADY_OPEN 185
#define IDS_CMP_TOO_LARGE 186  // %d: the limit in MB, %d: in records
