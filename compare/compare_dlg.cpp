// The comparison window: its choice of records, the baseline, the layout
// and the exports. The table is filled in compare_table.cpp.
#include "compare/compare_dlg.h"

#include <windows.h>

#include <algorithm>

#include "compare/entry.h"
#include "compare/exports.h"
#include "framework/combo_box.h"
#include "framework/file_dialog.h"
#include "framework/text.h"
#include "framework/text_codec.h"
#include "records/atomic_file.h"
#include "records/ini_store.h"
#include "records/record_book.h"
#include "records/record_store.h"
#include "res/resource.h"

namespace {

const wchar_t kDataFileFilter[] = L"Velkora (*.vlk)\0*.vlk\0*.*\0*.*\0";
const wchar_t kHtmlFilter[] = L"HTML (*.html)\0*.html;*.htm\0";

// The window's size on a screen of 1280 x 1024 and up, and the least it
// shrinks to.
const SIZE kPreferredSize{1240, 960};
const SIZE kMinimumSize{800, 560};

// The layout in pixels: margins, the choice's height, the legend's.
const int kMargin = 8;
const int kChoiceHeight = 150;
const int kLegendHeight = 56;
const int kButtonHeight = 26;

// How many records the window chooses when it opens.
const int kFirstChoice = 4;

std::wstring FileNameOf(const records::FilePath& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == records::FilePath::npos ? path : path.substr(slash + 1);
}

}  // namespace

CCompareDlg::CCompareDlg(const records::RecordBook& book, int32_t thisSystemLoop, HWND owner)
    : fw::Dialog(IDD_COMPARE, owner) {
    const fw::AnsiCodec& codec = fw::SystemAnsiCodec();
    // A file that cannot be read lists no stored records.
    auto file = std::make_unique<records::IniFile>();
    book.Load(*file);
    // "This System" comes with the times of the last run, which the file
    // may not hold.
    m_thisSystem =
        compare::MakeEntry(book.ShownRecord(*file, 0), 0, std::string(), thisSystemLoop, codec);
    for (compare::Listing& listing : compare::ListStoredRecords(*file, codec))
        m_choiceRows.push_back({0, std::move(listing)});
    const records::IniFile* store = file.get();
    m_files.push_back({book.Path(), std::string(), store, std::move(file)});
}

CCompareDlg::~CCompareDlg() = default;

fw::ListView CCompareDlg::Choice() const {
    return fw::ListView(Item(IDC_CMP_CHOICE));
}

fw::ListView CCompareDlg::Table() const {
    return fw::ListView(Item(IDC_CMP_TABLE));
}

bool CCompareDlg::RouteMessage(fw::Message& m) {
    static const fw::Route<CCompareDlg> routes[] = {
        fw::OnNotify(LVN_ITEMCHANGED, IDC_CMP_CHOICE, &CCompareDlg::OnChoiceChanged),
        fw::OnControl(CBN_SELCHANGE, IDC_CMP_BASELINE, &CCompareDlg::OnBaselineChange),
        fw::OnNotify(LVN_COLUMNCLICK, IDC_CMP_TABLE, &CCompareDlg::OnColumnClick),
        fw::OnNotify(NM_CUSTOMDRAW, IDC_CMP_TABLE, &CCompareDlg::OnTableCustomDraw),
        fw::OnCommand(IDC_CMP_OPEN, &CCompareDlg::OnOpenDataFile),
        fw::OnCommand(IDC_CMP_COPY_MARKDOWN, &CCompareDlg::OnCopyMarkdown),
        fw::OnCommand(IDC_CMP_COPY_CSV, &CCompareDlg::OnCopyCsv),
        fw::OnCommand(IDC_CMP_SAVE_HTML, &CCompareDlg::OnSaveHtml),
        fw::OnMessage(WM_SIZE, &CCompareDlg::OnSize),
        fw::OnMessage(WM_GETMINMAXINFO, &CCompareDlg::OnGetMinMaxInfo),
    };
    return fw::Dispatch(this, routes, m);
}

BOOL CCompareDlg::OnInitDialog() {
    m_hIcon = fw::LoadProgramIcon(IDI_SMALL);
    SetIcon(m_hIcon);
    m_chart.Bind(Item(IDC_CMP_CHART));

    const fw::ListView choice = Choice();
    choice.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const UINT headings[] = {IDS_CMP_CHOICE_NAME, IDS_CMP_CHOICE_PROCESSOR, IDS_CMP_CHOICE_PLATFORM,
                             IDS_CMP_CHOICE_FILE};
    const int widths[] = {200, 240, 200, 110};
    for (int c = 0; c < 4; ++c)
        choice.InsertColumn(c, fw::LoadResourceString(headings[c]).c_str(), widths[c]);
    Table().SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    FillChoice(0);

    // To begin with: this system when it has been timed and the newest
    // stored records, four in all, against the first of them.
    std::vector<int> first;
    const CMarkResult& now = m_thisSystem.record.timing;
    if (std::any_of(std::begin(now.m_fTime), std::end(now.m_fTime), [](float t) { return t > 0; }))
        first.push_back(0);
    const int newest = static_cast<int>(m_choiceRows.size());
    for (int row = std::max(1, newest - (kFirstChoice - static_cast<int>(first.size())) + 1);
         row <= newest; ++row)
        first.push_back(row);
    Choose(first, first.empty() ? -1 : first.front());

    // Fills the work area up to the size the table and chart are made for.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min<int>(kPreferredSize.cx, work.right - work.left - 2 * kMargin);
    const int height = std::min<int>(kPreferredSize.cy, work.bottom - work.top - 2 * kMargin);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    return TRUE;
}

void CCompareDlg::FillChoice(int firstRow) {
    const fw::ListView choice = Choice();
    m_filling = true;
    // Drawn once at the end, not once per row: a file may bring thousands.
    SendMessageW(choice.Handle(), WM_SETREDRAW, FALSE, 0);
    const int rows = static_cast<int>(m_choiceRows.size()) + 1;
    for (int row = firstRow; row < rows; ++row) {
        const int32_t number = row == 0 ? 0 : m_choiceRows[row - 1].listing.number;
        const std::string& name = row == 0 ? m_thisSystem.name : m_choiceRows[row - 1].listing.name;
        choice.InsertItem(row, fw::WidenUtf8(name.empty() ? "#" + std::to_string(number) : name),
                          0);
        if (row == 0) {
            choice.SetCellText(row, 1,
                               fw::WidenUtf8(compare::MachineText(
                                   m_thisSystem, compare::MachineField::kProcessor)));
            choice.SetCellText(
                row, 2,
                fw::WidenUtf8(compare::MachineText(m_thisSystem, compare::MachineField::kWindows)));
            continue;
        }
        const ChoiceRow& r = m_choiceRows[row - 1];
        choice.SetCellText(row, 1, fw::WidenUtf8(r.listing.processor));
        choice.SetCellText(row, 2, fw::WidenUtf8(r.listing.windows));
        const std::string& origin = m_files[r.file].origin;
        if (!origin.empty())
            choice.SetCellText(row, 3, fw::WidenUtf8(origin + " #" + std::to_string(number)));
    }
    SendMessageW(choice.Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(choice.Handle(), nullptr, TRUE);
    m_filling = false;
}

const compare::Entry& CCompareDlg::EntryOf(int row) {
    if (row == 0)
        return m_thisSystem;
    auto found = m_read.find(row);
    if (found == m_read.end()) {
        const ChoiceRow& r = m_choiceRows[row - 1];
        const ListedFile& file = m_files[r.file];
        found = m_read
                    .emplace(row, compare::ReadStoredEntry(*file.store, r.listing.number,
                                                           file.origin, fw::SystemAnsiCodec()))
                    .first;
    }
    return found->second;
}

void CCompareDlg::KeepEntriesOf(const std::vector<int>& rows) {
    for (auto it = m_read.begin(); it != m_read.end();) {
        if (std::find(rows.begin(), rows.end(), it->first) == rows.end())
            it = m_read.erase(it);
        else
            ++it;
    }
}

std::vector<int> CCompareDlg::ChosenRows() const {
    std::vector<int> rows;
    const fw::ListView choice = Choice();
    for (int row = 0; row < choice.ItemCount(); ++row)
        if (choice.IsChecked(row))
            rows.push_back(row);
    return rows;
}

void CCompareDlg::Choose(const std::vector<int>& rows, int baselineRow) {
    const fw::ListView choice = Choice();
    const auto end = rows.begin() + std::min<size_t>(rows.size(), compare::kMaxChosen);
    m_filling = true;
    for (int row = 0; row < choice.ItemCount(); ++row) {
        const bool chosen = std::find(rows.begin(), end, row) != end;
        if (choice.IsChecked(row) != chosen)
            choice.SetChecked(row, chosen);
    }
    m_filling = false;
    m_chosen = ChosenRows();
    m_baselineRow = baselineRow;
    if (m_baselineRow >= 0 &&
        std::find(m_chosen.begin(), m_chosen.end(), m_baselineRow) == m_chosen.end())
        m_baselineRow = m_chosen.empty() ? -1 : m_chosen.front();
    Recompare();
}

void CCompareDlg::OnChoiceChanged(fw::Message& m) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(m.lParam);
    if (m_filling || ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    std::vector<int> rows = ChosenRows();
    std::wstring status;
    if (rows.size() > compare::kMaxChosen) {
        // The ninth check is taken back at once.
        m_filling = true;
        Choice().SetChecked(change->iItem, false);
        m_filling = false;
        rows = ChosenRows();
        status = fw::LoadResourceString(IDS_CMP_TOO_MANY);
    }
    m_chosen = rows;
    if (m_baselineRow >= 0 && std::find(rows.begin(), rows.end(), m_baselineRow) == rows.end())
        m_baselineRow = rows.empty() ? -1 : rows.front();
    Recompare();
    if (!status.empty())
        SetItemText(IDC_CMP_STATUS, status);
}

void CCompareDlg::OnBaselineChange(fw::Message&) {
    const int sel = fw::ComboBox(Item(IDC_CMP_BASELINE)).CurSel();
    if (sel == CB_ERR)
        return;
    m_baselineRow = sel == 0 || sel > static_cast<int>(m_chosen.size()) ? -1 : m_chosen[sel - 1];
    Recompare();
}

void CCompareDlg::Recompare() {
    std::vector<compare::Entry> chosen;
    int baseline = compare::kReferenceBaseline;
    KeepEntriesOf(m_chosen);
    for (int row : m_chosen) {
        if (row == m_baselineRow)
            baseline = static_cast<int>(chosen.size());
        chosen.push_back(EntryOf(row));
    }
    m_comparison = compare::Compare(std::move(chosen), baseline);
    if (m_sortColumn >= static_cast<int>(m_chosen.size()))
        m_sortColumn = -1;
    m_order = compare::SortedTests(m_comparison, m_sortColumn);
    FillBaselineBox();
    FillTable();
    m_chart.SetComparison(&m_comparison, m_order);
    ShowLegend();
    wchar_t status[128];
    swprintf(status, 128, fw::LoadResourceString(IDS_CMP_CHOSEN).c_str(),
             static_cast<int>(m_chosen.size()));
    SetItemText(IDC_CMP_STATUS, status);
}

void CCompareDlg::FillBaselineBox() {
    const fw::ComboBox box(Item(IDC_CMP_BASELINE));
    while (box.Count() > 0)
        box.DeleteString(0);
    box.InsertString(-1, fw::LoadResourceString(IDS_CMP_REFERENCE));
    int selected = 0;
    for (size_t i = 0; i < m_chosen.size(); ++i) {
        box.InsertString(-1, fw::WidenUtf8(compare::EntryLabel(EntryOf(m_chosen[i]))));
        if (m_chosen[i] == m_baselineRow)
            selected = static_cast<int>(i) + 1;
    }
    box.SetCurSel(selected);
}

void CCompareDlg::ShowLegend() {
    std::wstring legend = fw::LoadResourceString(IDS_CMP_LEGEND);
    if (m_comparison.HasSingleRound())
        legend += L"\r\n" + fw::LoadResourceString(IDS_CMP_SINGLE_ROUND);
    SetItemText(IDC_CMP_LEGEND, legend);
}

bool CCompareDlg::AddDataFile(const records::FilePath& path) {
    for (const ListedFile& listed : m_files) {
        if (records::IsSameFile(listed.path, path)) {
            ShowMessage(IDS_CMP_ALREADY_OPEN);
            return false;
        }
    }
    // Refused by its size before a byte is read, so no file keeps the
    // window waiting.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes) &&
        ((uint64_t{attributes.nFileSizeHigh} << 32) | attributes.nFileSizeLow) >
            kMaxOpenedFileSize) {
        ShowTooLarge();
        return false;
    }
    auto file = std::make_unique<records::IniFile>();
    file->LimitSections(compare::kMaxSharedSections);
    if (!file->Load(path)) {
        if (file->TooManySections())
            ShowTooLarge();
        else
            ShowMessage(IDS_CMP_CANNOT_OPEN);
        return false;
    }
    if (records::StoredRecordNumbers(*file).size() > kMaxOpenedRecords) {
        ShowTooLarge();
        return false;
    }
    std::vector<compare::Listing> listings =
        compare::ListStoredRecords(*file, fw::SystemAnsiCodec());
    if (listings.empty()) {
        ShowMessage(IDS_CMP_NO_RECORDS);
        return false;
    }
    const int firstRow = static_cast<int>(m_choiceRows.size()) + 1;
    for (compare::Listing& listing : listings)
        m_choiceRows.push_back({m_files.size(), std::move(listing)});
    const records::IniFile* store = file.get();
    m_files.push_back({path, fw::NarrowUtf8(FileNameOf(path)), store, std::move(file)});
    FillChoice(firstRow);
    return true;
}

void CCompareDlg::OnOpenDataFile(fw::Message&) {
    std::wstring path;
    if (fw::AskFileName(hwnd_, fw::FileDialog::kOpen, kDataFileFilter, nullptr, path))
        AddDataFile(path);
}

std::string CCompareDlg::MarkdownText() const {
    return compare::ToMarkdown(m_comparison, m_order);
}

std::string CCompareDlg::CsvText() const {
    return compare::ToCsv(m_comparison);
}

std::string CCompareDlg::HtmlText() const {
    return compare::ToHtml(m_comparison, m_order);
}

void CCompareDlg::OnCopyMarkdown(fw::Message&) {
    if (!fw::SetClipboardText(hwnd_, fw::WidenUtf8(MarkdownText())))
        ShowMessage(IDS_CLIPBOARD_FAILED);
    else
        MessageBeep(0);
}

void CCompareDlg::OnCopyCsv(fw::Message&) {
    if (!fw::SetClipboardText(hwnd_, fw::WidenUtf8(CsvText())))
        ShowMessage(IDS_CLIPBOARD_FAILED);
    else
        MessageBeep(0);
}

void CCompareDlg::OnSaveHtml(fw::Message&) {
    std::wstring path = L"velkora-compare.html";
    if (!fw::AskFileName(hwnd_, fw::FileDialog::kSave, kHtmlFilter, L"html", path))
        return;
    if (!records::ReplaceFileAtomically(path, HtmlText()))
        ShowMessage(IDS_CMP_SAVE_FAILED);
}

void CCompareDlg::ShowTooLarge() const {
    wchar_t text[256];
    swprintf(text, 256, fw::LoadResourceString(IDS_CMP_TOO_LARGE).c_str(),
             static_cast<int>(kMaxOpenedFileSize >> 20), static_cast<int>(kMaxOpenedRecords));
    MessageBoxW(hwnd_, text, fw::LoadResourceString(IDS_CAPTION).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void CCompareDlg::ShowMessage(UINT stringId) const {
    MessageBoxW(hwnd_, fw::LoadResourceString(stringId).c_str(),
                fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CCompareDlg::OnSize(fw::Message& m) {
    LayOut();
    m.handled = false;
}

void CCompareDlg::OnGetMinMaxInfo(fw::Message& m) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
    info->ptMinTrackSize.x = kMinimumSize.cx;
    info->ptMinTrackSize.y = kMinimumSize.cy;
}

void CCompareDlg::LayOut() {
    if (Item(IDC_CMP_TABLE) == nullptr)
        return;  // WM_GETMINMAXINFO and WM_SIZE come before the controls
    const RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    auto place = [&](int id, int x, int y, int w, int h) {
        SetWindowPos(Item(id), nullptr, x, y, std::max(w, 1), std::max(h, 1),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // The choice at the top left; the baseline, the data-file button, the
    // status and the exports beside it.
    const int choiceWidth = width / 2;
    place(IDC_CMP_CHOICE, kMargin, kMargin, choiceWidth, kChoiceHeight);
    const int x = kMargin + choiceWidth + 12, right = width - kMargin;
    place(IDC_CMP_BASELINE_LABEL, x, kMargin + 4, 48, 20);
    place(IDC_CMP_BASELINE, x + 52, kMargin, std::min(right - x - 52, 420), 300);
    place(IDC_CMP_OPEN, x, kMargin + 34, 200, kButtonHeight);
    place(IDC_CMP_STATUS, x, kMargin + 68, right - x, 34);
    const int buttonsY = kMargin + kChoiceHeight - kButtonHeight;
    const int buttonWidth = std::min(160, (right - x - 3 * 6) / 4);
    place(IDC_CMP_COPY_MARKDOWN, x, buttonsY, buttonWidth, kButtonHeight);
    place(IDC_CMP_COPY_CSV, x + (buttonWidth + 6), buttonsY, buttonWidth, kButtonHeight);
    place(IDC_CMP_SAVE_HTML, x + 2 * (buttonWidth + 6), buttonsY, buttonWidth, kButtonHeight);
    place(IDCANCEL, right - buttonWidth, buttonsY, buttonWidth, kButtonHeight);

    // The table and the chart share the rest above the legend.
    const int top = kMargin + kChoiceHeight + kMargin;
    const int bottom = height - kMargin - kLegendHeight - 4;
    const int tableWidth = width * 58 / 100;
    place(IDC_CMP_TABLE, kMargin, top, tableWidth, bottom - top);
    place(IDC_CMP_CHART, kMargin + tableWidth + kMargin, top,
          right - (kMargin + tableWidth + kMargin), bottom - top);
    place(IDC_CMP_LEGEND, kMargin, bottom + 4, right - kMargin, kLegendHeight);
    InvalidateRect(hwnd_, nullptr, TRUE);
}
