// Adding, deleting and importing records from the main window.
//
// Each operation is one load of the data file, the store operation and one
// save. The window's record count and its selector change only after the
// save has succeeded; a failed save has already been reported and the store
// reverted, so the window keeps showing what the file holds.
#include <windows.h>
#include <shellapi.h>

#include <ctime>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "framework/text.h"
#include "mainwnd/add_data_dlg.h"
#include "mainwnd/main_dlg.h"
#include "records/ini_store.h"
#include "records/record_commands.h"
#include "records/record_store.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"

namespace {

std::tm LocalTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::tm t{};
    t.tm_year = now.wYear - 1900;
    t.tm_mon = now.wMonth - 1;
    t.tm_mday = now.wDay;
    t.tm_hour = now.wHour;
    t.tm_min = now.wMinute;
    t.tm_sec = now.wSecond;
    t.tm_wday = now.wDayOfWeek;
    return t;
}

}  // namespace

void CMainDlg::OnAddData(fw::Message&) {
    if (!records::LoopCountAllowsAdding(m_pThread->m_nLoop)) {
        ShowResourceMessage(IDS_LOOP_NOT_DEFAULT);
        return;
    }
    CAddDataDlg dlg(hwnd_);
    CSysInfo sys;
    CCpuInfo cpu;
    const std::tm now = LocalTimeNow();

    // The new record is the running system as record 0 holds it.
    records::IniFile file;
    LoadDataFile(file);
    cpu.LoadRecord(file, 0);
    sys.LoadRecord(file, 0);
    dlg.m_form = records::NewRecordForm(file, m_nDataNum, sys, cpu, now);
    if (dlg.DoModal() != IDOK)
        return;

    // The times of the last run, as saved in record 0.
    CMarkResult times;
    times.LoadRecord(file, 0);
    records::ApplyRecordForm(dlg.m_form, sys);
    sys.ProbeSettings();
    const int32_t count = records::AddRecord(file, m_nDataNum, {sys, cpu, times});
    if (!SaveDataFile(file))
        return;
    m_nDataNum = count;
    AppendSystemName(sys.SystemName);
    SendItem(IDC_SYSTEM_SELECTOR, CB_SETCURSEL, static_cast<WPARAM>(count));
    // The selector now names the new record: show it, so that the list and
    // the information lines never belong to another record than the one
    // the selector names.
    ShowRecord();
}

void CMainDlg::OnDeleteData(fw::Message&) {
    // "This System" (entry 0) is never deleted.
    const LRESULT sel = SendItem(IDC_SYSTEM_SELECTOR, CB_GETCURSEL);
    if (sel == CB_ERR || sel < 1 || sel > m_nDataNum)
        return;
    const int32_t k = static_cast<int32_t>(sel);

    CAddDataDlg dlg(hwnd_);
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    records::IniFile file;
    LoadDataFile(file);
    sys.LoadRecord(file, k);
    dlg.m_form = records::StoredRecordForm(sys);
    dlg.m_nMode = CAddDataDlg::kDeleteMode;
    if (dlg.DoModal() != IDOK)
        return;

    const int32_t count = records::DeleteRecord(file, m_nDataNum, k, {sys, cpu, times});
    if (!SaveDataFile(file))
        return;
    m_nDataNum = count;
    SendItem(IDC_SYSTEM_SELECTOR, CB_DELETESTRING, static_cast<WPARAM>(k));
    SendItem(IDC_SYSTEM_SELECTOR, CB_SETCURSEL, 0);
    ShowRecord();
}

void CMainDlg::OnDropFiles(fw::Message& m) {
    // Only the first file of a drop is imported; the drop is released at
    // once, whatever follows.
    HDROP drop = reinterpret_cast<HDROP>(m.wParam);
    char path[MAX_PATH] = {};
    const UINT length = DragQueryFileA(drop, 0, path, MAX_PATH);
    DragFinish(drop);
    m.result = 0;
    if (length == 0 || length >= MAX_PATH || IsOwnDataFile(path))
        return;
    ImportDataFile(path);
}

bool CMainDlg::IsOwnDataFile(const char* path) const {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    const char* compared = length > 0 && length < MAX_PATH ? full : path;
    // lstrcmpiA folds letters only, never the second byte of a double-byte
    // character.
    return lstrcmpiA(compared, m_szDataPath) == 0;
}

void CMainDlg::ImportDataFile(const char* path) {
    // Any file is read, whatever its name; one that cannot be read (or is
    // too large to be a data file) imports nothing.
    records::IniFile source;
    if (!source.Load(path))
        return;
    records::IniFile file;
    LoadDataFile(file);
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    int32_t count = m_nDataNum;
    const std::vector<std::string> names =
        records::ImportRecords(source, file, count, {sys, cpu, times});
    if (names.empty())
        return;
    if (!SaveDataFile(file))
        return;
    m_nDataNum = count;
    for (const std::string& name : names)
        AppendSystemName(name);
    ShowRecord();
    MessageBeep(0);
}

void CMainDlg::AppendSystemName(const std::string& name) {
    // Inserted by position, so the selector's sort style does not apply and
    // entry i stays record i.
    SendItem(IDC_SYSTEM_SELECTOR, CB_INSERTSTRING, static_cast<WPARAM>(-1),
             reinterpret_cast<LPARAM>(fw::WidenAnsi(name).c_str()));
}

void CMainDlg::ShowResourceMessage(UINT stringId) {
    MessageBoxW(hwnd_, fw::LoadResourceString(stringId).c_str(),
                fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
