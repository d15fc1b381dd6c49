// The information windows in process: the processor window with its tree,
// list, timer, name edit mode, size cycle and report; the system
// information and video card name dialogs with their read-only modes; the
// options dialog; the description box and its texts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/catalogue.h"
#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_dlg.h"
#include "cpu/processor_probe.h"
#include "cpu/processor_report.h"
#include "cpu/windows_version.h"
#include "framework/text.h"
#include "mainwnd/description_dlg.h"
#include "mainwnd/options_dlg.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_info_dlg.h"
#include "sysinfo/video_name_dlg.h"

namespace {

const UINT kNextStep = WM_APP + 40;
const UINT_PTR kWaitTimer = 0x4C4B;

// A dialog under test run by a script. Each step runs on the user-interface
// thread inside the dialog's modal loop and answers how many milliseconds
// to wait before the next one (0: after the messages already queued).
// Caption drags are noted instead of starting the system's move loop.
template <class D>
class Scripted : public D {
  public:
    using Step = std::function<UINT(Scripted&)>;

    template <class... Args>
    explicit Scripted(Args&&... args) : D(std::forward<Args>(args)...) {}

    std::vector<Step> steps;
    std::vector<LPARAM> captionDrags;  // lParam of each WM_NCLBUTTONDOWN on the caption

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = D::OnInitDialog();
        PostMessageW(this->Handle(), kNextStep, 0, 0);
        return result;
    }

    bool RouteMessage(fw::Message& m) override {
        if (m.msg == kNextStep || (m.msg == WM_TIMER && m.wParam == kWaitTimer)) {
            if (m.msg == WM_TIMER)
                KillTimer(m.hwnd, kWaitTimer);
            RunNext();
            return true;
        }
        if (m.msg == WM_NCLBUTTONDOWN && m.wParam == HTCAPTION) {
            captionDrags.push_back(m.lParam);
            return true;
        }
        return D::RouteMessage(m);
    }

  private:
    void RunNext() {
        if (next_ >= steps.size() || this->IsEnding())
            return;
        const UINT wait = steps[next_++](*this);
        if (this->IsEnding() || next_ >= steps.size())
            return;
        if (wait == 0)
            PostMessageW(this->Handle(), kNextStep, 0, 0);
        else
            SetTimer(this->Handle(), kWaitTimer, wait, nullptr);
    }

    size_t next_ = 0;
};

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsDialogBox(HWND window) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    return lstrcmpW(cls, L"#32770") == 0;
}

std::wstring WindowText(HWND window) {
    return fw::Window(window).Text();
}

// Answers the dialog boxes that the user-interface thread opens (message
// boxes, the file dialog) from a second thread, as a user would: each new
// visible box goes once to the handler, which returns false to leave it
// for a later look.
class BoxAnswerer {
  public:
    using Handler = std::function<bool(HWND)>;

    BoxAnswerer(DWORD uiThread, Handler handler)
        : thread_([this, uiThread, handler] {
              while (!stop_) {
                  for (HWND box : Boxes(uiThread))
                      if (answered_.count(box) == 0 && handler(box))
                          answered_.insert(box);
                  Sleep(5);
              }
          }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }

  private:
    static BOOL CALLBACK Collect(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && IsDialogBox(window))
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
    }

    static std::vector<HWND> Boxes(DWORD uiThread) {
        std::vector<HWND> found;
        EnumThreadWindows(uiThread, Collect, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> stop_{false};
    std::set<HWND> answered_;
    std::thread thread_;
};

// The file dialog's file name field: the explorer style's combo box or the
// old style's edit.
HWND FileNameField(HWND box) {
    HWND combo = GetDlgItem(box, 0x47C);
    return combo != nullptr ? combo : GetDlgItem(box, 0x480);
}

// The text of a message box (its static text has id 0xFFFF).
std::wstring MessageBoxText(HWND box) {
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    return text;
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool IsReadOnly(HWND edit) {
    return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
}

// The text colour a control gets from its parent's colour answer.
COLORREF LabelColour(HWND dialog, int id) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

// Two stored processors, as the main window loads them from the data file.
const char kStoredProcessors[] =
    "[InfoCPU-DATA001]\r\n"
    "ProcessorName=AMD-Athlon Processor\r\n"
    "CodeName=AMD-K7(tm) Processor\r\n"
    "VendorName=AuthenticAMD\r\n"
    "Signature=1554\r\n"
    "FeatureFlag=3233937919\r\n"
    "Frequency=651.500000\r\n"
    "CashFlagEAX=33562944\r\n"
    "CashFlagEBX=4279828240\r\n"
    "CashFlagECX=1073873216\r\n"
    "CashFlagEDX=1073873216\r\n"
    "L2CashSize=512\r\n"
    "MultiProcessor=2\r\n"
    "[InfoCPU-DATA002]\r\n"
    "ProcessorName=Intel-Pentium III Processor\r\n"
    "CodeName=Coppermine\r\n"
    "VendorName=GenuineIntel\r\n"
    "Signature=1670\r\n"
    "FeatureFlag=58980863\r\n"
    "Frequency=733.012600\r\n"
    "CashFlagEAX=50462977\r\n"
    "CashFlagEBX=0\r\n"
    "CashFlagECX=0\r\n"
    "CashFlagEDX=201590849\r\n"
    "L2CashSize=128\r\n"
    "MultiProcessor=1\r\n";

std::string RunningWindows() {
    return cpu::FormatWindowsVersion(cpu::CpuPlatform::Current());
}

CCpuInfo StoredProcessor(int record) {
    records::IniFile file;
    file.Parse(kStoredProcessors);
    CCpuInfo cpu;
    records::LoadSection(file, record, cpu);
    // As the main window hands it over: named after the running Windows.
    cpu::TakeRunningWindowsVersion(cpu);
    return cpu;
}

using ProcessorWindow = Scripted<CProcessorDlg>;

// The processor window's full size: 800 x 600, or the whole template where
// the dialog font makes it larger.
SIZE FullSize(HWND dialog) {
    RECT r{0, 0, 316, 219};
    MapDialogRect(dialog, &r);
    AdjustWindowRectEx(&r, GetWindowLongW(dialog, GWL_STYLE), FALSE,
                       GetWindowLongW(dialog, GWL_EXSTYLE));
    return {std::max<LONG>(800, r.right - r.left), std::max<LONG>(600, r.bottom - r.top)};
}

// The visible children that stick out of the client area.
std::vector<int> ClippedChildren(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<int> clipped;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        if (IsWindowVisible(child) && (r.right > client.right || r.bottom > client.bottom))
            clipped.push_back(GetDlgCtrlID(child));
    }
    return clipped;
}

std::wstring TreeText(HWND tree, HTREEITEM item) {
    wchar_t text[256] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_STATE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

bool TreeExpanded(HWND tree, HTREEITEM item) {
    return (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// Each item as "text" under its parent, depth-first, with "+" for an
// expanded one.
void WalkTree(HWND tree, HTREEITEM first, const std::wstring& indent,
              std::vector<std::wstring>& lines) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        HTREEITEM child = TreeView_GetChild(tree, item);
        lines.push_back(indent + (child != nullptr && TreeExpanded(tree, item) ? L"+" : L"") +
                        TreeText(tree, item));
        WalkTree(tree, child, indent + L"  ", lines);
    }
}

struct ListRow {
    std::wstring name;
    int image;
    std::wstring description;
};

ListRow ReadRow(HWND list, int row) {
    ListRow r;
    wchar_t text[256] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    r.name = text;
    r.image = item.iImage;
    wchar_t second[256] = {};
    LVITEMW cell{};
    cell.iSubItem = 1;
    cell.pszText = second;
    cell.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    r.description = second;
    return r;
}

TEST(ProcessorWindowTest, ShowsItsCopyOfTheRecordAndFillsTheFrequencyAfterOneSecond) {
    CCpuInfo stored = StoredProcessor(1);
    ProcessorWindow window(stored);
    // The window works on its copy: what happens to the record afterwards
    // does not reach it.
    stored.Frequency = 1.0;
    cpu::CopyFixed(stored.ProcessorName, std::string("Changed"));

    std::map<int, std::wstring> fields;
    std::wstring caption, frequencyAtOnce, frequencyLater, groupCaption;
    RECT placed{};
    SIZE full{};
    std::vector<int> clipped;
    LONG exStyle = 0;
    std::vector<std::wstring> tree;
    std::vector<ListRow> rows;
    std::vector<std::wstring> tabs;
    int descriptionWidth = 0, expectedDescriptionWidth = 0, nameWidth = 0;
    COLORREF listText = 0, listBack = 0, listTextBack = 0, treeText = 0;
    DWORD listStyle = 0;
    int images = 0;
    bool sameImages = false;
    std::wstring aboutItem, listFont;
    LONG fontHeight = 0;
    std::map<int, std::pair<bool, bool>> hidden;  // visible, enabled
    window.steps = {
        [&](ProcessorWindow& w) -> UINT {
            HWND h = w.Handle();
            caption = WindowText(h);
            for (int id : {IDC_PROC_VENDOR, IDC_PROC_NAME, IDC_PROC_CODENAME, IDC_PROC_SIGNATURE,
                           IDC_PROC_MMX, IDC_PROC_3DNOW, IDC_PROC_SSE, IDC_PROC_CACHE})
                fields[id] = w.ItemText(id);
            frequencyAtOnce = w.ItemText(IDC_PROC_FREQUENCY);
            groupCaption = w.ItemText(IDC_PROC_GROUP);
            GetWindowRect(h, &placed);
            full = FullSize(h);
            clipped = ClippedChildren(h);
            exStyle = GetWindowLongW(h, GWL_EXSTYLE);

            HWND treeView = w.Item(IDC_PROC_CACHE_TREE);
            WalkTree(treeView, TreeView_GetRoot(treeView), L"", tree);
            treeText = TreeView_GetTextColor(treeView);

            HWND list = w.Item(IDC_PROC_FEATURES);
            const int count = ListView_GetItemCount(list);
            for (int i = 0; i < count; ++i)
                rows.push_back(ReadRow(list, i));
            nameWidth = ListView_GetColumnWidth(list, 0);
            descriptionWidth = ListView_GetColumnWidth(list, 1);
            RECT client{};
            GetClientRect(list, &client);
            const int scrollBar =
                (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
            expectedDescriptionWidth = client.right + scrollBar - 98;
            listText = ListView_GetTextColor(list);
            listBack = ListView_GetBkColor(list);
            listTextBack = ListView_GetTextBkColor(list);
            listStyle = ListView_GetExtendedListViewStyle(list);
            HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL);
            images = small != nullptr ? ImageList_GetImageCount(small) : 0;
            sameImages = small == TreeView_GetImageList(treeView, TVSIL_NORMAL);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            listFont = font.lfFaceName;
            fontHeight = font.lfHeight;

            HWND tab = w.Item(IDC_PROC_TAB);
            for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
                wchar_t text[32] = {};
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text;
                item.cchTextMax = 32;
                SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
                tabs.push_back(text);
            }
            for (int id : {IDOK, IDC_PROC_MORE, IDC_PROC_TAB, IDC_PROC_START, IDC_PROC_SPEED_LIST})
                hidden[id] = {IsWindowVisible(w.Item(id)) != 0, IsWindowEnabled(w.Item(id)) != 0};

            HMENU menu = GetSystemMenu(h, FALSE);
            wchar_t item[64] = {};
            GetMenuStringW(menu, IDM_ABOUTBOX, item, 64, MF_BYCOMMAND);
            aboutItem = item;
            return 1300;
        },
        [&](ProcessorWindow& w) -> UINT {
            frequencyLater = w.ItemText(IDC_PROC_FREQUENCY);
            w.EndDialog(IDCANCEL);
            return 0;
        },
    };
    EXPECT_EQ(window.DoModal(), IDCANCEL);

    EXPECT_EQ(caption, L"AMD-Athlon Processor On " + fw::WidenAnsi(RunningWindows()));
    EXPECT_EQ(fields[IDC_PROC_VENDOR], L"AuthenticAMD");
    EXPECT_EQ(fields[IDC_PROC_NAME], L"AMD-Athlon Processor");
    EXPECT_EQ(fields[IDC_PROC_CODENAME], L"AMD-K7(tm) Processor");
    EXPECT_EQ(fields[IDC_PROC_SIGNATURE], L"Type : 0  Family : 6  Model : 1  Step : 2");
    EXPECT_EQ(fields[IDC_PROC_MMX], L"Supported");
    EXPECT_EQ(fields[IDC_PROC_3DNOW], L"Supported");
    EXPECT_EQ(fields[IDC_PROC_SSE], L"Not Supported");
    EXPECT_EQ(fields[IDC_PROC_CACHE], L"I-64K,D-64K / 512KBytes");
    EXPECT_EQ(groupCaption, L"Dual Processors");
    EXPECT_EQ(frequencyAtOnce, L"");
    EXPECT_EQ(frequencyLater, L"651.500 MHz");
    EXPECT_EQ(placed.right - placed.left, full.cx);
    EXPECT_EQ(placed.bottom - placed.top, full.cy);
    EXPECT_GE(full.cx, 800);
    EXPECT_GE(full.cy, 600);
    EXPECT_EQ(clipped, std::vector<int>()) << "the full size shows every control";
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(aboutItem, L"Information(Velkora) (&A)...");

    const std::wstring l1 = L"64KB size(2-way set associative, 1lines per Tag, 64byte line size)";
    EXPECT_EQ(tree, (std::vector<std::wstring>{
                        L"+L1 Cash",
                        L"  +Instruction",
                        L"    TLB(255-way set associative, 16entries)",
                        L"    " + l1,
                        L"  +Data",
                        L"    TLB(255-way set associative, 24entries)",
                        L"    " + l1,
                        L"+L2 Cash",
                        L"  512KB size(2-way set associative, 1lines per Tag, 64byte line size)",
                    }));
    EXPECT_EQ(treeText, RGB(0, 0, 255));

    ASSERT_EQ(rows.size(), 34u) << "32 features and two legend rows";
    EXPECT_EQ(rows[0].name, L"FPU");
    EXPECT_EQ(rows[0].image, 0);
    EXPECT_EQ(rows[0].description, L"Floating-point unit on-chip");
    EXPECT_EQ(rows[10].name, L"-");
    EXPECT_EQ(rows[10].image, 1);
    EXPECT_EQ(rows[24].name, L"FXSR");
    EXPECT_EQ(rows[24].image, 1);
    EXPECT_EQ(rows[31].name, L"3DNow!");
    EXPECT_EQ(rows[31].image, 0);
    EXPECT_EQ(rows[32].name, L" ---");
    EXPECT_EQ(rows[32].image, 0);
    EXPECT_EQ(rows[32].description, L"Enabled");
    EXPECT_EQ(rows[33].name, L" ---");
    EXPECT_EQ(rows[33].image, 1);
    EXPECT_EQ(rows[33].description, L"Disabled");
    EXPECT_EQ(nameWidth, 78);
    EXPECT_EQ(descriptionWidth, expectedDescriptionWidth);
    EXPECT_EQ(listText, RGB(0, 0, 255));
    EXPECT_EQ(listBack, RGB(255, 255, 255));
    EXPECT_EQ(listTextBack, RGB(255, 255, 255));
    EXPECT_EQ(listStyle & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(images, 2);
    EXPECT_TRUE(sameImages);
    EXPECT_EQ(listFont, L"Courier New");
    EXPECT_EQ(fontHeight, 13);

    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Pendrow", L"Kestrune", L"Ondrisel"}));
    for (const auto& control : hidden) {
        SCOPED_TRACE(control.first);
        EXPECT_FALSE(control.second.first) << "hidden";
        if (control.first != IDOK && control.first != IDC_PROC_MORE) {
            EXPECT_FALSE(control.second.second) << "disabled";
        }
    }
}

TEST(ProcessorWindowTest, AnIntelRecordListsItsSecondTlbsAndOneProcessor) {
    ProcessorWindow window(StoredProcessor(2));
    std::vector<std::wstring> tree;
    std::wstring group;
    window.steps = {[&](ProcessorWindow& w) -> UINT {
        HWND treeView = w.Item(IDC_PROC_CACHE_TREE);
        WalkTree(treeView, TreeView_GetRoot(treeView), L"", tree);
        group = w.ItemText(IDC_PROC_GROUP);
        w.EndDialog(IDCANCEL);
        return 0;
    }};
    window.DoModal();
    const std::wstring l1 = L"16KB size(4-way set associative, 32byte line size)";
    EXPECT_EQ(tree, (std::vector<std::wstring>{
                        L"+L1 Cash",
                        L"  +Instruction",
                        L"    4KB pages TLB(4-way set associative, 32entries)",
                        L"    4MB pages TLB(fully associative, 2entries)",
                        L"    " + l1,
                        L"  +Data",
                        L"    4KB pages TLB(4-way set associative, 64entries)",
                        L"    4MB pages TLB(4-way set associative, 8entries)",
                        L"    " + l1,
                        L"+L2 Cash",
                        L"  128KBytes(4-way set associative, 32byte line size)",
                    }));
    EXPECT_EQ(group, L"Single Processor");
}

TEST(ProcessorWindowTest, AMissingRecordShowsEmptyFieldsAndEveryFeatureAbsent) {
    records::IniFile file;
    file.Parse("");
    CCpuInfo missing;
    records::LoadSection(file, 7, missing);
    ProcessorWindow window(missing);
    std::wstring name, summary;
    int rows = 0, present = 0;
    window.steps = {[&](ProcessorWindow& w) -> UINT {
        name = w.ItemText(IDC_PROC_NAME);
        summary = w.ItemText(IDC_PROC_CACHE);
        HWND list = w.Item(IDC_PROC_FEATURES);
        rows = ListView_GetItemCount(list);
        for (int i = 0; i < 32; ++i)
            present += ReadRow(list, i).image == 0;
        w.EndDialog(IDCANCEL);
        return 0;
    }};
    window.DoModal();
    EXPECT_EQ(name, L"");
    EXPECT_EQ(summary, L"I-0K,D-0K / Unknown");
    EXPECT_EQ(rows, 34);
    EXPECT_EQ(present, 0);
}

// Enter toggles the name edit mode and never closes the window; the edited
// name reaches the report and nothing else; Esc closes.
TEST(ProcessorWindowTest, NameEditModeAndAReportWithinTheFirstSecond) {
    const CCpuInfo stored = StoredProcessor(2);
    ProcessorWindow window(stored);
    const std::wstring path = TempPath(L"velkora-h4-name-report.txt");
    DeleteFileW(path.c_str());
    bool writable = false, focusInName = false, allSelected = false;
    bool readOnlyAgain = false, focusOnTextOut = false, openAfterEnter = false;
    bool writableByCommand = false;
    int written = -1;
    std::wstring caption;
    window.steps = {
        [&](ProcessorWindow& w) -> UINT {
            Click(w.Handle(), IDC_PROC_NAME_BUTTON);
            return 0;
        },
        [&](ProcessorWindow& w) -> UINT {
            HWND name = w.Item(IDC_PROC_NAME);
            writable = !IsReadOnly(name);
            focusInName = GetFocus() == name;
            DWORD start = 0, end = 0;
            SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            allSelected = start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(name));
            SetWindowTextW(name, L"My Pentium III");
            PostMessageW(name, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            return 0;
        },
        [&](ProcessorWindow& w) -> UINT {
            readOnlyAgain = IsReadOnly(w.Item(IDC_PROC_NAME));
            focusOnTextOut = GetFocus() == w.Item(IDC_PROC_TEXTOUT);
            openAfterEnter = !w.IsEnding();
            caption = WindowText(w.Handle());
            written = w.WriteReport(path);
            // The hidden default button's command, as Enter sends it.
            Click(w.Handle(), IDOK);
            return 0;
        },
        [&](ProcessorWindow& w) -> UINT {
            writableByCommand = !IsReadOnly(w.Item(IDC_PROC_NAME)) && !w.IsEnding();
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            return 0;
        },
        [&](ProcessorWindow&) -> UINT { return 0; },
    };
    EXPECT_EQ(window.DoModal(), IDCANCEL);
    EXPECT_TRUE(writable);
    EXPECT_TRUE(focusInName);
    EXPECT_TRUE(allSelected);
    EXPECT_TRUE(readOnlyAgain);
    EXPECT_TRUE(focusOnTextOut);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(writableByCommand);
    EXPECT_EQ(caption, L"Intel-Pentium III Processor On " + fw::WidenAnsi(RunningWindows()));

    ASSERT_EQ(written, 1);
    CCpuInfo expectedRecord;
    expectedRecord.CopyFrom(stored);
    cpu::ProcessorReportHeading heading;
    heading.caption = fw::NarrowAnsi(caption);
    heading.processorGroup = "Single Processor";
    heading.vendor = "GenuineIntel";
    heading.name = "My Pentium III";
    heading.signature = "Type : 0  Family : 6  Model : 8  Step : 6";
    heading.frequency = "";
    heading.cacheSummary = "I-16K,D-16K / 128KBytes";
    const std::string report = ReadFileBytes(path);
    EXPECT_EQ(report, cpu::ProcessorReportText(heading, expectedRecord));
    EXPECT_NE(report.find("\r\n               Name :: My Pentium III\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n          Frequency :: \r\n"), std::string::npos);
    DeleteFileW(path.c_str());
}

TEST(ProcessorWindowTest, CommandFourCyclesThroughThreeSizesInPlace) {
    ProcessorWindow window(StoredProcessor(1));
    struct Seen {
        int width, height;
        std::wstring button;
        POINT corner;
    };
    std::vector<Seen> seen;
    SIZE full{};
    auto look = [&](ProcessorWindow& w) -> UINT {
        full = FullSize(w.Handle());
        RECT r{};
        GetWindowRect(w.Handle(), &r);
        seen.push_back(
            {r.right - r.left, r.bottom - r.top, w.ItemText(IDC_PROC_MORE), {r.left, r.top}});
        PostMessageW(w.Handle(), WM_COMMAND, IDC_PROC_MORE, 0);
        return 0;
    };
    window.steps = {look, look, look, look, [](ProcessorWindow& w) -> UINT {
                        w.EndDialog(IDCANCEL);
                        return 0;
                    }};
    window.DoModal();
    ASSERT_EQ(seen.size(), 4u);
    const Seen expected[] = {{full.cx, full.cy, L"More  >>", {}},
                             {480, 600, L"<<  Min", {}},
                             {480, 320, L"More  >>", {}},
                             {full.cx, full.cy, L"<<  Min", {}}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].width, expected[i].width);
        EXPECT_EQ(seen[i].height, expected[i].height);
        EXPECT_EQ(seen[i].button, expected[i].button);
        EXPECT_EQ(seen[i].corner.x, seen[0].corner.x);
        EXPECT_EQ(seen[i].corner.y, seen[0].corner.y);
    }
}

TEST(ProcessorWindowTest, TheClientAreaDragsTheWindowAndHelpIsSwallowed) {
    ProcessorWindow window(StoredProcessor(1));
    POINT expected{};
    LRESULT help = 0;
    window.steps = {
        [&](ProcessorWindow& w) -> UINT {
            expected = {3, 3};
            ClientToScreen(w.Handle(), &expected);
            PostMessageW(w.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            HELPINFO info{};
            info.cbSize = sizeof info;
            help = SendMessageW(w.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            return 0;
        },
        [&](ProcessorWindow&) -> UINT { return 0; },
        [&](ProcessorWindow& w) -> UINT {
            w.EndDialog(IDCANCEL);
            return 0;
        },
    };
    EXPECT_EQ(window.DoModal(), IDCANCEL);
    ASSERT_EQ(window.captionDrags.size(), 1u);
    EXPECT_EQ(static_cast<short>(LOWORD(window.captionDrags[0])), expected.x);
    EXPECT_EQ(static_cast<short>(HIWORD(window.captionDrags[0])), expected.y);
    EXPECT_EQ(help, TRUE);
}

// TextOut and a double click ask for a file through the save dialog, owned
// by the window; a file that cannot be created is reported.
TEST(ProcessorWindowTest, SavingAsksForAFileAndReportsAFileThatCannotBeWritten) {
    ProcessorWindow window(StoredProcessor(1));
    const std::wstring good = TempPath(L"velkora-h4-saved.txt");
    const std::wstring locked = TempPath(L"velkora-h4-locked.txt");
    DeleteFileW(good.c_str());
    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    std::atomic<HWND> processor{nullptr};
    std::atomic<int> fileDialogs{0};
    std::atomic<bool> ownedByWindow{true};
    std::vector<std::wstring> initialNames, messages;
    std::vector<std::wstring> targets = {good, locked, L""};  // "" cancels
    {
        BoxAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            if (box == processor.load())
                return false;
            HWND field = FileNameField(box);
            if (field != nullptr) {
                const int n = fileDialogs++;
                ownedByWindow = ownedByWindow && GetWindow(box, GW_OWNER) == processor.load();
                initialNames.push_back(WindowText(field));
                const std::wstring target = n < 3 ? targets[n] : L"";
                if (target.empty()) {
                    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                } else {
                    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                }
                return true;
            }
            if (GetDlgItem(box, IDYES) != nullptr) {  // replace the existing file?
                PostMessageW(box, WM_COMMAND, IDYES, 0);
                return true;
            }
            if (GetDlgItem(box, 0xFFFF) != nullptr) {
                messages.push_back(MessageBoxText(box) + L"|" + WindowText(box));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return true;
            }
            return false;
        });
        window.steps = {
            [&](ProcessorWindow& w) -> UINT {
                processor = w.Handle();
                w.SaveReport();  // as TextOut does
                return 0;
            },
            // Sent, not posted: each save dialog runs to its end inside the step.
            [&](ProcessorWindow& w) -> UINT {
                SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(IDC_PROC_TEXTOUT, BN_CLICKED),
                             reinterpret_cast<LPARAM>(w.Item(IDC_PROC_TEXTOUT)));
                return 0;
            },
            [&](ProcessorWindow& w) -> UINT {
                SendMessageW(w.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
                return 0;
            },
            [&](ProcessorWindow& w) -> UINT {
                w.EndDialog(IDCANCEL);
                return 0;
            },
        };
        window.DoModal();
    }
    CloseHandle(lock);

    EXPECT_EQ(fileDialogs.load(), 3);
    EXPECT_TRUE(ownedByWindow);
    for (const std::wstring& name : initialNames)
        EXPECT_EQ(name, L"Result");
    const std::string saved = ReadFileBytes(good);
    EXPECT_EQ(saved.compare(0, 77, std::string(75, '=') + "\r\n"), 0);
    EXPECT_NE(saved.find("\r\n             Vendor :: AuthenticAMD\r\n"), std::string::npos);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Can't Save... Sorry.|Velkora"}));
    EXPECT_EQ(ReadFileBytes(locked), "") << "the locked file is left as it was";
    DeleteFileW(good.c_str());
    DeleteFileW(locked.c_str());
}

using SystemInfoWindow = Scripted<CSystemInfoDlg>;

CSystemInfoDlg::Fields SampleSystemInfo() {
    CSystemInfoDlg::Fields fields;
    fields.platform = "Windows98(4.10.1998)  64MB Mem";
    fields.userName = fw::NarrowAnsi(L"山田 太郎");
    fields.pcName = "PC-98";
    fields.date = "2001.03/04.05:06";
    fields.memo = "first line\r\nsecond line";
    fields.smoothScroll = 1;
    fields.comboAnimation = 0;
    fields.listAnimation = 0;
    fields.fontSmoothing = 1;
    return fields;
}

const int kSettingButtons[] = {IDC_SYS_SMOOTH_SCROLL, IDC_SYS_COMBO_ANIMATION,
                               IDC_SYS_LIST_ANIMATION, IDC_SYS_FONT_SMOOTHING};

TEST(SystemInfoDialogTest, ShowsTheRecordAndTakesTheEditedTextsBack) {
    SystemInfoWindow dlg(SampleSystemInfo(), false);
    std::map<int, std::wstring> shown;
    std::vector<UINT> marks, marksAfterClicks;
    std::map<int, COLORREF> colours;
    std::map<int, bool> readOnly;
    dlg.steps = {
        [&](SystemInfoWindow& w) -> UINT {
            for (int id :
                 {IDC_SYS_PLATFORM, IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_DATE, IDC_SYS_MEMO})
                shown[id] = w.ItemText(id);
            for (int id :
                 {IDC_SYS_PLATFORM, IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_DATE, IDC_SYS_MEMO})
                readOnly[id] = IsReadOnly(w.Item(id));
            for (int id : kSettingButtons) {
                marks.push_back(IsDlgButtonChecked(w.Handle(), id));
                SendMessageW(w.Item(id), BM_CLICK, 0, 0);
            }
            for (int id : {IDC_SYS_USER_LABEL, IDC_SYS_PLATFORM_LABEL, IDC_SYS_COMPUTER_LABEL,
                           IDC_SYS_NOTE, IDC_SYS_MEMO_LABEL, IDC_SYS_DATE_LABEL})
                colours[id] = LabelColour(w.Handle(), id);
            return 0;
        },
        [&](SystemInfoWindow& w) -> UINT {
            for (int id : kSettingButtons)
                marksAfterClicks.push_back(IsDlgButtonChecked(w.Handle(), id));
            w.SetItemText(IDC_SYS_USER, L"鈴木 花子");
            w.SetItemText(IDC_SYS_COMPUTER, L"NEW-PC");
            w.SetItemText(IDC_SYS_MEMO, L"one\r\ntwo\r\nthree");
            w.SetItemText(IDC_SYS_PLATFORM, L"not taken back");
            Click(w.Handle(), IDOK);
            return 0;
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(shown[IDC_SYS_PLATFORM], L"Windows98(4.10.1998)  64MB Mem");
    EXPECT_EQ(shown[IDC_SYS_USER], L"山田 太郎");
    EXPECT_EQ(shown[IDC_SYS_COMPUTER], L"PC-98");
    EXPECT_EQ(shown[IDC_SYS_DATE], L"2001.03/04.05:06");
    EXPECT_EQ(shown[IDC_SYS_MEMO], L"first line\r\nsecond line");
    EXPECT_EQ(readOnly, (std::map<int, bool>{{IDC_SYS_PLATFORM, true},
                                             {IDC_SYS_USER, false},
                                             {IDC_SYS_COMPUTER, false},
                                             {IDC_SYS_DATE, true},
                                             {IDC_SYS_MEMO, false}}));
    EXPECT_EQ(marks, (std::vector<UINT>{BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(marksAfterClicks, marks) << "a click does not change a settings mark";
    EXPECT_EQ(colours, (std::map<int, COLORREF>{{IDC_SYS_USER_LABEL, 0xFF0000},
                                                {IDC_SYS_PLATFORM_LABEL, 0x00FFFF},
                                                {IDC_SYS_COMPUTER_LABEL, 0x00FF00},
                                                {IDC_SYS_NOTE, 0x0000FF},
                                                {IDC_SYS_MEMO_LABEL, 0x7F00FF},
                                                {IDC_SYS_DATE_LABEL, 0xFFFF00}}));
    EXPECT_EQ(dlg.Result().userName, fw::NarrowAnsi(L"鈴木 花子"));
    EXPECT_EQ(dlg.Result().pcName, "NEW-PC");
    EXPECT_EQ(dlg.Result().memo, "one\r\ntwo\r\nthree");
    EXPECT_EQ(dlg.Result().smoothScroll, 1);
    EXPECT_EQ(dlg.Result().comboAnimation, 0);
}

TEST(SystemInfoDialogTest, ReadOnlyForAStoredRecordAndCancelKeepsTheFields) {
    for (bool readOnlyFlag : {false, true}) {
        SCOPED_TRACE(readOnlyFlag);
        SystemInfoWindow dlg(SampleSystemInfo(), readOnlyFlag);
        std::map<int, bool> readOnly;
        bool buttonsShown = false;
        dlg.steps = {[&](SystemInfoWindow& w) -> UINT {
            for (int id : {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO})
                readOnly[id] = IsReadOnly(w.Item(id));
            buttonsShown = IsWindowVisible(w.Item(IDOK)) && IsWindowVisible(w.Item(IDCANCEL)) &&
                           IsWindowEnabled(w.Item(IDCANCEL));
            w.SetItemText(IDC_SYS_USER, L"typed");
            w.SetItemText(IDC_SYS_MEMO, L"typed");
            Click(w.Handle(), IDCANCEL);
            return 0;
        }};
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        for (const auto& edit : readOnly)
            EXPECT_EQ(edit.second, readOnlyFlag) << edit.first;
        EXPECT_TRUE(buttonsShown);
        EXPECT_EQ(dlg.Result().userName, fw::NarrowAnsi(L"山田 太郎"));
        EXPECT_EQ(dlg.Result().memo, "first line\r\nsecond line");
    }
}

// A machine of the 95 family with two display keys.
class TwoCardPlatform : public sysinfo::SysPlatform {
  public:
    class DisplayKeys : public sysinfo::RegistryReader {
      public:
        bool OpenKey(sysinfo::RegistryRoot root, const std::string& path, Key& key) override {
            const std::string display = "System\\CurrentControlSet\\Services\\Class\\Display\\";
            if (root != sysinfo::RegistryRoot::kLocalMachine)
                return false;
            const char* keys[] = {"0000", "0001", "0000\\INFO"};
            for (Key k = 0; k < 3; ++k)
                if (path == display + keys[k]) {
                    key = k;
                    return true;
                }
            return false;
        }
        bool QueryValue(Key key, const char* name, void* data, uint32_t& size) override {
            std::string value;
            if (key == 0 && std::strcmp(name, "DriverDesc") == 0)
                value = "Matrox Millennium G200";
            else if (key == 1 && std::strcmp(name, "DriverDesc") == 0)
                value = "3dfx Voodoo3";
            else if (key == 2 && std::strcmp(name, "VideoMemory") == 0)
                value = std::string("\0\0\0\1", 4);  // 16 MB
            else
                return false;
            if (value.size() > size)
                return false;
            std::memcpy(data, value.data(), value.size());
            size = static_cast<uint32_t>(value.size());
            return true;
        }
        void CloseKey(Key) override {}
    };

    cpu::OsVersionInfo VersionInfo() override { return {4, 10, 0x040A07CE, 1, ""}; }
    uint64_t TotalPhysicalMemory() override { return 64u << 20; }
    bool UserName(std::string& name) override {
        name = "taro";
        return true;
    }
    bool ComputerName(std::string& name) override {
        name = "PC-98";
        return true;
    }
    uint32_t ProcessorCount() override { return 1; }
    bool SystemParameter(uint32_t, uint32_t&) override { return false; }
    bool DisplayAdapterName(std::string&) override { return false; }
    sysinfo::RegistryReader& Registry() override { return registry; }

    DisplayKeys registry;
};

using VideoNameWindow = Scripted<CVideoNameDlg>;

TEST(VideoNameDialogTest, ListsTheRunningSystemsCardsAndTakesTheChosenOne) {
    TwoCardPlatform machine;
    sysinfo::ScopedSysPlatform installed(machine);
    VideoNameWindow dlg("Typed Card", false);
    std::wstring shown;
    std::vector<std::wstring> cards;
    std::map<int, bool> visible;
    COLORREF note = 0, label = 0;
    dlg.steps = {[&](VideoNameWindow& w) -> UINT {
        shown = w.ItemText(IDC_VIDEO_NAME_COMBO);
        HWND combo = w.Item(IDC_VIDEO_NAME_COMBO);
        for (int i = 0; i < static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++i) {
            wchar_t text[128] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            cards.push_back(text);
        }
        for (int id :
             {IDC_VIDEO_NAME_NOTE, IDC_VIDEO_NAME_COMBO, IDC_VIDEO_NAME_EDIT, IDOK, IDCANCEL})
            visible[id] = IsWindowVisible(w.Item(id)) != 0;
        note = LabelColour(w.Handle(), IDC_VIDEO_NAME_NOTE);
        label = LabelColour(w.Handle(), IDC_VIDEO_NAME_LABEL);
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        Click(w.Handle(), IDOK);
        return 0;
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, L"Typed Card");
    EXPECT_EQ(cards, (std::vector<std::wstring>{L"Matrox Millennium G200 16MB", L"3dfx Voodoo3"}));
    EXPECT_EQ(visible, (std::map<int, bool>{{IDC_VIDEO_NAME_NOTE, true},
                                            {IDC_VIDEO_NAME_COMBO, true},
                                            {IDC_VIDEO_NAME_EDIT, false},
                                            {IDOK, true},
                                            {IDCANCEL, true}}));
    EXPECT_EQ(note, 0x00FFFFu);
    EXPECT_EQ(label, 0x00FF00u);
    EXPECT_EQ(dlg.VideoName(), "3dfx Voodoo3");
}

TEST(VideoNameDialogTest, AStoredRecordShowsItsNameReadOnlyWithOnlyOk) {
    VideoNameWindow dlg(fw::NarrowAnsi(L"ビデオ 32MB"), true);
    std::wstring shown;
    bool readOnly = false;
    std::map<int, bool> visible;
    dlg.steps = {[&](VideoNameWindow& w) -> UINT {
        shown = w.ItemText(IDC_VIDEO_NAME_EDIT);
        readOnly = IsReadOnly(w.Item(IDC_VIDEO_NAME_EDIT));
        for (int id :
             {IDC_VIDEO_NAME_NOTE, IDC_VIDEO_NAME_COMBO, IDC_VIDEO_NAME_EDIT, IDOK, IDCANCEL})
            visible[id] = IsWindowVisible(w.Item(id)) != 0;
        Click(w.Handle(), IDOK);
        return 0;
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, L"ビデオ 32MB");
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(visible, (std::map<int, bool>{{IDC_VIDEO_NAME_NOTE, false},
                                            {IDC_VIDEO_NAME_COMBO, false},
                                            {IDC_VIDEO_NAME_EDIT, true},
                                            {IDOK, true},
                                            {IDCANCEL, false}}));
    EXPECT_EQ(dlg.VideoName(), fw::NarrowAnsi(L"ビデオ 32MB"));
}

using OptionsWindow = Scripted<COptionsDlg>;

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    for (int i = 0; i < static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++i) {
        wchar_t text[32] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

TEST(OptionsDialogTest, ListsSelectionsAndRestoringTheDefaults) {
    OptionsWindow dlg(COptionsDlg::Texts{L"20000", L"", L"12345"});
    std::vector<std::wstring> loops, graphs;
    LRESULT loopSelection = 0, graphSelection = 0;
    std::wstring graphShown, loopAfter, graphAfter;
    UINT checkAfter = 0;
    dlg.steps = {
        [&](OptionsWindow& w) -> UINT {
            loops = ComboItems(w.Item(IDC_OPT_LOOP));
            graphs = ComboItems(w.Item(IDC_OPT_GRAPH));
            loopSelection = w.SendItem(IDC_OPT_LOOP, CB_GETCURSEL);
            graphSelection = w.SendItem(IDC_OPT_GRAPH, CB_GETCURSEL);
            graphShown = w.ItemText(IDC_OPT_GRAPH);
            CheckDlgButton(w.Handle(), IDC_OPT_SAVE, BST_CHECKED);
            w.SetItemText(IDC_OPT_LOOP, L"7");
            Click(w.Handle(), IDC_OPT_DEFAULTS);
            return 0;
        },
        [&](OptionsWindow& w) -> UINT {
            loopAfter = w.ItemText(IDC_OPT_LOOP);
            graphAfter = w.ItemText(IDC_OPT_GRAPH);
            checkAfter = IsDlgButtonChecked(w.Handle(), IDC_OPT_SAVE);
            Click(w.Handle(), IDOK);
            return 0;
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(loops, (std::vector<std::wstring>{L"5000", L"10000", L"20000", L"40000"}));
    EXPECT_EQ(graphs, (std::vector<std::wstring>{L"2000", L"3000", L"5000", L"8000", L"10000",
                                                 L"15000", L"20000"}));
    EXPECT_EQ(loopSelection, 2);
    EXPECT_EQ(graphSelection, CB_ERR);
    EXPECT_EQ(graphShown, L"12345");
    EXPECT_EQ(loopAfter, L"10000");
    EXPECT_EQ(graphAfter, L"3000");
    EXPECT_EQ(checkAfter, static_cast<UINT>(BST_CHECKED)) << "restoring leaves the check box";
    EXPECT_EQ(dlg.Result().loop, L"10000");
    EXPECT_EQ(dlg.Result().graph, L"3000");
    EXPECT_TRUE(dlg.SaveChosen());
}

TEST(OptionsDialogTest, ASixCharacterTextIsRefusedAndTheDialogStaysOpen) {
    OptionsWindow dlg(COptionsDlg::Texts{L"10000", L"", L"3000"});
    std::atomic<HWND> options{nullptr};
    std::vector<std::wstring> messages;
    bool stillOpen = false, focusInLoop = false;
    {
        BoxAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            if (box == options.load() || GetDlgItem(box, 0xFFFF) == nullptr)
                return false;
            messages.push_back(MessageBoxText(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        });
        dlg.steps = {
            [&](OptionsWindow& w) -> UINT {
                options = w.Handle();
                w.SetItemText(IDC_OPT_LOOP, L"100000");
                w.SetItemText(IDC_OPT_GRAPH, L"abc");
                // Sent: the refusal's message box runs inside this step.
                SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(w.Item(IDOK)));
                return 0;
            },
            [&](OptionsWindow& w) -> UINT {
                stillOpen = !w.IsEnding();
                HWND focus = GetFocus();
                focusInLoop =
                    focus == w.Item(IDC_OPT_LOOP) || GetParent(focus) == w.Item(IDC_OPT_LOOP);
                Click(w.Handle(), IDCANCEL);
                return 0;
            },
        };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"5 文字以内で入力してください。"}));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(focusInLoop);
}

using DescriptionWindow = Scripted<CDescriptionDlg>;

struct Description {
    UINT id;
    const wchar_t* text;
};

// Some of the texts, character for character: the first, the longest,
// the combo box test and the last.
const Description kDescriptions[] = {
    {104, L"Standard Text （標準テキスト）\n\n0 から N までの数字を標準テキストに出力します。"},
    {105,
     L"Standard Text(2) （標準テキスト(2)）\n\n0 から N "
     L"までの数字を標準テキストに大きな文字で出力します。\nStandard Text "
     L"との差が少ないほど良いとされます。\n\nまた、Windows "
     L"の設定で「スクリーンフォントの縁を滑らかにする」オプションが設定されていると数値が若干落ちま"
     L"す。"},
    {117,
     L"ComboBox Control （コンボボックスコントロール）\n\n0 から N/2 "
     L"までの数字をコンボボックスにソート機能付きで挿入します。\n続いてドロップダウン／アップをし、"
     L"0 から N/2 番目までのコンボボックスのアイテムを選択します。\n\nドロップダウン／アップでは "
     L"Windows の「コンボボックス」アニメーションが設定されていると数値が落ちます。"},
    {123, L"Enable / Disable Controls （有効／無効）\n\nコントロールの有効／無効を繰り返します。"},
};

struct ShownDescription {
    std::wstring caption;
    std::wstring text;
    bool fits = false;  // the whole text within the text field
};

// Whether the static's text, wrapped as the static wraps it, fits its
// height.
bool TextFits(HWND label) {
    RECT client{};
    GetClientRect(label, &client);
    RECT needed = client;
    const std::wstring text = WindowText(label);
    HDC dc = GetDC(label);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return needed.bottom <= client.bottom && needed.right <= client.right;
}

ShownDescription OpenDescription(UINT id, const std::wstring& title) {
    DescriptionWindow dlg(id, title);
    ShownDescription seen;
    dlg.steps = {[&](DescriptionWindow& w) -> UINT {
        seen = {WindowText(w.Handle()), w.ItemText(IDC_DESC_TEXT), TextFits(w.Item(IDC_DESC_TEXT))};
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);  // CLOSE is the default
        return 0;
    }};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    return seen;
}

TEST(DescriptionDialogTest, EveryTestsTextUnderItsNameAndNoneWithoutAnId) {
    for (const Description& d : kDescriptions)
        EXPECT_EQ(fw::LoadResourceString(d.id), d.text) << d.id;
    for (int i = 0; i < bench::kTestCount; ++i) {
        SCOPED_TRACE(i);
        std::string name;
        GetTestName(i, name);
        const UINT id = IDS_DESCRIPTION_FIRST + i;
        const ShownDescription seen = OpenDescription(id, fw::WidenAnsi(name));
        EXPECT_EQ(seen.caption, fw::WidenAnsi(name));
        EXPECT_EQ(seen.text, fw::LoadResourceString(id));
        EXPECT_FALSE(seen.text.empty());
        EXPECT_TRUE(seen.fits) << "nothing of the text is cut off";
    }
    const ShownDescription none = OpenDescription(0, L"ignored");
    EXPECT_EQ(none.caption, L"Description");
    EXPECT_EQ(none.text, L"");
}

}  // namespace
