// The main window: the result list and graph of the record on display, the
// three information lines, the system selector and every command button.
// It owns the benchmark worker for its whole life.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "bench/velkoras.h"
#include "framework/combo_box.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/color_button.h"
#include "framework/color_label.h"
#include "framework/list_view.h"
#include "records/file_path.h"
#include "records/record_book.h"
#include "mainwnd/graph_ctrl.h"

class CCpuInfo;
class CSysInfo;

namespace records {
class IniFile;
}  // namespace records

class CMainDlg : public fw::Dialog {
  public:
    CMainDlg();
    ~CMainDlg() override;

    // Loads the record selected in the system selector and shows it.
    void ShowRecord();
    // Fills the list, the bars and the totals from the worker's result set.
    void ShowResults();
    // Runs the flagged tests in the test window, shows and saves the times.
    void RunBenchmark();
    // Clamps to 2000..20000, sets the bars' ranges, reshows the record.
    void SetGraphMax(int nMax);
    int GraphMax() const;

    void OnStartAll();
    void OnStartSelected();

    static constexpr int kBarCount = bench::kTestCount + 1;  // 20 tests and the total

  protected:
    BOOL OnInitDialog() override;
    bool RouteMessage(fw::Message& m) override;
    bool PreTranslateMessage(MSG* msg) override;

  private:
    void DoDataExchange(fw::DataExchange& dx) override;
    void SetUpList();
    void LayOutBars();
    void SetColours();
    int SelectedRecord() const;
    // The system selector (entry i names record i) and the result list.
    fw::ComboBox Selector() const;
    fw::ListView ResultList() const;

    // The data file's operations through the book, whose outcomes the
    // window reports: a file that cannot be written, in a message box.
    using Unreadable = records::Unreadable;
    bool ChangeDataFile(records::IniFile& file, Unreadable unreadable,
                        const std::function<bool(records::IniFile&)>& operation);
    // Reports the change's failure, if any; true once saved.
    bool Reported(records::Change change);
    void ReportSaveFailure();
    void ReportOutOfMemory();
    // Start-up's part of the data file: the book opened, the stored records
    // in the selector, the stored loop count. Returns the stored graph
    // maximum.
    int OpenDataFile(const CCpuInfo& cpu, CSysInfo& sys);

    // Handlers (routing in main_commands.cpp).
    void OnStartAllCommand(fw::Message& m);
    void OnStartSelectedCommand(fw::Message& m);
    void OnCloseCommand(fw::Message& m);
    void OnSelectionChange(fw::Message& m);
    void OnKeyDown(fw::Message& m);
    void OnSysCommand(fw::Message& m);
    void OnHelp(fw::Message& m);
    void OnDestroy(fw::Message& m);
    void OnGraphMaxCommand(fw::Message& m);
    void OnAboutCommand(fw::Message& m);

    // The information windows (main_info_commands.cpp).
    void OnProcessorCommand(fw::Message& m);
    void OnVideoCommand(fw::Message& m);
    void OnSystemCommand(fw::Message& m);
    void OnOptionsCommand(fw::Message& m);
    void OnListDoubleClick(fw::Message& m);
    void OnCompareCommand(fw::Message& m);

    // Records and export (main_record_commands.cpp, main_export_commands.cpp)
    // and the popup menu (main_menu.cpp).
    void OnAddData(fw::Message& m);
    void OnDeleteData(fw::Message& m);
    void OnDropFiles(fw::Message& m);
    void OnCopyText(fw::Message& m);
    void OnCopyBitmap(fw::Message& m);
    void OnContextMenu(fw::Message& m);

    // Helpers of the record and export commands.
    void ImportDataFile(const records::FilePath& path);
    // The selector follows the book: entries appended, or its entries after
    // "This System" listed anew (the selection kept where it still exists).
    void FollowBook(const records::BookOutcome& outcome);
    void ListStoredRecords();
    // The selector follows a file that has changed behind the window's back:
    // the book's records, "This System" selected and shown.
    void RelistStoredRecords();
    void ShowResourceMessage(UINT stringId);

    CColorButton m_btnBmpCopy, m_btnSystem, m_btnClose, m_btnVideo, m_btnTxtCopy, m_btnStartAll,
        m_btnPlatform, m_btnOption, m_btnDelData, m_btnProcessor, m_btnAddData;
    CColorLabel m_lblOverAll, m_lblVideo, m_lblPlatform, m_lblProcessor, m_lblTotalTime,
        m_lblAverage, m_lblTotalMark;
    CGraphCtrl m_graph[kBarCount];
    HICON m_hIcon = nullptr;
    fw::ImageList m_markImages;  // the result list's, shared with it
    std::unique_ptr<CVelkoras> m_pThread;
    fw::Font m_listFont;
    // The data file; selector entry i is the book's listed record i.
    records::RecordBook m_book;
};
