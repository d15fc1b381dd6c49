// The main window's routing: buttons, menu commands, keys, the system menu,
// the selector and shutdown.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "mainwnd/about_dlg.h"
#include "mainwnd/main_dlg.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_store.h"
#include "res/resource.h"

bool CMainDlg::RouteMessage(fw::Message& m) {
    static const fw::Route<CMainDlg> routes[] = {
        fw::OnCommand(IDC_START_ALL, &CMainDlg::OnStartAllCommand),
        fw::OnCommand(ID_START_ALL, &CMainDlg::OnStartAllCommand),
        fw::OnCommand(ID_START_SELECTED, &CMainDlg::OnStartSelectedCommand),
        fw::OnCommand(IDC_CLOSE, &CMainDlg::OnCloseCommand),
        fw::OnCommand(ID_EXIT, &CMainDlg::OnCloseCommand),
        fw::OnCommandRange(ID_GRAPH_3000, ID_GRAPH_10000, &CMainDlg::OnGraphMaxCommand),
        fw::OnCommand(ID_ABOUT, &CMainDlg::OnAboutCommand),
        fw::OnCommand(IDC_PROCESSOR_BUTTON, &CMainDlg::OnProcessorCommand),
        fw::OnCommand(ID_PROCESSOR, &CMainDlg::OnProcessorCommand),
        fw::OnCommand(IDC_VIDEO_BUTTON, &CMainDlg::OnVideoCommand),
        fw::OnCommand(ID_VIDEOCARD, &CMainDlg::OnVideoCommand),
        fw::OnCommand(IDC_PLATFORM_BUTTON, &CMainDlg::OnSystemCommand),
        fw::OnCommand(IDC_SYSTEM_BUTTON, &CMainDlg::OnSystemCommand),
        fw::OnCommand(ID_PLATFORM, &CMainDlg::OnSystemCommand),
        fw::OnCommand(IDC_OPTION, &CMainDlg::OnOptionsCommand),
        fw::OnCommand(ID_OPTIONS, &CMainDlg::OnOptionsCommand),
        fw::OnCommand(ID_COMPARE, &CMainDlg::OnCompareCommand),
        fw::OnNotify(NM_DBLCLK, IDC_RESULT_LIST, &CMainDlg::OnListDoubleClick),
        fw::OnCommand(IDC_ADD_DATA, &CMainDlg::OnAddData),
        fw::OnCommand(ID_ADD_DATA, &CMainDlg::OnAddData),
        fw::OnCommand(IDC_DEL_DATA, &CMainDlg::OnDeleteData),
        fw::OnCommand(ID_DELETE_DATA, &CMainDlg::OnDeleteData),
        fw::OnCommand(IDC_TXT_COPY, &CMainDlg::OnCopyText),
        fw::OnCommand(ID_COPY_TEXT, &CMainDlg::OnCopyText),
        fw::OnCommand(IDC_BMP_COPY, &CMainDlg::OnCopyBitmap),
        fw::OnCommand(ID_COPY_BITMAP, &CMainDlg::OnCopyBitmap),
        fw::OnMessage(WM_DROPFILES, &CMainDlg::OnDropFiles),
        fw::OnMessage(WM_CONTEXTMENU, &CMainDlg::OnContextMenu),
        fw::OnControl(CBN_SELCHANGE, IDC_SYSTEM_SELECTOR, &CMainDlg::OnSelectionChange),
        fw::OnMessage(WM_KEYDOWN, &CMainDlg::OnKeyDown),
        fw::OnMessage(WM_SYSCOMMAND, &CMainDlg::OnSysCommand),
        fw::OnMessage(WM_HELP, &CMainDlg::OnHelp),
        fw::OnMessage(WM_DESTROY, &CMainDlg::OnDestroy),
    };
    // Every user operation ends here: one that runs out of memory (a data
    // file too large for it) is reported, and has saved nothing.
    try {
        return fw::Dispatch(this, routes, m);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return true;
    }
}

bool CMainDlg::PreTranslateMessage(MSG* msg) {
    // Every key-down of the window, whatever control has the focus, reaches
    // the key handler first, so the function keys and Esc act from every
    // control. A key-down addressed to the window itself has been delivered
    // by the send, so it does not act twice.
    if (msg->message != WM_KEYDOWN || hwnd_ == nullptr ||
        (msg->hwnd != hwnd_ && !IsChild(hwnd_, msg->hwnd)))
        return false;
    if (Send(WM_KEYDOWN, msg->wParam, msg->lParam) != 0 || msg->hwnd == hwnd_)
        return true;
    // Tab, Shift+Tab and the arrow keys then go to the dialog manager, which
    // moves the focus between the controls as in every dialog and leaves the
    // arrows to a control that wants them (the list, the selector). Every
    // other key goes on to its control as typed, past the dialog manager,
    // which would turn Enter into OK and close the window.
    switch (msg->wParam) {
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return false;
        default:
            TranslateMessage(msg);
            DispatchMessageW(msg);
            return true;
    }
}

void CMainDlg::OnStartAll() {
    for (int i = 0; i < bench::kTestCount; ++i)
        m_pThread->SetRunFlag(i);
    RunBenchmark();
}

void CMainDlg::OnStartSelected() {
    const fw::ListView list = ResultList();
    for (int i = 0; i < bench::kTestCount; ++i)
        if (list.IsSelected(i))
            m_pThread->SetRunFlag(i);
    RunBenchmark();
}

void CMainDlg::OnStartAllCommand(fw::Message&) {
    OnStartAll();
}

void CMainDlg::OnStartSelectedCommand(fw::Message&) {
    OnStartSelected();
}

void CMainDlg::OnCloseCommand(fw::Message&) {
    OnOK();
}

void CMainDlg::OnSelectionChange(fw::Message&) {
    ShowRecord();
}

void CMainDlg::OnKeyDown(fw::Message& m) {
    // Function keys reach the same handlers as the buttons and menu items.
    // F11 does nothing; F10 arrives as a system key on Windows.
    using Handler = void (CMainDlg::*)(fw::Message&);
    static const struct {
        WPARAM key;
        Handler handler;
    } keys[] = {
        {VK_F1, &CMainDlg::OnAboutCommand},    {VK_F2, &CMainDlg::OnProcessorCommand},
        {VK_F3, &CMainDlg::OnVideoCommand},    {VK_F4, &CMainDlg::OnSystemCommand},
        {VK_F5, &CMainDlg::OnStartAllCommand}, {VK_F6, &CMainDlg::OnCompareCommand},
        {VK_F7, &CMainDlg::OnAddData},         {VK_F8, &CMainDlg::OnDeleteData},
        {VK_F9, &CMainDlg::OnCopyText},        {VK_F10, &CMainDlg::OnCopyBitmap},
        {VK_F12, &CMainDlg::OnOptionsCommand}, {VK_ESCAPE, &CMainDlg::OnCloseCommand},
    };
    for (const auto& k : keys) {
        if (k.key != m.wParam)
            continue;
        fw::Message command{hwnd_, WM_COMMAND, 0, 0};
        (this->*k.handler)(command);
        break;
    }
    m.handled = false;  // default processing follows
}

void CMainDlg::OnAboutCommand(fw::Message&) {
    CAboutDlg about;
    about.DoModal();
}

void CMainDlg::OnSysCommand(fw::Message& m) {
    if ((m.wParam & 0xFFF0) == IDM_ABOUTBOX) {
        OnAboutCommand(m);
        return;
    }
    m.handled = false;
}

void CMainDlg::OnHelp(fw::Message& m) {
    m.result = TRUE;
}

void CMainDlg::OnDestroy(fw::Message& m) {
    // The count written is the one the file's records support, never a
    // count kept since start-up, which may be stale.
    try {
        Reported(m_book.WriteTrustedCount());
    } catch (const std::bad_alloc&) {
        // Nothing was written; the worker must stop all the same.
        ReportOutOfMemory();
    }
    m_pThread.reset();  // stops and joins the worker
    m.handled = false;
}
