// The framework layer in process: modal dialogs, routing, data exchange,
// control binding with reflected colours and drawing, the worker thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "framework/control.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/text.h"
#include "framework/ui_thread.h"
#include "framework_test_ids.h"
#include "tests/win32/commands_test_support.h"

namespace {

const UINT kContinue = WM_APP + 1;
const UINT kThrow = WM_APP + 2;

class ReflectingLabel : public fw::Control {
  public:
    int colourRequests = 0;
    bool OnReflected(fw::Message& m) override {
        if (m.msg != WM_CTLCOLORSTATIC)
            return false;
        ++colourRequests;
        m.result = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        return true;
    }
};

class DrawnButton : public fw::Control {
  public:
    int draws = 0;
    bool OnReflected(fw::Message& m) override {
        if (m.msg != WM_DRAWITEM)
            return false;
        ++draws;
        m.result = TRUE;
        return true;
    }
};

class ProbeDialog : public fw::Dialog {
  public:
    explicit ProbeDialog(HWND parent = nullptr) : fw::Dialog(IDD_FW_TEST, parent) {}

    std::wstring name = L"init";
    int flag = 1;
    std::wstring combo = L"be";
    std::vector<UINT> commands;
    int appMessages = 0;
    int labelClicks = 0;
    ReflectingLabel label;
    DrawnButton drawn;
    std::function<void(ProbeDialog&)> onInit;
    std::function<void(ProbeDialog&)> onContinue;

  protected:
    void DoDataExchange(fw::DataExchange& dx) override {
        dx.Bind(IDC_FW_LABEL, label);
        dx.Bind(IDC_FW_DRAWN, drawn);
        dx.Text(IDC_FW_EDIT, name);
        dx.MaxChars(IDC_FW_EDIT, name, 5);
        dx.Check(IDC_FW_CHECK, flag);
        dx.ComboText(IDC_FW_COMBO, combo);
    }
    BOOL OnInitDialog() override {
        for (const wchar_t* item : {L"alpha", L"beta", L"gamma"})
            SendItem(IDC_FW_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        fw::Dialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    bool RouteMessage(fw::Message& m) override {
        static const fw::Route<ProbeDialog> routes[] = {
            fw::OnCommandRange(IDC_FW_FIRST, IDC_FW_FIRST + 2, &ProbeDialog::OnButton),
            fw::OnMessage(WM_APP, &ProbeDialog::OnApp),
            fw::OnMessage(kContinue, &ProbeDialog::OnContinue),
            fw::OnMessage(kThrow, &ProbeDialog::OnThrow),
            fw::OnNotify(NM_CLICK, IDC_FW_LABEL, &ProbeDialog::OnLabelClick),
        };
        return fw::Dispatch(this, routes, m);
    }

  private:
    void OnButton(fw::Message& m) { commands.push_back(m.CommandId()); }
    void OnApp(fw::Message&) { ++appMessages; }
    void OnContinue(fw::Message&) {
        if (onContinue)
            onContinue(*this);
    }
    void OnThrow(fw::Message&) { throw std::runtime_error("must not cross into the system"); }
    void OnLabelClick(fw::Message& m) {
        ++labelClicks;
        m.result = 0;
    }
};

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(FrameworkDialogTest, ExchangesDataAndRoutesCommandsMessagesAndNotifications) {
    ProbeDialog dlg;
    std::wstring shownName, shownCombo;
    UINT shownCheck = 0;
    dlg.onInit = [&](ProbeDialog& d) {
        HWND w = d.Handle();
        shownName = d.ItemText(IDC_FW_EDIT);
        shownCheck = IsDlgButtonChecked(w, IDC_FW_CHECK);
        shownCombo = d.ItemText(IDC_FW_COMBO);
        NMHDR click{GetDlgItem(w, IDC_FW_LABEL), IDC_FW_LABEL, static_cast<UINT>(NM_CLICK)};
        SendMessageW(w, WM_NOTIFY, IDC_FW_LABEL, reinterpret_cast<LPARAM>(&click));
        Click(w, IDC_FW_FIRST);
        Click(w, IDC_FW_FIRST + 2);
        PostMessageW(w, WM_APP, 0, 0);
        d.SetItemText(IDC_FW_EDIT, L"abc");
        CheckDlgButton(w, IDC_FW_CHECK, BST_UNCHECKED);
        Click(w, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shownName, L"init");
    EXPECT_EQ(shownCheck, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(shownCombo, L"beta") << "a list entry that begins with the text is selected";
    EXPECT_EQ(dlg.name, L"abc");
    EXPECT_EQ(dlg.flag, 0);
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{IDC_FW_FIRST, IDC_FW_FIRST + 2}));
    EXPECT_EQ(dlg.appMessages, 1);
    EXPECT_EQ(dlg.labelClicks, 1);
}

TEST(FrameworkDialogTest, ComboTextWithoutAMatchingEntryGoesIntoTheEditField) {
    ProbeDialog dlg;
    dlg.combo = L"zeta";
    std::wstring shown;
    LRESULT selection = 0;
    dlg.onInit = [&](ProbeDialog& d) {
        shown = d.ItemText(IDC_FW_COMBO);
        selection = d.SendItem(IDC_FW_COMBO, CB_GETCURSEL);
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, L"zeta");
    EXPECT_EQ(selection, CB_ERR);
}

// A dialog window of the thread that is not the probe dialog: the message box.
// It is owned by the probe dialog, which tells it apart from the dialog
// itself while that is still being created.
struct BoxSearch {
    HWND owner;
    std::atomic<bool>* seen;
};

BOOL CALLBACK CloseMessageBox(HWND wnd, LPARAM param) {
    const BoxSearch* search = reinterpret_cast<const BoxSearch*>(param);
    wchar_t cls[32] = {};
    GetClassNameW(wnd, cls, 32);
    if (std::wstring(cls) != L"#32770" || GetWindow(wnd, GW_OWNER) != search->owner)
        return TRUE;
    PostMessageW(wnd, WM_COMMAND, IDOK, 0);
    *search->seen = true;
    return FALSE;
}

TEST(FrameworkDialogTest, ATooLongTextIsRefusedAndTheDialogStaysOpen) {
    ProbeDialog dlg;
    std::atomic<bool> boxSeen{false};
    DWORD uiThread = GetCurrentThreadId();
    bool stillOpen = false;
    bool editFocused = false;
    // Closes the refusal's message box like a user would, then lets the
    // dialog go on.
    std::atomic<HWND> dialog{nullptr};
    std::thread closer([&] {
        for (int tries = 0; tries < 5000 && !boxSeen; ++tries) {
            BoxSearch search{dialog, &boxSeen};
            if (search.owner != nullptr)
                EnumThreadWindows(uiThread, CloseMessageBox, reinterpret_cast<LPARAM>(&search));
            Sleep(2);
        }
        if (dialog != nullptr)
            PostMessageW(dialog, kContinue, 0, 0);
    });
    dlg.onInit = [&](ProbeDialog& d) {
        dialog = d.Handle();
        d.SetItemText(IDC_FW_EDIT, L"sixsix");
        Click(d.Handle(), IDOK);
    };
    dlg.onContinue = [&](ProbeDialog& d) {
        stillOpen = !d.IsEnding();
        editFocused = GetFocus() == d.Item(IDC_FW_EDIT);
        d.SetItemText(IDC_FW_EDIT, L"five5");
        Click(d.Handle(), IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    closer.join();
    EXPECT_TRUE(boxSeen);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.name, L"five5");
    EXPECT_TRUE(editFocused) << "the refused field gets the focus";
}

TEST(FrameworkDialogTest, BoundControlsGetReflectedColoursAndDrawingAndAreReleased) {
    ProbeDialog dlg;
    bool foundLabel = false;
    // Painting needs the dialog shown, which happens after its start-up.
    dlg.onInit = [](ProbeDialog& d) { PostMessageW(d.Handle(), kContinue, 0, 0); };
    dlg.onContinue = [&](ProbeDialog& d) {
        RedrawWindow(d.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        foundLabel = fw::Control::FromHandle(d.Item(IDC_FW_LABEL)) == &d.label;
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_TRUE(foundLabel);
    EXPECT_GT(dlg.label.colourRequests, 0);
    EXPECT_GT(dlg.drawn.draws, 0);
    EXPECT_FALSE(dlg.label.IsBound()) << "the window's end unbinds the object";
}

// An exception that reaches a window procedure is shown once, with what it
// says, and the dialog goes on; a second one while the message is up adds
// no second message.
TEST(FrameworkDialogTest, AnExceptionInAHandlerIsReportedOnceAndTheDialogGoesOn) {
    ProbeDialog dlg;
    dlg.onInit = [](ProbeDialog& d) {
        PostMessageW(d.Handle(), kThrow, 0, 0);
        PostMessageW(d.Handle(), kThrow, 0, 0);
        PostMessageW(d.Handle(), WM_APP, 0, 0);
    };
    const DWORD ui = GetCurrentThreadId();
    std::wstring said;
    size_t boxes = 0;
    commands_test::RunWithScript(
        [&] { EXPECT_EQ(dlg.DoModal(), IDCANCEL); },
        [&] {
            HWND box = commands_test::WaitThreadDialog(ui, {}, {IDC_FW_EDIT});
            ASSERT_NE(box, nullptr) << "the failure is shown";
            said = commands_test::ChildTexts(box);
            ASSERT_TRUE(commands_test::WaitUntil([&] { return dlg.appMessages == 1; }, 10000));
            boxes = commands_test::ThreadDialogs(ui, {}, {IDC_FW_EDIT}).size();
            commands_test::Click(box, IDOK);
            ASSERT_TRUE(commands_test::WaitGone(box));
        },
        [&] { Click(dlg.Handle(), IDCANCEL); });
    EXPECT_NE(said.find(L"must not cross into the system"), std::wstring::npos);
    EXPECT_EQ(boxes, 1u);
    EXPECT_EQ(dlg.appMessages, 1);
}

// A dialog destroyed without EndDialog (by its own code, or with an owner
// that goes) ends its modal run instead of leaving it waiting.
TEST(FrameworkDialogTest, ADialogDestroyedWithoutEndDialogEndsItsModalRun) {
    ProbeDialog dlg;
    dlg.onInit = [](ProbeDialog& d) { PostMessageW(d.Handle(), kContinue, 0, 0); };
    dlg.onContinue = [](ProbeDialog& d) { DestroyWindow(d.Handle()); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.Handle(), nullptr);
}

TEST(FrameworkDialogTest, TheOwnerIsDisabledForTheModalRunOnly) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ProbeDialog dlg(owner);
    BOOL enabledDuringRun = TRUE;
    HWND dialogOwner = nullptr;
    dlg.onInit = [&](ProbeDialog& d) {
        enabledDuringRun = IsWindowEnabled(owner);
        dialogOwner = GetWindow(d.Handle(), GW_OWNER);
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_EQ(dialogOwner, owner);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

class RangeThread : public fw::UiThread {
  public:
    std::atomic<int> hits{0};
    std::atomic<int> sum{0};

  protected:
    bool RouteThreadMessage(const MSG& msg) override {
        static const fw::ThreadRoute<RangeThread> routes[] = {
            {WM_APP, WM_APP + 9, &RangeThread::OnRange},
            {WM_APP + 20, WM_APP + 20, &RangeThread::OnQuit},
        };
        return fw::DispatchThread(this, routes, msg);
    }

  private:
    void OnRange(WPARAM wp, LPARAM) {
        ++hits;
        sum += static_cast<int>(wp);
    }
    void OnQuit(WPARAM code, LPARAM) { QuitLoop(static_cast<int>(code)); }
};

TEST(FrameworkThreadTest, RoutesThreadMessagesByRangeAndQuitsWithItsCode) {
    RangeThread thread;
    ASSERT_TRUE(thread.Start());
    // Posted straight after the start: the queue exists already.
    for (UINT i = 0; i < 10; ++i)
        EXPECT_TRUE(thread.Post(WM_APP + i, i));
    thread.Post(WM_APP + 15, 1000);  // no route: ignored
    thread.Post(WM_APP + 20, 7);
    ASSERT_TRUE(thread.Wait(3000));
    DWORD code = 0;
    GetExitCodeThread(thread.Handle(), &code);
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(thread.hits, 10);
    EXPECT_EQ(thread.sum, 45);
}

TEST(FrameworkThreadTest, GoingWhileItRunsEndsTheLoopAndJoinsTheThread) {
    HANDLE copy = nullptr;
    const DWORD start = GetTickCount();
    {
        RangeThread thread;
        ASSERT_TRUE(thread.Start());
        EXPECT_TRUE(thread.Post(WM_APP + 1, 1));
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread.Handle(), GetCurrentProcess(),
                                    &copy, SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0));
    }
    const fw::KernelHandle ended(copy);
    EXPECT_EQ(WaitForSingleObject(ended.Get(), 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "the thread ended before its object went";
    EXPECT_LT(GetTickCount() - start, fw::UiThread::kStopWaitMs) << "its loop ended, not the wait";
}

TEST(FrameworkTextTest, AnsiConversionsRoundTripJapaneseInCodePage932) {
    // The Windows tests run under the Japanese locale (tools/test sets it).
    ASSERT_EQ(GetACP(), 932u) << "the Japanese ANSI code page";
    const std::wstring wide = L"ベンチマークループ回数";
    std::string ansi = fw::NarrowAnsi(wide);
    EXPECT_EQ(ansi.size(), wide.size() * 2) << "double-byte characters in code page 932";
    EXPECT_EQ(fw::WidenAnsi(ansi), wide);

    // The comparison's and the driver's UTF-8, as the platform's own
    // conversion reads and writes it.
    const struct {
        const char* utf8;
        const wchar_t* wide;
    } utf8Cases[] = {
        {"", L""},
        {"abc", L"abc"},
        {"\xE3\x83\x99\xE3\x83\xB3\xE3\x83\x81", L"ベンチ"},
        {"\xC3\x97"
         "2",
         L"\u00D72"},
        {"\xF0\x9F\x98\x80", L"\U0001F600"},  // a surrogate pair
    };
    for (const auto& c : utf8Cases) {
        EXPECT_EQ(fw::WidenUtf8(c.utf8), c.wide) << c.utf8;
        EXPECT_EQ(fw::NarrowUtf8(c.wide), c.utf8) << c.utf8;
        wchar_t platform[16] = {};
        MultiByteToWideChar(CP_UTF8, 0, c.utf8, -1, platform, 16);
        EXPECT_EQ(fw::WidenUtf8(c.utf8), platform) << c.utf8;
    }
    EXPECT_EQ(fw::LoadResourceString(102), L"Velkora");
    EXPECT_EQ(fw::LoadResourceString(103), L"クリップボードが開けませんでした。");
    EXPECT_TRUE(fw::LoadResourceString(9999).empty());
}

}  // namespace
