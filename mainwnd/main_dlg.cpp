#include "mainwnd/main_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <new>
#include <vector>

#include "app/about_dlg.h"
#include "bench/test_dlg.h"
#include "cpu/cpu_info.h"
#include "framework/data_exchange.h"
#include "framework/text.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_store.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"

namespace {

const int kGraphMin = 2000;
const int kGraphMax = 20000;
const char kThisSystem[] = "This System";

// Control colours of the window (COLORREF, 0x00BBGGRR).
const COLORREF kBlack = 0x000000;
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kRed = 0x0000FF;
const COLORREF kYellow = 0x00FFFF;
const COLORREF kGreen = 0x00FF00;
const COLORREF kCyan = 0xFFFF00;
const COLORREF kMagenta = 0xFF00FF;
const COLORREF kGrey = 0x7F7F7F;

// Information buttons: right-aligned, vertically centred, single line.
const UINT kRightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;  // 0x26

}  // namespace

CMainDlg::CMainDlg() : fw::Dialog(IDD_MAIN) {
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SMALL));
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.Bind(IDC_BMP_COPY, m_btnBmpCopy);
    dx.Bind(IDC_SYSTEM_BUTTON, m_btnSystem);
    dx.Bind(IDC_CLOSE, m_btnClose);
    dx.Bind(IDC_VIDEO_BUTTON, m_btnVideo);
    dx.Bind(IDC_TXT_COPY, m_btnTxtCopy);
    dx.Bind(IDC_START_ALL, m_btnStartAll);
    dx.Bind(IDC_PLATFORM_BUTTON, m_btnPlatform);
    dx.Bind(IDC_OPTION, m_btnOption);
    dx.Bind(IDC_DEL_DATA, m_btnDelData);
    dx.Bind(IDC_PROCESSOR_BUTTON, m_btnProcessor);
    dx.Bind(IDC_ADD_DATA, m_btnAddData);
    dx.Bind(IDC_OVERALL_LABEL, m_lblOverAll);
    dx.Bind(IDC_VIDEO_LINE, m_lblVideo);
    dx.Bind(IDC_PLATFORM_LINE, m_lblPlatform);
    dx.Bind(IDC_PROCESSOR_LINE, m_lblProcessor);
    dx.Bind(IDC_TOTAL_TIME, m_lblTotalTime);
    dx.Bind(IDC_AVERAGE_MARK, m_lblAverage);
    dx.Bind(IDC_TOTAL_MARK, m_lblTotalMark);
    for (int i = 0; i < kBarCount; ++i)
        dx.Bind(IDC_FIRST_BAR + i, m_graph[i]);
}

BOOL CMainDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    m_pThread = std::make_unique<CVelkoras>(hwnd_);

    // The clock runs from here across the window's set-up.
    CCpuInfo cpu;
    cpu.ProbeProcessor();

    AppendAboutItem(hwnd_);
    SetIcon(m_hIcon);
    SetText(fw::LoadResourceString(IDS_CAPTION));

    // Courier New 13, normal weight, Shift-JIS, TrueType, proof quality.
    m_listFont.Reset(CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_TT_PRECIS, CLIP_LH_ANGLES | CLIP_TT_ALWAYS, PROOF_QUALITY,
                                 VARIABLE_PITCH, L"Courier New"));
    SendItem(IDC_GRAPH_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);
    SendItem(IDC_RESULT_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);

    Selector().InsertString(-1, L"This System");
    Selector().SetCurSel(0);
    SetUpList();
    LayOutBars();
    SetColours();

    cpu.StopClock();
    m_lblProcessor.SetText(fw::WidenAnsi(cpu.SummaryText()));

    CSysInfo sys;
    m_lblVideo.SetText(fw::WidenAnsi(sys.VideoCard));
    m_lblPlatform.SetText(fw::WidenAnsi(sys.PlatformInfo));

    // A data file too large for memory is reported once; the window then
    // opens with the defaults and the file stays as it is.
    int graphMax = records::kDefaultGraphMax;
    try {
        graphMax = OpenDataFile(cpu, sys);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
    try {
        SetGraphMax(graphMax);
    } catch (const std::bad_alloc&) {
    }
    return TRUE;
}

int CMainDlg::OpenDataFile(const CCpuInfo& cpu, CSysInfo& sys) {
    char exePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    std::snprintf(m_szDataPath, sizeof m_szDataPath, "%s", records::DataFilePath(exePath).c_str());

    records::IniFile file;
    LoadDataFile(file);
    const records::DataFileOptions options = records::ReadOptions(file);
    ListStoredRecords(file, records::StoredRecordCount(file));

    // Record 0 is the running system, rewritten at every start with zero times.
    m_thisSystem = m_pThread->m_result;
    sys.SystemName = kThisSystem;
    sys.SaveRecord(file, 0);
    cpu.SaveRecord(file, 0);
    m_thisSystem.SaveRecord(file, 0);
    SaveDataFile(file);

    m_pThread->SetLoopCount(options.loop);
    return options.graphMax;
}

void CMainDlg::SetUpList() {
    const fw::ListView list = ResultList();
    list.SetImageList(m_pThread->ImageList(), LVSIL_SMALL);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list.SetTextColor(RGB(0, 0, 255));

    const RECT client = list.ClientRect();
    const int valueWidth = (client.right - client.left - 250) / 2;
    struct Column {
        const wchar_t* heading;
        int format;
        int width;
    } columns[] = {{L"MARK NAME", LVCFMT_LEFT, 250},
                   {L"TIME(sec)", LVCFMT_RIGHT, valueWidth},
                   {L"VELKORA", LVCFMT_RIGHT, valueWidth}};
    for (int c = 0; c < 3; ++c)
        list.InsertColumn(c, columns[c].heading, columns[c].width, columns[c].format);
    for (int i = 0; i < bench::kTestCount; ++i)
        list.InsertItem(i, fw::WidenAnsi(bench::kCatalogue[i].name), 0);
}

void CMainDlg::LayOutBars() {
    // Each bar lines up with its list row: row height from the list, the
    // width from the graph area.
    const fw::ListView list = ResultList();
    RECT row0 = list.ItemBounds(0);
    const RECT row1 = list.ItemBounds(1);
    const double rowHeight = static_cast<double>(row1.bottom - row1.top);
    // The first row's top in this window's coordinates: the bars start there
    // whatever height the header has under the fonts in use.
    MapWindowPoints(list.Handle(), hwnd_, reinterpret_cast<POINT*>(&row0), 2);
    const RECT graphArea = fw::Window(Item(IDC_GRAPH_AREA)).ClientRect();
    const int width = graphArea.right - 2;
    const RECT first = ItemRect(IDC_FIRST_BAR);
    double top = row0.top;
    for (int k = 0; k < bench::kTestCount; ++k) {
        SetWindowPos(m_graph[k].Handle(), nullptr, first.left, static_cast<int>(top), width,
                     static_cast<int>(rowHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        top += rowHeight;
    }

    for (int k = 0; k < kBarCount; ++k)
        m_graph[k].SetColor(0x0000FF);  // drawn blue
    CGraphCtrl& total = m_graph[bench::kTestCount];
    const uint32_t totalOverflow[] = {0xFFC0FF, 0xC0C0FF, 0xFFFFC0, 0xC0FFFF, 0xC0FFC0};
    for (int k = 0; k < graph::kOverflowColours; ++k)
        total.m_crOverflow[k] = totalOverflow[k];
    total.SetColor(0xFF0000);  // drawn red
    total.SetRange(0, 60000);
    SetWindowPos(total.Handle(), nullptr, 0, 0, width, static_cast<int>(rowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(IDC_GRAPH_TITLE), nullptr, 0, 0, width, static_cast<int>(rowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::SetColours() {
    struct ButtonColour {
        CColorButton* button;
        COLORREF text;
    } buttons[] = {{&m_btnStartAll, kRed},  {&m_btnTxtCopy, kWhite}, {&m_btnOption, kWhite},
                   {&m_btnAddData, kWhite}, {&m_btnDelData, kWhite}, {&m_btnBmpCopy, kWhite},
                   {&m_btnClose, kWhite},   {&m_btnSystem, kWhite},  {&m_btnProcessor, kYellow},
                   {&m_btnVideo, kGreen},   {&m_btnPlatform, kCyan}};
    for (const ButtonColour& b : buttons) {
        b.button->SetTextColor(b.text);
        b.button->SetBkColor(kBlack);
    }
    struct LabelColour {
        CColorLabel* label;
        COLORREF text;
        COLORREF background;
    } labels[] = {{&m_lblProcessor, kYellow, kGrey},   {&m_lblVideo, kGreen, kGrey},
                  {&m_lblPlatform, kCyan, kGrey},      {&m_lblOverAll, kRed, kBlack},
                  {&m_lblTotalMark, kMagenta, kBlack}, {&m_lblTotalTime, kCyan, kBlack},
                  {&m_lblAverage, kYellow, kBlack}};
    for (const LabelColour& l : labels) {
        l.label->SetTextColor(l.text);
        l.label->SetBkColor(l.background);
    }
    for (CColorButton* b : {&m_btnProcessor, &m_btnVideo, &m_btnPlatform, &m_btnSystem})
        b->m_textFormat = kRightAligned;
}

fw::ComboBox CMainDlg::Selector() const {
    return fw::ComboBox(Item(IDC_SYSTEM_SELECTOR));
}

fw::ListView CMainDlg::ResultList() const {
    return fw::ListView(Item(IDC_RESULT_LIST));
}

int CMainDlg::SelectedRecord() const {
    const int sel = Selector().CurSel();
    return sel == CB_ERR ? 0 : sel;
}

int CMainDlg::GraphMax() const {
    return m_graph[0].RangeMax() - m_graph[0].RangeMin();
}

void CMainDlg::SetGraphMax(int nMax) {
    if (nMax < kGraphMin)
        nMax = kGraphMin;
    else if (nMax > kGraphMax)
        nMax = kGraphMax;
    for (int k = 0; k < bench::kTestCount; ++k)
        m_graph[k].SetRange(0, nMax);
    m_graph[bench::kTestCount].SetRange(0, 21 * nMax);
    ShowRecord();
    wchar_t title[64];
    std::swprintf(title, 64, L"GRAPH ( MAX.%d )", nMax);
    SetItemText(IDC_GRAPH_TITLE, title);
}

void CMainDlg::ShowRecord() {
    const int sel = SelectedRecord();
    records::IniFile file;
    LoadDataFile(file);
    CSysInfo sys;
    CCpuInfo cpu;
    sys.LoadRecord(file, sel);
    cpu.LoadRecord(file, sel);
    CMarkResult& result = m_pThread->m_result;
    result.LoadRecord(file, sel);
    if (sel == 0)
        std::copy(std::begin(m_thisSystem.m_fTime), std::end(m_thisSystem.m_fTime), result.m_fTime);
    m_lblVideo.SetText(fw::WidenAnsi(sys.VideoCard));
    m_lblPlatform.SetText(fw::WidenAnsi(sys.PlatformInfo));
    m_lblProcessor.SetText(fw::WidenAnsi(cpu.SummaryText()));
    result.SetReference(sys.PlatformID);
    ShowResults();
    RECT area = ItemRect(IDC_GRAPH_AREA);
    InvalidateRect(hwnd_, &area, FALSE);
}

void CMainDlg::ShowResults() {
    const CMarkResult& result = m_pThread->m_result;
    const fw::ListView list = ResultList();
    for (int i = 0; i < bench::kTestCount; ++i) {
        list.SetCellText(i, 1, fw::WidenAnsi(bench::FormatTime(result.m_fTime[i])));
        list.SetCellText(i, 2, fw::WidenAnsi(bench::FormatMark(result.GetMark(i))));
        m_graph[i].SetValue(result.GetMark(i));
    }
    m_lblTotalTime.SetText(fw::WidenAnsi(bench::FormatTime(result.GetTotalTime())));
    m_lblTotalMark.SetText(fw::WidenAnsi(bench::FormatMark(result.GetTotalMark())));
    m_lblAverage.SetText(fw::WidenAnsi(bench::FormatMark(result.GetAverageMark())));
    m_graph[bench::kTestCount].SetValue(result.GetTotalMark());
}

void CMainDlg::RunBenchmark() {
    if (!m_pThread->IsRunning()) {
        // No worker, no test: the run ends at once and says why.
        for (int32_t& run : m_pThread->m_result.m_nRun)
            run = 0;
        ShowResourceMessage(IDS_WORKER_FAILED);
        return;
    }
    CTestDlg testWnd;
    Selector().SetCurSel(0);
    ShowRecord();
    testWnd.m_pThread = m_pThread.get();
    testWnd.DoModal();
    m_thisSystem = m_pThread->m_result;
    ShowResults();
    records::IniFile file;
    LoadDataFile(file);
    m_thisSystem.SaveRecord(file, 0);
    SaveDataFile(file);
    MessageBeep(0);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool CMainDlg::LoadDataFile(records::IniFile& file) {
    // A file that cannot be read gives the defaults; its content is kept
    // safe, since the store then refuses to overwrite it.
    return file.Load(m_szDataPath);
}

bool CMainDlg::LoadDataFileForChange(records::IniFile& file) {
    if (LoadDataFile(file))
        return true;
    // Nothing can be written to a file that cannot be read.
    ReportSaveFailure();
    return false;
}

bool CMainDlg::SaveDataFile(records::IniFile& file) {
    if (file.Save())
        return true;
    file.Revert();
    ReportSaveFailure();
    return false;
}

void CMainDlg::ReportOutOfMemory() {
    ShowResourceMessage(IDS_OUT_OF_MEMORY);
}

void CMainDlg::ReportSaveFailure() {
    const std::wstring text =
        fw::LoadResourceString(IDS_SAVE_FAILED) + L"\n\n" + fw::WidenAnsi(m_szDataPath);
    MessageBoxW(hwnd_, text.c_str(), fw::LoadResourceString(IDS_CAPTION).c_str(),
                MB_OK | MB_ICONWARNING);
}
