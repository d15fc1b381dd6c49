#include "cpu/processor_dlg.h"

#include <commctrl.h>

#include <algorithm>

#include "cpu/fixed_text.h"
#include "cpu/processor_report.h"
#include "framework/file_dialog.h"
#include "framework/handle.h"
#include "framework/image_list.h"
#include "framework/list_view.h"
#include "framework/palette.h"
#include "framework/text.h"
#include "framework/tree_view.h"
#include "res/resource.h"

namespace {

const UINT_PTR kFrequencyTimer = 1;
const UINT kFrequencyDelayMs = 1000;

const COLORREF kMaskColour = palette::kBlack.ColorRef();  // the transparent colour of bitmap 133

const int kPresentImage = 0;
const int kAbsentImage = 1;

// The feature list: the name column's width, and what the description
// column leaves of the list's client width.
const int kNameColumnWidth = 78;
const int kDescriptionColumnMargin = 98;

// The window opens at its largest size: 800 x 600 pixels, or the whole
// template where the dialog font makes it larger than that.
const int kFullWidth = 800;
const int kFullHeight = 600;
const int kFullSizeState = 3;

// The size cycle of command 4, by the size state it starts from; a width of
// 0 stands for the full size.
struct SizeStep {
    int state;
    int width;
    int height;
    int nextState;
    const wchar_t* buttonText;
};
const SizeStep kSizeSteps[] = {
    {1, 0, 0, kFullSizeState, L"<<  Min"},
    {kFullSizeState, 480, 600, 2, L"<<  Min"},
    {2, 480, 320, 1, L"More  >>"},
};

const wchar_t kReportFilter[] = L"Result Files (*.txt)\0*.txt\0\0";
const wchar_t kCannotSave[] = L"Can't Save... Sorry.";

HTREEITEM AddTreeItem(const fw::TreeView& tree, HTREEITEM parent, const std::string& ansi) {
    return tree.InsertItem(parent, fw::WidenAnsi(ansi));
}

void AddRow(const fw::ListView& list, const std::string& name, int image,
            const std::string& description) {
    const int row = list.InsertItem(list.ItemCount(), fw::WidenAnsi(name), image);
    if (row < 0)
        return;
    list.SetCellText(row, 1, fw::WidenAnsi(description));
}

std::string AnsiItemText(const fw::Window& window, int id) {
    return fw::NarrowAnsi(window.ItemText(id));
}

}  // namespace

CProcessorDlg::CProcessorDlg(const CCpuInfo& record, HWND owner)
    : fw::Dialog(IDD_PROCESSOR, owner) {
    m_cpuInfo.CopyFrom(record);
    m_hIcon = fw::LoadProgramIcon(IDI_SMALL);
}

CProcessorDlg::~CProcessorDlg() = default;

bool CProcessorDlg::RouteMessage(fw::Message& m) {
    // The hidden tab control's selection changes are not routed: they do
    // nothing.
    static const fw::Route<CProcessorDlg> routes[] = {
        fw::OnCommand(IDC_PROC_TEXTOUT, &CProcessorDlg::OnTextOut),
        fw::OnCommand(IDC_PROC_NAME_BUTTON, &CProcessorDlg::OnNameButton),
        fw::OnCommand(IDC_PROC_MORE, &CProcessorDlg::OnSizeCommand),
        fw::OnMessage(WM_LBUTTONDOWN, &CProcessorDlg::OnLButtonDown),
        fw::OnMessage(WM_LBUTTONDBLCLK, &CProcessorDlg::OnLButtonDblClk),
        fw::OnMessage(WM_TIMER, &CProcessorDlg::OnTimer),
        fw::OnMessage(WM_HELP, &CProcessorDlg::OnHelp),
        fw::OnMessage(WM_PAINT, &CProcessorDlg::OnPaint),
        fw::OnMessage(WM_QUERYDRAGICON, &CProcessorDlg::OnQueryDragIcon),
    };
    return fw::Dispatch(this, routes, m);
}

BOOL CProcessorDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();

    // The About item only mirrors the main window's system menu; it does
    // nothing here.
    AppendSystemMenuItem(IDM_ABOUTBOX, IDS_ABOUTBOX);
    SetIcon(m_hIcon);

    const wchar_t* const tabs[] = {L"Pendrow", L"Kestrune", L"Ondrisel"};
    for (int i = 0; i < 3; ++i) {
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(tabs[i]);
        SendItem(IDC_PROC_TAB, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
    }

    m_listFont.Reset(fw::CreateListFont());  // as the main window's list
    SendItem(IDC_PROC_FEATURES, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);
    SendItem(IDC_PROC_CACHE_TREE, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);

    const cpu::ProcessorReportHeading heading = cpu::ProcessorWindowHeading(m_cpuInfo);
    SetText(fw::WidenAnsi(heading.caption));
    SetItemText(IDC_PROC_VENDOR, fw::WidenAnsi(heading.vendor));
    SetItemText(IDC_PROC_NAME, fw::WidenAnsi(heading.name));
    SetItemText(IDC_PROC_CODENAME, fw::WidenAnsi(cpu::FixedText(m_cpuInfo.CodeName)));
    SetItemText(IDC_PROC_SIGNATURE, fw::WidenAnsi(heading.signature));
    const uint32_t features = m_cpuInfo.FeatureFlag;
    SetItemText(IDC_PROC_MMX, fw::WidenAnsi(cpu::FeatureSupportText(features, cpu::kMmxBit)));
    SetItemText(IDC_PROC_3DNOW, fw::WidenAnsi(cpu::FeatureSupportText(features, cpu::k3DNowBit)));
    SetItemText(IDC_PROC_SSE, fw::WidenAnsi(cpu::FeatureSupportText(features, cpu::kSseBit)));
    SetItemText(IDC_PROC_CACHE, fw::WidenAnsi(heading.cacheSummary));
    SendItem(IDC_PROC_TAB, TCM_SETCURSEL, 0);

    BuildCacheTree();
    BuildFeatureList();
    ShowItem(IDC_PROC_CACHE_TREE, true);
    SetItemText(IDC_PROC_GROUP, fw::WidenAnsi(heading.processorGroup));

    PlaceOverOwner();
    m_nSizeState = kFullSizeState;
    SetUpImageList();
    SetTimer(hwnd_, kFrequencyTimer, kFrequencyDelayMs, nullptr);
    return TRUE;
}

void CProcessorDlg::BuildCacheTree() {
    const fw::TreeView tree(Item(IDC_PROC_CACHE_TREE));
    const CCpuInfo& cpu = m_cpuInfo;
    HTREEITEM l1 = AddTreeItem(tree, TVI_ROOT, "L1 Cash");

    // Items 2 and 5 (a second TLB) only where the processor names one.
    struct Branch {
        const char* name;
        int first, extra, last;
    } const branches[] = {{"Instruction", 1, 2, 3}, {"Data", 4, 5, 6}};
    for (const Branch& b : branches) {
        HTREEITEM branch = AddTreeItem(tree, l1, b.name);
        AddTreeItem(tree, branch, cpu.CacheItemText(b.first));
        const std::string extra = cpu.CacheItemText(b.extra);
        if (!extra.empty())
            AddTreeItem(tree, branch, extra);
        AddTreeItem(tree, branch, cpu.CacheItemText(b.last));
        tree.Expand(branch);
    }
    tree.Expand(l1);

    HTREEITEM l2 = AddTreeItem(tree, TVI_ROOT, "L2 Cash");
    AddTreeItem(tree, l2, cpu.CacheItemText(16));
    tree.Expand(l2);
}

void CProcessorDlg::BuildFeatureList() {
    const fw::ListView list(Item(IDC_PROC_FEATURES));
    list.DeleteAllItems();
    for (int column = m_nLastColumn; column >= 0; --column)
        list.DeleteColumn(column);

    const RECT client = list.ClientRect();
    list.InsertColumn(0, L"Name", kNameColumnWidth);
    list.InsertColumn(1, L"Description", client.right - client.left - kDescriptionColumnMargin);
    m_nLastColumn = 1;

    for (int i = 0; i < CCpuInfo::kFeatureCount; ++i) {
        if (m_cpuInfo.FeatureName[i].empty())
            continue;
        const bool present = (m_cpuInfo.FeatureFlag >> i) & 1u;
        AddRow(list, m_cpuInfo.FeatureName[i], present ? kPresentImage : kAbsentImage,
               m_cpuInfo.FeatureDescription[i]);
    }
    AddRow(list, " ---", kPresentImage, "Enabled");
    AddRow(list, " ---", kAbsentImage, "Disabled");
}

void CProcessorDlg::PlaceOverOwner() {
    // Still the template's own size here.
    RECT natural{};
    GetWindowRect(hwnd_, &natural);
    m_fullSize.cx = std::max<LONG>(kFullWidth, natural.right - natural.left);
    m_fullSize.cy = std::max<LONG>(kFullHeight, natural.bottom - natural.top);

    HWND owner = GetWindow(hwnd_, GW_OWNER);
    RECT at = natural;
    if (owner != nullptr)
        GetWindowRect(owner, &at);
    SetWindowPos(hwnd_, nullptr, at.left, at.top, m_fullSize.cx, m_fullSize.cy,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CProcessorDlg::SetUpImageList() {
    fw::LoadImageList(m_imageList, IDB_MARKS, kMaskColour, palette::kWhite.ColorRef());

    const fw::ListView list(Item(IDC_PROC_FEATURES));
    list.SetImageList(m_imageList.Get(), LVSIL_SMALL);
    list.SetBkColor(palette::kWhite.ColorRef());
    list.SetTextBkColor(palette::kWhite.ColorRef());
    list.SetTextColor(palette::kBlue.ColorRef());
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    const fw::TreeView tree(Item(IDC_PROC_CACHE_TREE));
    tree.SetImageList(m_imageList.Get(), TVSIL_NORMAL);
    tree.SetTextColor(palette::kBlue.ColorRef());
}

void CProcessorDlg::OnOK() {
    // Enter edits the name (or ends editing it); it never closes the window.
    ToggleNameEdit();
}

void CProcessorDlg::OnCancel() {
    EndDialog(IDCANCEL);
}

void CProcessorDlg::ToggleNameEdit() {
    // The edited name only changes what the window and its report show.
    HWND name = Item(IDC_PROC_NAME);
    if (GetWindowLongW(name, GWL_STYLE) & ES_READONLY) {
        SendMessageW(name, EM_SETREADONLY, FALSE, 0);
        SetFocus(name);
        SendMessageW(name, EM_SETSEL, 0, -1);
        SendMessageW(name, EM_SCROLLCARET, 0, 0);
    } else {
        SendMessageW(name, EM_SETREADONLY, TRUE, 0);
        FocusItem(IDC_PROC_TEXTOUT);
    }
}

void CProcessorDlg::CycleSize() {
    for (const SizeStep& step : kSizeSteps) {
        if (step.state != m_nSizeState)
            continue;
        const bool full = step.width == 0;
        SetWindowPos(hwnd_, nullptr, 0, 0, full ? m_fullSize.cx : step.width,
                     full ? m_fullSize.cy : step.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_nSizeState = step.nextState;
        SetItemText(IDC_PROC_MORE, step.buttonText);
        return;
    }
}

void CProcessorDlg::SaveReport() {
    std::wstring path = L"Result";
    if (!fw::AskFileName(hwnd_, fw::FileDialog::kSave, kReportFilter, L"txt", path))
        return;
    if (WriteReport(path) == 0)
        MessageBoxW(hwnd_, kCannotSave, fw::LoadResourceString(IDS_CAPTION).c_str(), MB_OK);
}

int CProcessorDlg::WriteReport(const std::wstring& path) {
    // The heading is what the window shows now: an edited name, and an
    // empty frequency during the first second.
    cpu::ProcessorReportHeading heading;
    heading.caption = fw::NarrowAnsi(Text());
    heading.processorGroup = AnsiItemText(*this, IDC_PROC_GROUP);
    heading.vendor = AnsiItemText(*this, IDC_PROC_VENDOR);
    heading.name = AnsiItemText(*this, IDC_PROC_NAME);
    heading.signature = AnsiItemText(*this, IDC_PROC_SIGNATURE);
    heading.frequency = AnsiItemText(*this, IDC_PROC_FREQUENCY);
    heading.cacheSummary = AnsiItemText(*this, IDC_PROC_CACHE);
    const std::string report = cpu::ProcessorReportText(heading, m_cpuInfo);

    fw::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    DWORD written = 0;
    const bool wrote = WriteFile(file.Get(), report.data(), static_cast<DWORD>(report.size()),
                                 &written, nullptr) &&
                       written == report.size();
    const bool closed = file.Close();
    return wrote && closed ? 1 : 0;
}

void CProcessorDlg::OnTextOut(fw::Message&) {
    SaveReport();
}

void CProcessorDlg::OnNameButton(fw::Message&) {
    ToggleNameEdit();
}

void CProcessorDlg::OnSizeCommand(fw::Message&) {
    CycleSize();
}

void CProcessorDlg::OnLButtonDown(fw::Message& m) {
    // Dragged as if by the caption.
    POINT at{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    ClientToScreen(hwnd_, &at);
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void CProcessorDlg::OnLButtonDblClk(fw::Message&) {
    SaveReport();
}

void CProcessorDlg::OnTimer(fw::Message& m) {
    if (m.wParam != kFrequencyTimer) {
        m.handled = false;
        return;
    }
    KillTimer(hwnd_, kFrequencyTimer);
    SetItemText(IDC_PROC_FREQUENCY, fw::WidenAnsi(cpu::FrequencyText(m_cpuInfo.Frequency)));
}

void CProcessorDlg::OnHelp(fw::Message& m) {
    m.result = TRUE;
}

void CProcessorDlg::OnPaint(fw::Message& m) {
    if (!IsIconic(hwnd_)) {
        m.handled = false;
        return;
    }
    fw::PaintDC dc(hwnd_);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()));
    const RECT client = ClientRect();
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.Get(), x, y, m_hIcon);
}

void CProcessorDlg::OnQueryDragIcon(fw::Message& m) {
    m.result = reinterpret_cast<LRESULT>(m_hIcon);
}
