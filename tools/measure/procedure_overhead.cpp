// Measurement program (not a test): how long the benchmark takes under the
// running system, and how much of a test's time is anything but its control
// calls.
//
//   velkora-measure full [N]     one complete run of the twenty tests, per test
//   velkora-measure overhead [N] [rounds]
//       test 0's procedure against a bare loop of the same SetWindowTextA
//       calls (texts formatted beforehand) from the same worker thread.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/test_dlg.h"
#include "bench/timing.h"
#include "bench/velkoras.h"

namespace {

const UINT kBareLoop = WM_APP + 1;
const UINT kSignal = WM_APP + 2;

class MeasuringWorker : public CVelkoras {
  public:
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    DWORD bareElapsed = 0;
    std::vector<std::string> texts;

  protected:
    bool RouteThreadMessage(const MSG& msg) override {
        if (msg.message == kBareLoop) {
            HWND control = reinterpret_cast<HWND>(msg.lParam);
            const unsigned n = static_cast<unsigned>(msg.wParam);
            DWORD start = GetTickCount();
            for (unsigned i = 0; i < n; ++i)
                SetWindowTextA(control, texts[i].c_str());
            bareElapsed = GetTickCount() - start;
            return true;
        }
        if (msg.message == kSignal) {
            SetEvent(done);
            return true;
        }
        return CVelkoras::RouteThreadMessage(msg);
    }
};

// Pumps the UI thread's messages (the worker's calls are handled here) until
// the worker signals.
void PumpUntil(HANDLE event) {
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

DWORD Median(std::vector<DWORD> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Overhead(int n, int rounds) {
    MeasuringWorker worker;
    worker.SetLoopCount(bench::ClampLoopCount(n));
    char text[16];
    for (int i = 0; i < n; ++i) {
        std::snprintf(text, sizeof text, "%d", i);
        worker.texts.push_back(text);
    }
    HWND frame = CreateWindowExW(0, L"STATIC", L"measure", WS_POPUP | WS_VISIBLE | WS_BORDER, 100,
                                 100, 300, 60, nullptr, nullptr, nullptr, nullptr);
    HWND label =
        CreateWindowExW(0, L"STATIC", L"9999", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN, 10,
                        10, 260, 25, frame, nullptr, nullptr, nullptr);
    std::vector<DWORD> procedure, bare;
    for (int r = 0; r < rounds; ++r) {
        worker.Post(WM_BENCH_TEST + 0, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(label));
        worker.Post(kSignal);
        PumpUntil(worker.done);
        procedure.push_back(worker.Elapsed());
        worker.Post(kBareLoop, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(label));
        worker.Post(kSignal);
        PumpUntil(worker.done);
        bare.push_back(worker.bareElapsed);
        std::printf("round %d: procedure %lu ms, bare loop %lu ms\n", r + 1,
                    static_cast<unsigned long>(procedure.back()),
                    static_cast<unsigned long>(bare.back()));
    }
    const DWORD p = Median(procedure), b = Median(bare);
    const DWORD pMin = *std::min_element(procedure.begin(), procedure.end());
    const DWORD bMin = *std::min_element(bare.begin(), bare.end());
    std::printf(
        "N = %d, %d rounds: procedure median %lu ms (min %lu), bare loop median %lu ms "
        "(min %lu); median difference %ld ms (%.1f%%)\n",
        n, rounds, static_cast<unsigned long>(p), static_cast<unsigned long>(pMin),
        static_cast<unsigned long>(b), static_cast<unsigned long>(bMin),
        static_cast<long>(p) - static_cast<long>(b),
        b != 0 ? 100.0 * (static_cast<double>(p) - b) / b : 0.0);
    // What the procedure does beyond the control calls: formatting the
    // counter. Timed on its own with the performance counter.
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    volatile char sink = 0;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < n; ++i) {
        std::snprintf(text, sizeof text, "%d", i);
        sink = text[0];
    }
    QueryPerformanceCounter(&end);
    (void)sink;
    std::printf("formatting %d counters alone: %.3f ms\n", n,
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    DestroyWindow(frame);
    worker.Post(WM_BENCH_QUIT);
    worker.Wait(3000);
    return 0;
}

int Full(int n) {
    CVelkoras worker;
    worker.SetLoopCount(bench::ClampLoopCount(n));
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    worker.SetShownTimes(CMarkResult(), 2);
    DWORD start = GetTickCount();
    {
        CTestDlg dlg(worker);
        dlg.DoModal();
    }
    DWORD total = GetTickCount() - start;
    std::printf("N = %d (times normalised to N = 10000; marks against reference B)\n", n);
    for (int i = 0; i < bench::kTestCount; ++i)
        std::printf("%2d %-28s %9.3f s %8d\n", i, bench::kCatalogue[i].name,
                    worker.Result().m_fTime[i], worker.Result().GetMark(i));
    std::printf("   %-28s %9.3f s %8d (average %d)\n", "OVER ALL", worker.Result().GetTotalTime(),
                worker.Result().GetTotalMark(), worker.Result().GetAverageMark());
    std::printf("wall time of the run including the 3 s start delay: %.1f s\n", total / 1000.0);
    worker.Post(WM_BENCH_QUIT);
    worker.Wait(3000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    std::string mode = argc > 1 ? argv[1] : "overhead";
    int n = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (mode == "full")
        return Full(n);
    if (mode == "overhead")
        return Overhead(n, argc > 3 ? std::atoi(argv[3]) : 5);
    std::fprintf(stderr, "usage: velkora-measure full [N] | overhead [N] [rounds]\n");
    return 2;
}
