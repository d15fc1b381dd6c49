#include "mainwnd/main_dlg.h"

#include <commctrl.h>

#include <cstdio>
#include <new>

#include "bench/option_values.h"
#include "bench/rounds.h"
#include "bench/test_dlg.h"
#include "bench/timing.h"
#include "cpu/cpu_info.h"
#include "cpu/processor_probe.h"
#include "framework/application.h"
#include "framework/data_exchange.h"
#include "framework/image_list.h"
#include "framework/text.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"
#include "sysinfo/system_probe.h"

namespace {

// Information buttons: right-aligned, vertically centred, single line.
const UINT kRightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;  // 0x26

}  // namespace

CMainDlg::CMainDlg() : fw::Dialog(IDD_MAIN) {
    m_hIcon = fw::LoadProgramIcon(IDI_SMALL);
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
    cpu::ProcessorProbe probe;
    probe.ProbeProcessor();

    AppendSystemMenuItem(IDM_ABOUTBOX, IDS_ABOUTBOX);
    SetIcon(m_hIcon);
    SetText(fw::LoadResourceString(IDS_CAPTION));

    m_listFont.Reset(fw::CreateListFont());
    SendItem(IDC_GRAPH_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);
    SendItem(IDC_RESULT_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont.Get()), TRUE);

    Selector().InsertString(-1, fw::WidenAnsi(records::kThisSystemName));
    Selector().SetCurSel(0);
    SetUpList();
    LayOutBars();
    SetColours();

    probe.StopClock();
    const CCpuInfo& cpu = probe.Record();
    m_lblProcessor.SetText(fw::WidenAnsi(cpu.SummaryText()));

    CSysInfo sys = sysinfo::SystemProbe().RunningSystem();
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
    SetGraphMax(graphMax);
    return TRUE;
}

int CMainDlg::OpenDataFile(const CCpuInfo& cpu, CSysInfo& sys) {
    // Record 0 is the running system, rewritten at every start with zero
    // times.
    records::DataFileOptions options;
    const records::Change change =
        m_book.Open(fw::ExecutablePath(), sys, cpu, m_pThread->Result(), options);
    ListStoredRecords();
    Reported(change);

    // A loop count or rounds from the file may lie anywhere; the options'
    // ranges hold.
    m_pThread->SetLoopCount(bench::ClampLoopCount(options.loop));
    m_pThread->SetRounds(bench::ClampRounds(options.rounds));
    return options.graphMax;
}

void CMainDlg::SetUpList() {
    const fw::ListView list = ResultList();
    fw::LoadImageList(m_markImages, IDB_MARKS, palette::kBlack.ColorRef(),
                      palette::kWhite.ColorRef());
    list.SetImageList(m_markImages.Get(), LVSIL_SMALL);
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list.SetTextColor(palette::kBlue.ColorRef());

    // The spread column is empty unless the record was timed in rounds.
    const RECT client = list.ClientRect();
    const int nameWidth = 200, spreadWidth = 66;
    const int valueWidth = (client.right - client.left - nameWidth - spreadWidth) / 2;
    struct Column {
        const wchar_t* heading;
        int format;
        int width;
    } columns[] = {{L"MARK NAME", LVCFMT_LEFT, nameWidth},
                   {L"TIME(sec)", LVCFMT_RIGHT, valueWidth},
                   {L"VELKORA", LVCFMT_RIGHT, valueWidth},
                   {L"SPREAD", LVCFMT_RIGHT, spreadWidth}};
    for (int c = 0; c < 4; ++c)
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
        m_graph[k].SetColor(palette::kBlue);
    CGraphCtrl& total = m_graph[bench::kTestCount];
    // Light magenta, light blue, light yellow, light cyan, light green.
    const palette::Colour totalOverflow[graph::kOverflowColours] = {
        palette::Colour::FromRgb(0xFFC0FF), palette::Colour::FromRgb(0xC0C0FF),
        palette::Colour::FromRgb(0xFFFFC0), palette::Colour::FromRgb(0xC0FFFF),
        palette::Colour::FromRgb(0xC0FFC0)};
    total.SetOverflowColors(totalOverflow);
    total.SetColor(palette::kRed);
    total.SetRange(0, 60000);
    SetWindowPos(total.Handle(), nullptr, 0, 0, width, static_cast<int>(rowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(IDC_GRAPH_TITLE), nullptr, 0, 0, width, static_cast<int>(rowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::SetColours() {
    using namespace palette;
    struct ButtonColour {
        CColorButton* button;
        Colour text;
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
        Colour text;
        Colour background;
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
    return m_book.ListedRecord(Selector().CurSel());
}

int CMainDlg::GraphMax() const {
    return m_graph[0].RangeMax() - m_graph[0].RangeMin();
}

void CMainDlg::SetGraphMax(int nMax) {
    nMax = bench::ClampGraphMax(nMax);
    for (int k = 0; k < bench::kTestCount; ++k)
        m_graph[k].SetRange(0, nMax);
    m_graph[bench::kTestCount].SetRange(0, 21 * nMax);
    ShowRecord();
    wchar_t title[64];
    std::swprintf(title, 64, L"GRAPH ( MAX.%d )", nMax);
    SetItemText(IDC_GRAPH_TITLE, title);
}

void CMainDlg::ShowRecord() {
    records::IniFile file;
    m_book.Load(file);
    const records::Record record = m_book.ShownRecord(file, SelectedRecord());
    m_lblVideo.SetText(fw::WidenAnsi(record.system.VideoCard));
    m_lblPlatform.SetText(fw::WidenAnsi(record.system.PlatformInfo));
    m_lblProcessor.SetText(fw::WidenAnsi(record.processor.SummaryText()));
    m_pThread->SetShownTimes(record.timing, record.system.PlatformID);
    ShowResults();
    RECT area = ItemRect(IDC_GRAPH_AREA);
    InvalidateRect(hwnd_, &area, FALSE);
}

void CMainDlg::ShowResults() {
    const CMarkResult& result = m_pThread->Result();
    const fw::ListView list = ResultList();
    for (int i = 0; i < bench::kTestCount; ++i) {
        list.SetCellText(i, 1, fw::WidenAnsi(bench::FormatTime(result.m_fTime[i])));
        list.SetCellText(i, 2, fw::WidenAnsi(bench::FormatMark(result.GetMark(i))));
        list.SetCellText(
            i, 3,
            fw::WidenAnsi(bench::FormatSpread(result.m_nRounds[i], result.m_fFastest[i],
                                              result.m_fSlowest[i], result.m_fTime[i])));
        m_graph[i].SetValue(result.GetMark(i));
        // A test timed in rounds shows their range: the slowest round's mark
        // to the fastest's.
        if (result.HasRange(i))
            m_graph[i].SetWhisker(result.GetMarkOf(i, result.m_fSlowest[i]),
                                  result.GetMarkOf(i, result.m_fFastest[i]));
        else
            m_graph[i].ClearWhisker();
    }
    m_lblTotalTime.SetText(fw::WidenAnsi(bench::FormatTime(result.GetTotalTime())));
    m_lblTotalMark.SetText(fw::WidenAnsi(bench::FormatMark(result.GetTotalMark())));
    m_lblAverage.SetText(fw::WidenAnsi(bench::FormatMark(result.GetAverageMark())));
    m_graph[bench::kTestCount].SetValue(result.GetTotalMark());
}

void CMainDlg::RunBenchmark() {
    if (!m_pThread->IsRunning()) {
        // No worker, no test: the run ends at once and says why.
        m_pThread->ClearRunFlags();
        ShowResourceMessage(IDS_WORKER_FAILED);
        return;
    }
    CTestDlg testWnd(*m_pThread);
    Selector().SetCurSel(0);
    ShowRecord();
    testWnd.DoModal();
    ShowResults();
    Reported(m_book.SaveThisSystem(m_pThread->Result()));
    MessageBeep(0);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool CMainDlg::ChangeDataFile(records::IniFile& file, Unreadable unreadable,
                              const std::function<bool(records::IniFile&)>& operation) {
    return Reported(m_book.Update(file, unreadable, operation));
}

bool CMainDlg::Reported(records::Change change) {
    if (records::MustReport(change))
        ReportSaveFailure();
    return change == records::Change::kSaved;
}

void CMainDlg::ReportOutOfMemory() {
    ShowResourceMessage(IDS_OUT_OF_MEMORY);
}

void CMainDlg::ReportSaveFailure() {
    const std::wstring text = fw::LoadResourceString(IDS_SAVE_FAILED) + L"\n\n" + m_book.Path();
    MessageBoxW(hwnd_, text.c_str(), fw::LoadResourceString(IDS_CAPTION).c_str(),
                MB_OK | MB_ICONWARNING);
}
