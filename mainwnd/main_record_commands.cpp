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

#include "framework/text.h"
#include "mainwnd/add_data_dlg.h"
#include "mainwnd/main_dlg.h"
#include "records/atomic_file.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_commands.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "res/resource.h"

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
    if (!records::LoopCountAllowsAdding(m_pThread->LoopCount())) {
        ShowResourceMessage(IDS_LOOP_NOT_DEFAULT);
        return;
    }
    // What the dialog proposes comes from the file as it is now; the file is
    // read again once the user has answered, since another running copy of
    // the program may have stored records meanwhile.
    records::Record record;
    records::RecordForm proposed;
    {
        records::IniFile file;
        if (!LoadDataFile(file)) {
            // Nothing can be written to a file that cannot be read.
            ReportSaveFailure();
            return;
        }
        // The new record is the running system as record 0 holds it, with
        // the times the window shows for it.
        record = ShownRecord(file, 0);
        proposed = records::NewRecordForm(file, records::StoredRecordCount(file), record.system,
                                          record.processor, LocalTimeNow());
    }
    CAddDataDlg dlg(CAddDataDlg::kAddMode, proposed, hwnd_);
    if (dlg.DoModal() != IDOK)
        return;
    records::ApplyRecordForm(dlg.Form(), record.system);
    record.system.ProbeSettings();

    // The count is the file's own, read for this operation: a count kept
    // since start-up, or since the dialog opened, may be stale and would
    // overwrite stored records.
    int32_t count = 0, added = 0;
    records::IniFile file;
    const bool saved = ChangeDataFile(file, Unreadable::kReportAtOnce, [&](records::IniFile& f) {
        count = records::StoredRecordCount(f);
        added = records::AddRecord(f, count, record);
        return true;
    });
    if (!saved)
        return;
    if (count == m_nDataNum)
        AppendStoredRecord(added, record.system.SystemName);
    else
        ListStoredRecords(file, added);
    m_nDataNum = added;
    Selector().SetCurSel(Selector().Count() - 1);
    // The selector now names the new record: show it, so that the list and
    // the information lines never belong to another record than the one
    // the selector names.
    ShowRecord();
}

void CMainDlg::OnDeleteData(fw::Message&) {
    // "This System" (entry 0) is never deleted.
    const int32_t k = SelectedRecord();
    if (k < 1)
        return;

    // The record as the dialog shows it, from the file as it is now.
    records::RecordForm shown;
    {
        records::IniFile file;
        if (!LoadDataFile(file)) {
            ReportSaveFailure();
            return;
        }
        if (k > records::StoredRecordCount(file)) {
            // The file holds fewer records than the selector lists: show
            // what it holds instead of deleting anything.
            RelistStoredRecords(file);
            return;
        }
        CSysInfo sys = CSysInfo::ForLoading();
        records::LoadSection(file, k, sys);
        shown = records::StoredRecordForm(sys);
    }
    CAddDataDlg dlg(CAddDataDlg::kDeleteMode, shown, hwnd_);
    if (dlg.DoModal() != IDOK)
        return;

    // Read again after the answer: another running copy may have added or
    // deleted records meanwhile. Only the record the user saw is deleted,
    // found again by its number and its texts; when the file no longer
    // holds it there, nothing is deleted and the selector shows what the
    // file holds.
    int32_t count = 0, left = 0;
    bool read = false, found = false;
    records::IniFile file;
    const bool saved = ChangeDataFile(file, Unreadable::kReportAtOnce, [&](records::IniFile& f) {
        read = true;
        count = records::StoredRecordCount(f);
        if (k <= count) {
            CSysInfo sys = CSysInfo::ForLoading();
            records::LoadSection(f, k, sys);
            found = records::SameRecordForm(records::StoredRecordForm(sys), shown);
        }
        if (!found)
            return false;
        left = records::DeleteRecord(f, count, k);
        return true;
    });
    if (read && !found)
        RelistStoredRecords(file);
    if (!saved)
        return;
    // The records above the deleted one have moved down: listed again.
    ListStoredRecords(file, left);
    Selector().SetCurSel(0);
    ShowRecord();
}

void CMainDlg::RelistStoredRecords(const records::IniFile& file) {
    ListStoredRecords(file, records::StoredRecordCount(file));
    Selector().SetCurSel(0);
    ShowRecord();
}

void CMainDlg::OnDropFiles(fw::Message& m) {
    // Only the first file of a drop is imported; the drop is released at
    // once, whatever follows. Its name is taken whole, however long and
    // whatever characters its folders have.
    HDROP drop = reinterpret_cast<HDROP>(m.wParam);
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    records::FilePath path;
    if (length > 0) {
        path.resize(length + 1);
        path.resize(DragQueryFileW(drop, 0, &path[0], length + 1));
    }
    DragFinish(drop);
    m.result = 0;
    if (path.empty() || IsOwnDataFile(path))
        return;
    ImportDataFile(path);
}

bool CMainDlg::IsOwnDataFile(const records::FilePath& path) const {
    // The same file on the disk, however the path spells it: a short name,
    // another letter case, a link. Where either cannot be opened, the full
    // paths are compared instead, without regard to letter case.
    if (records::IsSameFile(path, m_dataPath))
        return true;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    const records::FilePath compared = length > 0 && length < MAX_PATH ? full : path;
    return lstrcmpiW(compared.c_str(), m_dataPath.c_str()) == 0;
}

void CMainDlg::ImportDataFile(const records::FilePath& path) {
    // Any file is read, whatever its name; one that cannot be read (or is
    // too large to be a data file) imports nothing.
    records::IniFile source;
    if (!source.Load(path))
        return;
    int32_t before = 0, count = 0;
    std::vector<std::string> names;
    records::IniFile file;
    const bool saved = ChangeDataFile(file, Unreadable::kReportAtOnce, [&](records::IniFile& f) {
        before = count = records::StoredRecordCount(f);
        names = records::ImportRecords(source, f, count);
        return !names.empty();
    });
    if (!saved)
        return;
    if (before == m_nDataNum) {
        for (size_t i = 0; i < names.size(); ++i)
            AppendStoredRecord(before + 1 + static_cast<int32_t>(i), names[i]);
    } else {
        ListStoredRecords(file, count);
    }
    m_nDataNum = count;
    ShowRecord();
    MessageBeep(0);
}

void CMainDlg::AppendStoredRecord(int32_t number, const std::string& name) {
    // Inserted by position, so the selector's sort style does not apply and
    // entry i stays m_listed[i - 1].
    Selector().InsertString(-1, fw::WidenAnsi(name));
    m_listed.push_back(number);
}

void CMainDlg::ListStoredRecords(const records::IniFile& file, int32_t count) {
    const fw::ComboBox selector = Selector();
    for (int n = selector.Count(); n > 1; --n)
        selector.DeleteString(n - 1);
    m_listed.clear();
    for (const records::StoredName& stored : records::ReadSystemNames(file, count))
        AppendStoredRecord(stored.number, stored.name);
    m_nDataNum = count;
    if (selector.CurSel() == CB_ERR)
        selector.SetCurSel(0);
}

void CMainDlg::ShowResourceMessage(UINT stringId) {
    MessageBoxW(hwnd_, fw::LoadResourceString(stringId).c_str(),
                fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
