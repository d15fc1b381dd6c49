#pragma once
// Ids of the add/delete data dialog (135) and of the export messages. The
// popup menu's command ids live in resource.h with the main window's.

// Add/delete data dialog (template 135). The edits share their numbers with
// controls of the main window, hence the prefix.
#define IDC_ADD_NAME 1047
#define IDC_ADD_USER 1048
#define IDC_ADD_COMPUTER 1049
#define IDC_ADD_DATE 1050
#define IDC_ADD_MESSAGE 1061
#define IDC_ADD_NAME_LABEL 1062
#define IDC_ADD_USER_LABEL 1063
#define IDC_ADD_COMPUTER_LABEL 1064
#define IDC_ADD_DATE_LABEL 1065
#define IDC_ADD_MEMO_LABEL 1073
#define IDC_ADD_MEMO 1074

// TXT COPY or BMP COPY could not build what it copies (memory or GDI
// exhausted, or a window without a picture to take).
#define IDS_COPY_FAILED 150
// The data file did not fit in memory; nothing was written.
#define IDS_OUT_OF_MEMORY 151
// The benchmark worker thread is not running, so no test can run.
#define IDS_WORKER_FAILED 152
// An unexpected failure stopped an operation; nothing was written.
#define IDS_UNEXPECTED_ERROR 153
