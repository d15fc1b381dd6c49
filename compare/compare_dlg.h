// The comparison window: up to eight records side by side against a
// baseline, as a table with the noise rule's colours, a chart, and exports
// to Markdown, CSV and HTML.
//
// It reads records only: "This System" as the main window holds it, the
// stored records of the program's data file, and those of any other data
// file the user opens, none of which is ever written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compare/compare_chart.h"
#include "compare/comparison.h"
#include "framework/dialog.h"
#include "framework/list_view.h"
#include "records/file_path.h"

namespace records {
class IniFile;
}

class CCompareDlg : public fw::Dialog {
  public:
    // The choice: thisSystem (timed with thisSystemLoop) and the stored
    // records of file. Without an owner the application's main window owns
    // the window.
    CCompareDlg(const records::IniFile& file, records::Record thisSystem, int32_t thisSystemLoop,
                HWND owner = nullptr);
    ~CCompareDlg() override;

    // Adds the records of another data file to the choice, unchosen; false
    // (with a message) when it cannot be read, holds none or is there already.
    bool AddDataFile(const records::FilePath& path);
    // Chooses exactly these rows of the choice (the first eight of them) and
    // the baseline: a row among them (else the first), or -1 for the
    // reference machine.
    void Choose(const std::vector<int>& rows, int baselineRow);
    // The exports of what the window shows, UTF-8.
    std::string MarkdownText() const;
    std::string CsvText() const;
    std::string HtmlText() const;
    const compare::Comparison& Shown() const { return m_comparison; }

  protected:
    BOOL OnInitDialog() override;
    bool RouteMessage(fw::Message& m) override;

  private:
    // The choice, the table and the chart.
    void FillChoice(int firstRow);
    std::vector<int> ChosenRows() const;
    void Recompare();
    void FillBaselineBox();
    void FillTable();
    void ShowLegend();
    void LayOut();
    void ShowMessage(UINT stringId) const;

    void OnChoiceChanged(fw::Message& m);
    void OnBaselineChange(fw::Message& m);
    void OnColumnClick(fw::Message& m);
    void OnTableCustomDraw(fw::Message& m);
    void OnOpenDataFile(fw::Message& m);
    void OnCopyMarkdown(fw::Message& m);
    void OnCopyCsv(fw::Message& m);
    void OnSaveHtml(fw::Message& m);
    void OnSize(fw::Message& m);
    void OnGetMinMaxInfo(fw::Message& m);

    fw::ListView Choice() const;
    fw::ListView Table() const;

    // What a row of the table shows.
    enum class RowKind { kMachine, kTest, kSummary };
    struct TableRow {
        RowKind kind;
        int index;  // the machine field, the test or the summary line
    };

    std::vector<compare::Entry> m_entries;   // row i of the choice
    std::vector<records::FilePath> m_files;  // the data files listed, the own one first
    std::vector<int> m_chosen;               // the chosen rows, in choice order
    int m_baselineRow = -1;                  // a chosen row, or -1: the reference
    int m_sortColumn = -1;                   // the record column the tests sort by
    compare::Comparison m_comparison;
    std::vector<int> m_order;
    std::vector<TableRow> m_rows;
    bool m_filling = false;  // the choice's checks are being set by the program
    CCompareChart m_chart;
    HICON m_hIcon = nullptr;
};
