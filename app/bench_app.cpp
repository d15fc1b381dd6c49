#include "app/bench_app.h"

#include <string>

#include "app/splash_dlg.h"
#include "bench/test_dlg.h"
#include "bench/velkoras.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

// Until the main window takes over: run every test once in the test window
// and show the times and marks.
void RunAllTestsOnce() {
    CVelkoras worker(nullptr);
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.m_result.m_nRun[i] = 1;
    worker.m_result.SetReference(2);
    {
        CTestDlg testWnd;
        testWnd.m_pThread = &worker;
        testWnd.DoModal();
    }
    std::string report;
    for (int i = 0; i < bench::kTestCount; ++i) {
        report += bench::kCatalogue[i].name;
        report += "\t" + bench::FormatTime(worker.m_result.m_fTime[i]) + " s\t" +
                  bench::FormatMark(worker.m_result.GetMark(i)) + "\n";
    }
    report += "\nOVER ALL\t" + bench::FormatTime(worker.m_result.GetTotalTime()) + " s\t" +
              bench::FormatMark(worker.m_result.GetTotalMark());
    MessageBoxW(nullptr, fw::WidenAnsi(report).c_str(), fw::LoadResourceString(IDS_CAPTION).c_str(),
                MB_OK);
    worker.Post(WM_BENCH_QUIT);
    worker.Wait(3000);
}

}  // namespace

bool CBenchApp::InitInstance() {
    {
        CSplashDlg splash;
        splash.DoModal();
    }
    RunAllTestsOnce();
    return false;
}
