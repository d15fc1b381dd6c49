// Adding, deleting and importing records from the main window.
//
// Each operation is one load of the data file, the store operation and one
// save, with the record count the file itself holds at that moment. The
// window's record count and its selector change only after the save has
// succeeded (and follow the file when it has changed since they were
// filled); a failed save has already been reported and the store reverted,
// so the window keeps showing what the file holds.
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
#include "records/data_file.h"
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
    // The count is the file's own, read for this operation: a count kept
    // since start-up may be stale and would overwrite stored records.
    records::IniFile file;
    if (!LoadDataFileForChange(file))
        return;
    const int32_t count = records::StoredRecordCount(file);

    // The new record is the running system as record 0 holds it, with the
    // times the window shows for it.
    CAddDataDlg dlg(hwnd_);
    CSysInfo sys;
    CCpuInfo cpu;
    cpu.LoadRecord(file, 0);
    sys.LoadRecord(file, 0);
    dlg.m_form = records::NewRecordForm(file, count, sys, cpu, LocalTimeNow());
    if (dlg.DoModal() != IDOK)
        return;

    CMarkResult times = m_thisSystem;
    records::ApplyRecordForm(dlg.m_form, sys);
    sys.ProbeSettings();
    const int32_t added = records::AddRecord(file, count, {sys, cpu, times});
    if (!SaveDataFile(file))
        return;
    if (count == m_nDataNum)
        AppendSystemName(sys.SystemName);
    else
        ListStoredRecords(file, added);
    m_nDataNum = added;
    Selector().SetCurSel(added);
    // The selector now names the new record: show it, so that the list and
    // the information lines never belong to another record than the one
    // the selector names.
    ShowRecord();
}

void CMainDlg::OnDeleteData(fw::Message&) {
    // "This System" (entry 0) is never deleted.
    const int32_t k = Selector().CurSel();
    if (k == CB_ERR || k < 1)
        return;

    records::IniFile file;
    if (!LoadDataFileForChange(file))
        return;
    const int32_t count = records::StoredRecordCount(file);
    if (k > count) {
        // The file holds fewer records than the selector lists: show what
        // it holds instead of deleting anything.
        ListStoredRecords(file, count);
        Selector().SetCurSel(0);
        ShowRecord();
        return;
    }

    CAddDataDlg dlg(hwnd_);
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    sys.LoadRecord(file, k);
    dlg.m_form = records::StoredRecordForm(sys);
    dlg.m_nMode = CAddDataDlg::kDeleteMode;
    if (dlg.DoModal() != IDOK)
        return;

    const int32_t left = records::DeleteRecord(file, count, k, {sys, cpu, times});
    if (!SaveDataFile(file))
        return;
    if (count == m_nDataNum && left == count - 1)
        Selector().DeleteString(k);
    else
        ListStoredRecords(file, left);
    m_nDataNum = left;
    Selector().SetCurSel(0);
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
    if (!LoadDataFileForChange(file))
        return;
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    const int32_t before = records::StoredRecordCount(file);
    int32_t count = before;
    const std::vector<std::string> names =
        records::ImportRecords(source, file, count, {sys, cpu, times});
    if (names.empty())
        return;
    if (!SaveDataFile(file))
        return;
    if (before == m_nDataNum) {
        for (const std::string& name : names)
            AppendSystemName(name);
    } else {
        ListStoredRecords(file, count);
    }
    m_nDataNum = count;
    ShowRecord();
    MessageBeep(0);
}

void CMainDlg::AppendSystemName(const std::string& name) {
    // Inserted by position, so the selector's sort style does not apply and
    // entry i stays record i.
    Selector().InsertString(-1, fw::WidenAnsi(name));
}

void CMainDlg::ListStoredRecords(const records::IniFile& file, int32_t count) {
    const fw::ComboBox selector = Selector();
    for (int n = selector.Count(); n > 1; --n)
        selector.DeleteString(n - 1);
    for (const std::string& name : records::ReadSystemNames(file, count))
        AppendSystemName(name);
    m_nDataNum = count;
    if (selector.CurSel() == CB_ERR)
        selector.SetCurSel(0);
}

void CMainDlg::ShowResourceMessage(UINT stringId) {
    MessageBoxW(hwnd_, fw::LoadResourceString(stringId).c_str(),
                fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
