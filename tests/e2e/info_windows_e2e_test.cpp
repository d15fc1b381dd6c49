// The information windows of the real velkora.exe, opened from the main
// window's buttons like a user would: the processor window and its report
// file, the video card name and system information dialogs (read-only for a
// stored record, editing record 0 for the running system), the options
// dialog and the test description. Needs an X display under Wine.
//
// With VELKORA_SHOT_DIR set, each window is also captured there as a BMP.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/program_folder.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/velkora_session.h"

namespace e2e {
namespace {

const DWORD kWindowMs = 30000;  // for a window to appear
const DWORD kEffectMs = 10000;  // for a command's effect to show
const DWORD kEndMs = 5000;
const char kAbsent[] = "<absent>";
const char kRule[] = "===========================================================================";

// The file name field of a file dialog: the explorer style's combo box or
// the old style's edit.
const int kFileNameCombo = 0x47C;
const int kFileNameEdit = 0x480;
// The text of a message box.
const int kMessageBoxText = 0xFFFF;

// UTF-8 to the bytes of the ANSI code page, as the data file holds them.
std::string Ansi(const std::string& utf8) {
    const std::wstring wide = fw::WidenUtf8(utf8);
    if (wide.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], n, nullptr,
                        nullptr);
    return ansi;
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

// A stored record as an earlier run of the program wrote it: a Windows 98
// machine with a dual Athlon, its user name in Japanese.
std::string DataFileWithOneStoredRecord() {
    return "[VelkoraDataFile]\r\n"
           "VelkoraDataNum=1\r\n"
           "[SystemInfo-DATA001]\r\n"
           "SystemName=Athlon Box\r\n"
           "UserName=" +
           Ansi("山田 太郎") +
           "\r\n"
           "PCName=ATHLON-PC\r\n"
           "PlatformInfo=Windows98(4.10.1998)  128MB Mem\r\n"
           "VideoCard=Matrox Millennium G400 32MB\r\n"
           "Date=2000.08/15.21:30\r\n"
           "MEMO=first:;second\r\n"
           "Setting=16842753\r\n"  // one processor, smooth scrolling, font smoothing
           "PlatformID=1\r\n"
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
           "MultiProcessor=2\r\n";
}

class InfoWindowsE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(program_.Create(&error, L"velkora-info-e2e")) << error;
        folder_ = program_.Path();
        dataFile_ = program_.DataFile();
    }

    void TearDown() override {
        EndProgram();
        if (HasFailure()) {
            std::printf("Kept for inspection: %s\n", fw::NarrowUtf8(folder_).c_str());
            return;
        }
        program_.Remove();
    }

    void WriteDataFile(const std::string& bytes) { ASSERT_TRUE(program_.WriteDataFile(bytes)); }

    void StartProgram() {
        EndProgram();
        session_.reset(new VelkoraSession);
        std::string error;
        ASSERT_TRUE(session_->Start(folder_ + L"\\velkora.exe", kWindowMs, &error)) << error;
    }

    void EndProgram() {
        if (session_ && session_->Process().Running()) {
            PostCommand(Main(), IDC_CLOSE);
            session_->WaitForExit(kEndMs);
        }
        session_.reset();
    }

    HWND Main() const { return session_->MainWindow(); }
    DWORD Pid() const { return session_->Process().Id(); }

    // Selects an entry of the system selector and waits until the main
    // window shows that record's processor.
    void SelectRecord(int entry, const std::string& processorPrefix) {
        ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, entry));
        EXPECT_TRUE(WaitUntil(
            [&] {
                return session_->Text(IDC_PROCESSOR_LINE)
                           .compare(0, processorPrefix.size(), processorPrefix) == 0;
            },
            kEffectMs));
    }

    // Presses a button of the main window and waits for the dialog that has
    // the child `childId`.
    HWND Open(int button, int childId) {
        EXPECT_TRUE(PostCommand(Main(), button));
        std::string error;
        HWND dialog = WaitForProcessDialog(session_->Process(), childId, kWindowMs, &error);
        EXPECT_NE(dialog, nullptr) << error;
        if (dialog != nullptr) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), Main()) << "modal over the main window";
            Responds(dialog);
        }
        return dialog;
    }

    // Ends a dialog with a button and waits until it has gone and the main
    // window answers again.
    void Close(HWND dialog, int button) {
        EXPECT_TRUE(PostCommand(dialog, button));
        EXPECT_TRUE(WaitForWindowGone(dialog, kEffectMs));
        EXPECT_TRUE(Responds(Main(), kEffectMs));
    }

    // A dialog of the program other than the main window and `except` that
    // has one of the children `childIds`; nullptr after the timeout.
    HWND WaitForBox(std::initializer_list<int> childIds, HWND except) {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : ProcessDialogs(Pid()))
                    for (int id : childIds)
                        if (w != Main() && w != except && GetDlgItem(w, id) != nullptr)
                            found = w;
                return found != nullptr;
            },
            kWindowMs);
        return found;
    }

    bool SetText(HWND control, const std::string& utf8) {
        const std::wstring text = fw::WidenUtf8(utf8);
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                   SMTO_NORMAL, 5000, &result) != 0;
    }

    static LRESULT SendTo(HWND control, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, msg, wp, lp, SMTO_NORMAL, 5000, &result);
        return static_cast<LRESULT>(result);
    }

    static bool IsReadOnly(HWND edit) {
        return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
    }

    std::string Profile(const std::string& section, const std::string& key) const {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, dataFile_.c_str());
        wchar_t value[256] = {};
        GetPrivateProfileStringW(fw::WidenUtf8(section).c_str(), fw::WidenUtf8(key).c_str(),
                                 fw::WidenUtf8(kAbsent).c_str(), value, 256, dataFile_.c_str());
        return fw::NarrowUtf8(value);
    }

    // The data file once it differs from `before`.
    std::string DataFileAfter(const std::string& before) const {
        std::string now;
        WaitUntil(
            [&] {
                now = ReadBytes(dataFile_);
                return now != before;
            },
            kEffectMs);
        return now;
    }

    void Shot(HWND window, const char* name) {
        wchar_t dir[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableW(L"VELKORA_SHOT_DIR", dir, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return;
        Sleep(400);  // let it paint
        std::string error;
        EXPECT_TRUE(CaptureWindowBmp(
            window, std::wstring(dir) + L"\\" + fw::WidenUtf8(name) + L".bmp", &error))
            << error;
    }

    ProgramFolder program_;
    std::wstring folder_, dataFile_;
    std::unique_ptr<VelkoraSession> session_;
};

// The processor window of a stored record: its fields, the frequency one
// second later, a name edited in the window, and the report saved through
// the save dialog.
TEST_F(InfoWindowsE2ETest, ProcessorWindowShowsTheSelectedRecordAndSavesItsReport) {
    ASSERT_NO_FATAL_FAILURE(WriteDataFile(DataFileWithOneStoredRecord()));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(SelectRecord(1, "AMD-Athlon Processor"));

    HWND processor = Open(IDC_PROCESSOR_BUTTON, IDC_PROC_CACHE_TREE);
    ASSERT_NE(processor, nullptr);
    const std::string frequencyAtOnce = ItemText(processor, IDC_PROC_FREQUENCY);
    std::string caption;
    ControlText(processor, caption);
    EXPECT_EQ(caption.compare(0, 33, "AMD-Athlon Processor On Windows7 "), 0)
        << caption << ": the stored name and the running Windows (Wine's is 6.1)";
    EXPECT_EQ(ItemText(processor, IDC_PROC_VENDOR), "AuthenticAMD");
    EXPECT_EQ(ItemText(processor, IDC_PROC_NAME), "AMD-Athlon Processor");
    EXPECT_EQ(ItemText(processor, IDC_PROC_CODENAME), "AMD-K7(tm) Processor");
    EXPECT_EQ(ItemText(processor, IDC_PROC_SIGNATURE), "Type : 0  Family : 6  Model : 1  Step : 2");
    EXPECT_EQ(ItemText(processor, IDC_PROC_MMX), "Supported");
    EXPECT_EQ(ItemText(processor, IDC_PROC_3DNOW), "Supported");
    EXPECT_EQ(ItemText(processor, IDC_PROC_SSE), "Not Supported");
    EXPECT_EQ(ItemText(processor, IDC_PROC_CACHE), "I-64K,D-64K / 512KBytes");
    EXPECT_EQ(ItemText(processor, IDC_PROC_GROUP), "Dual Processors");
    EXPECT_EQ(frequencyAtOnce, "") << "filled one second after opening";
    RemoteListView features(session_->Process().Handle(), GetDlgItem(processor, IDC_PROC_FEATURES));
    EXPECT_EQ(features.ItemCount(), 34);
    std::string cell;
    EXPECT_TRUE(features.ItemText(23, 0, cell));
    EXPECT_EQ(cell, "MMX");
    EXPECT_TRUE(features.ItemText(33, 1, cell));
    EXPECT_EQ(cell, "Disabled");
    // At least 800 x 600, and every control inside the client area.
    RECT r{}, client{};
    GetWindowRect(processor, &r);
    EXPECT_GE(r.right - r.left, 800);
    EXPECT_GE(r.bottom - r.top, 600);
    GetClientRect(processor, &client);
    MapWindowPoints(processor, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND child = GetWindow(processor, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT c{};
        GetWindowRect(child, &c);
        if (IsWindowVisible(child)) {
            EXPECT_TRUE(c.right <= client.right && c.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(child) << " is clipped";
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return ItemText(processor, IDC_PROC_FREQUENCY) == "651.500 MHz"; },
                          kEffectMs));
    Shot(processor, "processor");

    // Name edit mode: the Name button, a new name, Enter.
    HWND name = GetDlgItem(processor, IDC_PROC_NAME);
    ASSERT_TRUE(PostCommand(processor, IDC_PROC_NAME_BUTTON));
    ASSERT_TRUE(WaitUntil([&] { return !IsReadOnly(name); }, kEffectMs));
    ASSERT_TRUE(SetText(name, "改名した Athlon"));
    ASSERT_TRUE(PostKeyDown(name, VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return IsReadOnly(name); }, kEffectMs));
    EXPECT_TRUE(IsWindowVisible(processor)) << "Enter does not close the window";

    // TextOut: the save dialog, a file name, OK.
    const std::wstring report = folder_ + L"\\athlon.txt";
    ASSERT_TRUE(PostCommand(processor, IDC_PROC_TEXTOUT));
    HWND save = WaitForBox({kFileNameCombo, kFileNameEdit}, processor);
    ASSERT_NE(save, nullptr) << "the save dialog";
    HWND field = GetDlgItem(save, kFileNameCombo);
    if (field == nullptr)
        field = GetDlgItem(save, kFileNameEdit);
    std::string initial;
    ControlText(field, initial);
    EXPECT_EQ(initial, "Result");
    ASSERT_TRUE(SetText(field, fw::NarrowUtf8(report)));
    ASSERT_TRUE(PostCommand(save, IDOK));
    std::string written;
    EXPECT_TRUE(WaitUntil(
        [&] {
            written = ReadBytes(report);
            return written.size() > 80 &&
                   written.compare(written.size() - 77, 77, std::string(kRule) + "\r\n") == 0;
        },
        kEffectMs));

    // The report's layout is checked byte for byte by the native tests; here
    // what the window hands it: the caption, the group caption, the edited
    // name in the ANSI code page, the frequency, and the record's tables.
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = written.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(written.substr(at, end - at));
    ASSERT_EQ(lines.size(), 52u) << "no extra cache lines for AMD, 32 feature rows";
    EXPECT_EQ(lines[1], "  " + caption);
    EXPECT_EQ(lines[3], "== Dual Processors  :: " + std::string(52, '='));
    EXPECT_EQ(lines[4], "             Vendor :: AuthenticAMD");
    EXPECT_EQ(lines[5], "               Name :: " + Ansi("改名した Athlon"));
    EXPECT_EQ(lines[7], "          Frequency :: 651.500 MHz");
    EXPECT_EQ(lines[15],
              " L2   Unified Cache :: 512KB size(2-way set associative, 1lines per Tag, 64byte "
              "line size)");
    EXPECT_EQ(lines[41], "  MMX Ex    Enabled :: AMD-Multimedia Instruction Extensions");
    EXPECT_EQ(lines[50], "  3DNow!    Enabled :: AMD-3DNow! Instructions");
    EXPECT_EQ(lines[51], kRule);

    Close(processor, IDCANCEL);
    EXPECT_EQ(Profile("InfoCPU-DATA001", "ProcessorName"), "AMD-Athlon Processor")
        << "an edited name stays in the window";
}

// A stored record opens both system dialogs read-only; nothing reaches the
// data file, whatever is typed or clicked, even after OK.
TEST_F(InfoWindowsE2ETest, StoredRecordsOpenTheSystemDialogsReadOnly) {
    ASSERT_NO_FATAL_FAILURE(WriteDataFile(DataFileWithOneStoredRecord()));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(SelectRecord(1, "AMD-Athlon Processor"));
    const std::string before = ReadBytes(dataFile_);

    HWND video = Open(IDC_VIDEO_BUTTON, IDC_VIDEO_NAME_NOTE);
    ASSERT_NE(video, nullptr);
    HWND shown = GetDlgItem(video, IDC_VIDEO_NAME_EDIT);
    EXPECT_TRUE(IsWindowVisible(shown));
    EXPECT_TRUE(IsReadOnly(shown));
    EXPECT_EQ(ItemText(video, IDC_VIDEO_NAME_EDIT), "Matrox Millennium G400 32MB");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(video, IDC_VIDEO_NAME_COMBO)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(video, IDC_VIDEO_NAME_NOTE)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(video, IDCANCEL)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(video, IDOK)));
    Shot(video, "video-readonly");
    SetText(GetDlgItem(video, IDC_VIDEO_NAME_COMBO), "Typed over");
    Close(video, IDOK);

    for (int button : {IDC_PLATFORM_BUTTON, IDC_SYSTEM_BUTTON}) {
        SCOPED_TRACE(button);
        HWND info = Open(button, IDC_SYS_MEMO);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(ItemText(info, IDC_SYS_PLATFORM), "Windows98(4.10.1998)  128MB Mem");
        EXPECT_EQ(ItemText(info, IDC_SYS_USER), "山田 太郎");
        EXPECT_EQ(ItemText(info, IDC_SYS_COMPUTER), "ATHLON-PC");
        EXPECT_EQ(ItemText(info, IDC_SYS_DATE), "2000.08/15.21:30");
        EXPECT_EQ(ItemText(info, IDC_SYS_MEMO), "first\r\nsecond");
        for (int id :
             {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO, IDC_SYS_PLATFORM, IDC_SYS_DATE})
            EXPECT_TRUE(IsReadOnly(GetDlgItem(info, id))) << id;
        const int stored[] = {BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED};
        const int marks[] = {IDC_SYS_SMOOTH_SCROLL, IDC_SYS_COMBO_ANIMATION, IDC_SYS_LIST_ANIMATION,
                             IDC_SYS_FONT_SMOOTHING};
        for (int i = 0; i < 4; ++i) {
            HWND mark = GetDlgItem(info, marks[i]);
            EXPECT_EQ(SendTo(mark, BM_GETCHECK), stored[i]) << marks[i];
            SendTo(mark, BM_CLICK);
            EXPECT_EQ(SendTo(mark, BM_GETCHECK), stored[i]) << marks[i] << " after a click";
        }
        if (button == IDC_PLATFORM_BUTTON)
            Shot(info, "system-readonly");
        SetText(GetDlgItem(info, IDC_SYS_USER), "changed");
        SetText(GetDlgItem(info, IDC_SYS_MEMO), "changed");
        Close(info, IDOK);
    }
    EXPECT_EQ(ReadBytes(dataFile_), before) << "nothing saved for a stored record";
}

// Record 0: user name, computer name and memo typed in the system
// information dialog reach the data file, the memo's lines stored as ":;".
TEST_F(InfoWindowsE2ETest, TheRunningSystemsNamesAndMemoAreSavedAsRecordZero) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    // The settings marks of the running system are probed afresh, whatever
    // record 0 holds in the file by now.
    const unsigned probed = std::stoul(Profile("SystemInfo-DATA000", "Setting"));
    const unsigned marks[] = {0x10000, 0x20000, 0x40000, 0x1000000};
    const unsigned stale = probed ^ (marks[0] | marks[1] | marks[2] | marks[3]);
    ASSERT_TRUE(WritePrivateProfileStringW(L"SystemInfo-DATA000", L"Setting",
                                           std::to_wstring(stale).c_str(), dataFile_.c_str()));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, dataFile_.c_str());

    HWND info = Open(IDC_SYSTEM_BUTTON, IDC_SYS_MEMO);
    ASSERT_NE(info, nullptr);
    const int buttons[] = {IDC_SYS_SMOOTH_SCROLL, IDC_SYS_COMBO_ANIMATION, IDC_SYS_LIST_ANIMATION,
                           IDC_SYS_FONT_SMOOTHING};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SendTo(GetDlgItem(info, buttons[i]), BM_GETCHECK),
                  (probed & marks[i]) ? BST_CHECKED : BST_UNCHECKED)
            << buttons[i];
    for (int id : {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO})
        EXPECT_FALSE(IsReadOnly(GetDlgItem(info, id))) << id;
    EXPECT_EQ(ItemText(info, IDC_SYS_PLATFORM), session_->Text(IDC_PLATFORM_LINE));
    SetText(GetDlgItem(info, IDC_SYS_USER), "佐藤 一郎");
    SetText(GetDlgItem(info, IDC_SYS_COMPUTER), "WINE-BOX");
    SetText(GetDlgItem(info, IDC_SYS_MEMO), "line one\r\nライン２\r\nline three");
    Shot(info, "system-edit");
    const std::string before = ReadBytes(dataFile_);
    Close(info, IDOK);

    const std::string after = DataFileAfter(before);
    EXPECT_EQ(Profile("SystemInfo-DATA000", "UserName"), "佐藤 一郎");
    EXPECT_EQ(Profile("SystemInfo-DATA000", "PCName"), "WINE-BOX");
    EXPECT_EQ(Profile("SystemInfo-DATA000", "MEMO"), "line one:;ライン２:;line three");
    EXPECT_EQ(Profile("SystemInfo-DATA000", "Setting"), std::to_string(probed));
    EXPECT_NE(after.find("UserName=" + Ansi("佐藤 一郎") + "\r\n"), std::string::npos)
        << "the data file holds ANSI bytes";

    info = Open(IDC_PLATFORM_BUTTON, IDC_SYS_MEMO);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ItemText(info, IDC_SYS_MEMO), "line one\r\nライン２\r\nline three");
    EXPECT_EQ(ItemText(info, IDC_SYS_USER), "佐藤 一郎");
    SetText(GetDlgItem(info, IDC_SYS_USER), "cancelled");
    const std::string saved = ReadBytes(dataFile_);
    Close(info, IDCANCEL);
    // The command has ended, and with it any save it would make.
    ASSERT_TRUE(EarlierPostsHandled(GetDlgItem(Main(), IDC_RESULT_LIST)));
    EXPECT_EQ(ReadBytes(dataFile_), saved) << "CANCEL saves nothing";
}

// Record 0's video card: typed, then picked from the list of the running
// system's cards; each becomes the main window's video line.
TEST_F(InfoWindowsE2ETest, TheVideoCardTypedOrChosenBecomesRecordZerosVideoCard) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const std::string probed = session_->Text(IDC_VIDEO_LINE);

    HWND video = Open(IDC_VIDEO_BUTTON, IDC_VIDEO_NAME_NOTE);
    ASSERT_NE(video, nullptr);
    HWND combo = GetDlgItem(video, IDC_VIDEO_NAME_COMBO);
    EXPECT_EQ(ItemText(video, IDC_VIDEO_NAME_COMBO), probed);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(video, IDC_VIDEO_NAME_EDIT)));
    Shot(video, "video");
    SetText(combo, "Typed Card 64MB");
    std::string before = ReadBytes(dataFile_);
    Close(video, IDOK);
    DataFileAfter(before);
    EXPECT_EQ(Profile("SystemInfo-DATA000", "VideoCard"), "Typed Card 64MB");
    EXPECT_EQ(session_->Text(IDC_VIDEO_LINE), "Typed Card 64MB");

    video = Open(ID_VIDEOCARD, IDC_VIDEO_NAME_NOTE);  // the menu command's route
    ASSERT_NE(video, nullptr);
    combo = GetDlgItem(video, IDC_VIDEO_NAME_COMBO);
    EXPECT_EQ(ItemText(video, IDC_VIDEO_NAME_COMBO), "Typed Card 64MB");
    ASSERT_GE(ComboCount(combo), 1) << "Wine's display adapter";
    std::string card;
    ASSERT_TRUE(ComboItemText(combo, 0, card));
    EXPECT_EQ(card, probed);
    ASSERT_TRUE(ChooseComboItem(video, IDC_VIDEO_NAME_COMBO, 0));
    EXPECT_TRUE(
        WaitUntil([&] { return ItemText(video, IDC_VIDEO_NAME_COMBO) == card; }, kEffectMs));
    before = ReadBytes(dataFile_);
    Close(video, IDOK);
    DataFileAfter(before);
    EXPECT_EQ(Profile("SystemInfo-DATA000", "VideoCard"), card);
    EXPECT_EQ(session_->Text(IDC_VIDEO_LINE), card);
}

// Options: texts are read leniently and clamped, and written as typed only
// with the save flag; a six-character text is refused.
TEST_F(InfoWindowsE2ETest, OptionsClampWhatIsTypedAndSaveItAsTyped) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    HWND options = Open(IDC_OPTION, IDC_OPT_SAVE);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(ItemText(options, IDC_OPT_LOOP), "10000");
    EXPECT_EQ(ItemText(options, IDC_OPT_GRAPH), "3000");
    Shot(options, "options");
    SetText(GetDlgItem(options, IDC_OPT_LOOP), "100");
    SendTo(GetDlgItem(options, IDC_OPT_SAVE), BM_SETCHECK, BST_CHECKED);
    std::string before = ReadBytes(dataFile_);
    Close(options, IDOK);
    DataFileAfter(before);
    EXPECT_EQ(Profile("VelkoraDataFile", "VelkoraLoop"), "100") << "the text as typed";
    EXPECT_EQ(Profile("VelkoraDataFile", "VelkoraGraph"), "3000");
    EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), "GRAPH ( MAX.3000 )");

    // The loop count in use is the clamped one; without the save flag the
    // graph maximum changes the window only.
    options = Open(ID_OPTIONS, IDC_OPT_SAVE);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(ItemText(options, IDC_OPT_LOOP), "5000");
    EXPECT_EQ(SendTo(GetDlgItem(options, IDC_OPT_SAVE), BM_GETCHECK), BST_UNCHECKED);
    SetText(GetDlgItem(options, IDC_OPT_GRAPH), "40000");
    before = ReadBytes(dataFile_);
    Close(options, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return session_->Text(IDC_GRAPH_TITLE) == "GRAPH ( MAX.20000 )"; },
                          kEffectMs));
    EXPECT_EQ(ReadBytes(dataFile_), before) << "not saved";

    // A six-digit text: the standard refusal, and the dialog stays open.
    options = Open(IDC_OPTION, IDC_OPT_SAVE);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(ItemText(options, IDC_OPT_GRAPH), "20000");
    SetText(GetDlgItem(options, IDC_OPT_LOOP), "100000");
    ASSERT_TRUE(PostCommand(options, IDOK));
    HWND refusal = WaitForBox({kMessageBoxText}, options);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(ItemText(refusal, kMessageBoxText), "5 文字以内で入力してください。");
    Shot(refusal, "options-refusal");
    PostCommand(refusal, IDOK);
    EXPECT_TRUE(WaitForWindowGone(refusal, kEffectMs));
    EXPECT_TRUE(Responds(options));
    EXPECT_TRUE(IsWindowVisible(options)) << "the dialog stays open";
    Close(options, IDCANCEL);
    EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), "GRAPH ( MAX.20000 )") << "CANCEL changes nothing";
    EXPECT_EQ(ReadBytes(dataFile_), before);

    // Restoring the defaults, then OK without the save flag.
    options = Open(IDC_OPTION, IDC_OPT_SAVE);
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(PostCommand(options, IDC_OPT_DEFAULTS));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(options, IDC_OPT_LOOP) == "10000"; }, kEffectMs));
    EXPECT_EQ(ItemText(options, IDC_OPT_GRAPH), "3000");
    Close(options, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return session_->Text(IDC_GRAPH_TITLE) == "GRAPH ( MAX.3000 )"; },
                          kEffectMs));
    EXPECT_EQ(ReadBytes(dataFile_), before) << "not saved";

    // The next start reads the saved texts and clamps them again.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    options = Open(IDC_OPTION, IDC_OPT_SAVE);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(ItemText(options, IDC_OPT_LOOP), "5000");
    EXPECT_EQ(ItemText(options, IDC_OPT_GRAPH), "3000");
    Close(options, IDCANCEL);
}

// The function keys and the popup menu's command ids reach the same
// windows as the buttons.
TEST_F(InfoWindowsE2ETest, KeysAndMenuCommandsOpenTheSameWindows) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    HWND list = GetDlgItem(Main(), IDC_RESULT_LIST);
    struct Route {
        UINT key;
        int command;
        int childId;
    } const routes[] = {
        {VK_F2, ID_PROCESSOR, IDC_PROC_CACHE_TREE},
        {VK_F3, ID_VIDEOCARD, IDC_VIDEO_NAME_NOTE},
        {VK_F4, ID_PLATFORM, IDC_SYS_MEMO},
        {VK_F12, ID_OPTIONS, IDC_OPT_SAVE},
    };
    for (const Route& r : routes) {
        SCOPED_TRACE(r.command);
        for (int byKey = 0; byKey < 2; ++byKey) {
            const bool posted = byKey ? PostKeyDown(list, r.key) : PostCommand(Main(), r.command);
            ASSERT_TRUE(posted);
            std::string error;
            HWND dialog = WaitForProcessDialog(session_->Process(), r.childId, kWindowMs, &error);
            ASSERT_NE(dialog, nullptr) << error << (byKey ? " (key)" : " (menu command)");
            Responds(dialog);
            Close(dialog, IDCANCEL);
        }
    }
}

// A double click in the result list describes the lowest selected row.
TEST_F(InfoWindowsE2ETest, ADoubleClickDescribesTheLowestSelectedRow) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    HWND list = GetDlgItem(Main(), IDC_RESULT_LIST);
    RemoteBuffer rect(session_->Process().Handle(), sizeof(RECT));
    RECT row13{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(rect.Write(0, &row13, sizeof row13));
    ASSERT_TRUE(SendTo(list, LVM_GETITEMRECT, 13, reinterpret_cast<LPARAM>(rect.Address())));
    ASSERT_TRUE(rect.Read(0, &row13, sizeof row13));
    const LPARAM at = MAKELPARAM(row13.left + 20, (row13.top + row13.bottom) / 2);

    const std::string comboBoxText =
        "ComboBox Control （コンボボックスコントロール）\n\n0 から N/2 "
        "までの数字をコンボボックスにソート機能付きで挿入します。\n続いてドロップダウン／アップを"
        "し、0 から N/2 番目までのコンボボックスのアイテムを選択します。\n\nドロップダウン／アップ"
        "では Windows の「コンボボックス」アニメーションが設定されていると数値が落ちます。";
    struct Case {
        std::vector<int> selected;
        const char* caption;
        std::string text;
    } const cases[] = {
        {{13}, "ComboBox Control", comboBoxText},
        {{17, 13, 15}, "ComboBox Control", comboBoxText},
        {{}, "Description", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected.size());
        ASSERT_TRUE(session_->List().SelectOnly(c.selected));
        ASSERT_TRUE(PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at));
        std::string error;
        HWND box = WaitForProcessDialog(session_->Process(), IDC_DESC_TEXT, kWindowMs, &error);
        ASSERT_NE(box, nullptr) << error;
        std::string caption;
        ControlText(box, caption);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(ItemText(box, IDC_DESC_TEXT), c.text);
        if (c.selected.size() == 1)
            Shot(box, "description");
        Close(box, IDOK);
    }
}

}  // namespace
}  // namespace e2e
