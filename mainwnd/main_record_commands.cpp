// Adding, deleting and importing records from the main window.
//
// The record book does the work on the data file (one load, the store
// operation and one save, with the file's own record count at that moment);
// the window opens the dialogs, reports what failed and has its selector
// follow the book, which changes only after a save has succeeded (and
// follows the file when it has changed since it was listed).
#include <windows.h>
#include <shellapi.h>

#include <ctime>
#include <string>

#include "framework/text.h"
#include "mainwnd/add_data_dlg.h"
#include "mainwnd/main_dlg.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_commands.h"
#include "res/resource.h"
#include "sysinfo/system_probe.h"

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
    // What the dialog proposes comes from the file as it is now; the book
    // reads it again once the user has answered.
    records::Record record;
    records::RecordForm proposed;
    if (!m_book.ProposeRecord(LocalTimeNow(), record, proposed)) {
        // Nothing can be written to a file that cannot be read.
        ReportSaveFailure();
        return;
    }
    CAddDataDlg dlg(CAddDataDlg::kAddMode, proposed, hwnd_);
    if (dlg.DoModal() != IDOK)
        return;
    records::ApplyRecordForm(dlg.Form(), record.system);
    sysinfo::SystemProbe().ProbeSettings(record.system);

    const records::BookOutcome outcome = m_book.Add(record);
    if (!Reported(outcome.change))
        return;
    FollowBook(outcome);
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
    switch (m_book.ProposeDelete(k, shown)) {
        case records::RecordBook::Proposal::kShow:
            break;
        case records::RecordBook::Proposal::kUnreadable:
            ReportSaveFailure();
            return;
        case records::RecordBook::Proposal::kVanished:
            RelistStoredRecords();
            return;
    }
    CAddDataDlg dlg(CAddDataDlg::kDeleteMode, shown, hwnd_);
    if (dlg.DoModal() != IDOK)
        return;

    // The book reads the file again after the answer and deletes only the
    // record the user saw; either way the selector then lists what the file
    // holds, with "This System" shown.
    const records::BookOutcome outcome = m_book.Delete(k, shown);
    Reported(outcome.change);
    if (outcome.list == records::ListUpdate::kRelist)
        RelistStoredRecords();
}

void CMainDlg::RelistStoredRecords() {
    ListStoredRecords();
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
    if (path.empty() || m_book.IsOwnFile(path))
        return;
    ImportDataFile(path);
}

void CMainDlg::ImportDataFile(const records::FilePath& path) {
    // Any file is read, whatever its name; one that cannot be read (or is
    // too large to be a data file) imports nothing.
    records::IniFile source;
    if (!source.Load(path))
        return;
    const records::BookOutcome outcome = m_book.Import(source);
    if (!Reported(outcome.change))
        return;
    FollowBook(outcome);
    ShowRecord();
    MessageBeep(0);
}

void CMainDlg::FollowBook(const records::BookOutcome& outcome) {
    if (outcome.list == records::ListUpdate::kRelist) {
        ListStoredRecords();
        return;
    }
    // Inserted by position, so the selector's sort style does not apply and
    // entry i stays the book's listed record i.
    for (const records::StoredName& stored : outcome.appended)
        Selector().InsertString(-1, fw::WidenAnsi(stored.name));
}

void CMainDlg::ListStoredRecords() {
    const fw::ComboBox selector = Selector();
    for (int n = selector.Count(); n > 1; --n)
        selector.DeleteString(n - 1);
    for (const records::StoredName& stored : m_book.Listed())
        selector.InsertString(-1, fw::WidenAnsi(stored.name));
    if (selector.CurSel() == CB_ERR)
        selector.SetCurSel(0);
}

void CMainDlg::ShowResourceMessage(UINT stringId) {
    MessageBoxW(hwnd_, fw::LoadResourceString(stringId).c_str(),
                fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
