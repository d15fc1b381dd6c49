// The comparison window's table: machine rows, one row per test in the
// chosen order, then the summaries; cells coloured by the noise rule.
#include "compare/chart_layout.h"
#include "compare/compare_dlg.h"
#include "compare/entry.h"
#include "compare/export_text.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

const int kLabelColumnWidth = 190;
const int kLeastRecordColumnWidth = 120;
const int kSummaryRows = compare::kSummaryRowCount;

const COLORREF kMachineBackground = RGB(0xF6, 0xF6, 0xF6);
const COLORREF kSummaryBackground = RGB(0xEC, 0xF2, 0xFA);

}  // namespace

void CCompareDlg::FillTable() {
    const fw::ListView table = Table();
    const compare::Comparison& c = m_comparison;
    const int columns = static_cast<int>(c.entries.size());
    SendMessageW(table.Handle(), WM_SETREDRAW, FALSE, 0);
    // The columns are made again only when their number changes, so widths
    // the user set stay while the choice changes its records.
    if (table.ColumnCount() != columns + 1) {
        while (table.DeleteColumn(0)) {
        }
        const RECT area = table.ClientRect();
        const int recordWidth =
            columns == 0
                ? 0
                : std::max(kLeastRecordColumnWidth,
                           static_cast<int>(area.right - area.left - kLabelColumnWidth) / columns);
        table.InsertColumn(0, L"", kLabelColumnWidth);
        for (int col = 0; col < columns; ++col)
            table.InsertColumn(col + 1, L"", recordWidth);
    }
    std::wstring heading = fw::LoadResourceString(IDS_CMP_TEST);
    if (m_sortColumn < 0)
        heading += L" \u25BC";
    table.SetColumnHeading(0, heading);
    for (int col = 0; col < columns; ++col) {
        heading = fw::WidenUtf8(compare::EntryLabel(c.entries[col]));
        if (col == c.baseline)
            heading += fw::LoadResourceString(IDS_CMP_BASELINE_MARK);
        if (col == m_sortColumn)
            heading += L" \u25BC";
        table.SetColumnHeading(col + 1, heading);
    }

    // Every choice has the same rows; only their texts change.
    const int rowCount = compare::kMachineFieldCount + bench::kTestCount + kSummaryRows;
    if (table.ItemCount() != rowCount) {
        table.DeleteAllItems();
        for (int r = 0; r < rowCount; ++r)
            table.InsertItem(r, std::wstring(), -1);
    }
    m_rows.clear();
    int row = 0;
    auto addRow = [&](RowKind kind, int index, const std::wstring& label) {
        m_rows.push_back(TableRow{kind, index});
        table.SetCellText(row, 0, label);
        return row++;
    };
    for (int f = 0; f < compare::kMachineFieldCount; ++f) {
        const int r =
            addRow(RowKind::kMachine, f, fw::LoadResourceString(IDS_CMP_MACHINE_FIRST + f));
        for (int col = 0; col < columns; ++col)
            table.SetCellText(r, col + 1,
                              fw::WidenUtf8(compare::MachineText(
                                  c.entries[col], static_cast<compare::MachineField>(f))));
    }
    std::string name;
    for (int test : m_order) {
        GetTestName(test, name);
        const int r = addRow(RowKind::kTest, test, fw::WidenUtf8(name));
        for (int col = 0; col < columns; ++col)
            table.SetCellText(r, col + 1, fw::WidenUtf8(compare::CellText(c.cells[test][col])));
    }

    wchar_t label[128];
    swprintf(label, 128, fw::LoadResourceString(IDS_CMP_GEOMETRIC_MARK).c_str(), c.commonCount);
    const std::wstring summaryLabels[kSummaryRows] = {
        fw::LoadResourceString(IDS_CMP_TOTAL_TIME), label,
        fw::LoadResourceString(IDS_CMP_GEOMETRIC_RATIO), fw::LoadResourceString(IDS_CMP_WINS)};
    for (int s = 0; s < kSummaryRows; ++s) {
        const int r = addRow(RowKind::kSummary, s, summaryLabels[s]);
        for (int col = 0; col < columns; ++col)
            table.SetCellText(
                r, col + 1,
                fw::WidenUtf8(compare::SummaryText(c, col, static_cast<compare::SummaryRow>(s))));
    }
    SendMessageW(table.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(table.Handle(), nullptr, TRUE);
}

void CCompareDlg::OnColumnClick(fw::Message& m) {
    // The first column goes back to the catalogue's order; a record's
    // column sorts the tests by its ratio, fastest first.
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(m.lParam);
    m_sortColumn = click->iSubItem - 1;
    m_order = compare::SortedTests(m_comparison, m_sortColumn);
    FillTable();
    m_chart.SetComparison(&m_comparison, m_order);
}

void CCompareDlg::OnTableCustomDraw(fw::Message& m) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(m.lParam);
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            m.result = CDRF_NOTIFYITEMDRAW;
            return;
        case CDDS_ITEMPREPAINT:
            m.result = CDRF_NOTIFYSUBITEMDRAW;
            return;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            break;
        default:
            m.result = CDRF_DODEFAULT;
            return;
    }
    const size_t row = draw->nmcd.dwItemSpec;
    const int col = draw->iSubItem - 1;
    draw->clrText = RGB(0, 0, 0);
    draw->clrTextBk = RGB(0xFF, 0xFF, 0xFF);
    // The colours set here are used as the control draws the cell itself;
    // no font changes, so no CDRF_NEWFONT, which costs a font selection per
    // cell.
    m.result = CDRF_DODEFAULT;
    if (row >= m_rows.size())
        return;
    const TableRow& what = m_rows[row];
    if (what.kind == RowKind::kMachine) {
        draw->clrTextBk = kMachineBackground;
        if (col >= 0 && compare::DiffersFromBaseline(
                            m_comparison, col, static_cast<compare::MachineField>(what.index)))
            draw->clrTextBk = compare::kDifferingTint.ColorRef();
        return;
    }
    if (what.kind == RowKind::kSummary) {
        draw->clrTextBk = kSummaryBackground;
        return;
    }
    if (col < 0 || col >= static_cast<int>(m_comparison.entries.size()))
        return;
    switch (m_comparison.cells[what.index][col].verdict) {
        case compare::Verdict::kFaster:
            draw->clrText = compare::kFasterColour.ColorRef();
            break;
        case compare::Verdict::kSlower:
            draw->clrText = compare::kSlowerColour.ColorRef();
            break;
        case compare::Verdict::kBaseline:
            break;
        default:
            draw->clrText = compare::kNeutralColour.ColorRef();
            break;
    }
}
