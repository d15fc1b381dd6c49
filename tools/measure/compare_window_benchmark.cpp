// Measurement program (not a test): how long the comparison window takes
// from a new choice to its table and chart drawn, on a data file of 1000
// records in a temporary file.
//
//   compare_window_benchmark [records] [repeats]
//   compare_window_benchmark --open FILE
//
// It opens the window, then repeatedly chooses eight records spread over
// the file (a different eight each time) and has the window paint what the
// choice changed at once, and prints the opening time and the median and
// slowest choice. With --open it times instead how long the window takes
// to open another data file (AddDataFile: read, listed, rows filled) and
// what that costs in memory per byte of the file: the peak of the private
// bytes above those before, as the process's counters give it.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <numeric>
#include <vector>

#include "compare/compare_dlg.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_book.h"
#include "res/resource.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Records as runs leave them: every test timed, every fourth record in
// five rounds.
void FillFile(records::IniFile& file, int count) {
    for (int n = 1; n <= count; ++n) {
        records::Record record;
        record.system.SystemName = "Machine " + std::to_string(n);
        record.system.PlatformInfo = "Windows 10 (10.0.19045)  8192MB Mem";
        record.system.VideoCard = "Video " + std::to_string(n % 7);
        record.system.PlatformID = 2;
        record.processor.Frequency = 2000 + n % 1500;
        for (int t = 0; t < bench::kTestCount; ++t) {
            const float time = 1.0f + 0.001f * static_cast<float>((n * 37 + t * 11) % 1000);
            record.timing.m_fTime[t] = time;
            if (n % 4 == 0) {
                record.timing.m_nRounds[t] = 5;
                record.timing.m_fFastest[t] = time * 0.98f;
                record.timing.m_fSlowest[t] = time * 1.03f;
            }
        }
        record.Save(file, n);
    }
    records::WriteRecordCount(file, count);
}

class MeasuredCompare : public CCompareDlg {
  public:
    MeasuredCompare(const records::RecordBook& book, int records, int repeats)
        : CCompareDlg(book, 10000), records_(records), repeats_(repeats) {}
    std::vector<double> choices;  // from the choice to the window drawn
    std::vector<double> drawing;  // of which drawing
    std::vector<double> whole;    // the whole window painted again

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CCompareDlg::OnInitDialog();
        ShowWindow(hwnd_, SW_SHOW);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const int rows = records_;
        for (int k = 0; k < repeats_; ++k) {
            std::vector<int> chosen;
            for (int i = 0; i < compare::kMaxChosen; ++i)
                chosen.push_back(1 +
                                 (k * 13 + i * (rows / compare::kMaxChosen)) % std::max(rows, 1));
            std::sort(chosen.begin(), chosen.end());
            chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
            const double start = Now();
            Choose(chosen, chosen.front());
            const double chosenAt = Now();
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            choices.push_back(Now() - start);
            drawing.push_back(Now() - chosenAt);
            // The worst case: the whole window painted again.
            const double wholeAt = Now();
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            whole.push_back(Now() - wholeAt);
        }
        EndDialog(IDOK);
        return result;
    }

  private:
    int records_;
    int repeats_;
};

// Opens one data file in a window holding nothing else.
class MeasuredOpen : public CCompareDlg {
  public:
    MeasuredOpen(const records::RecordBook& own, std::wstring path)
        : CCompareDlg(own, 10000), path_(std::move(path)) {}
    double openMs = 0;
    bool opened = false;
    int rows = 0;

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CCompareDlg::OnInitDialog();
        const double start = Now();
        opened = AddDataFile(path_);
        openMs = Now() - start;
        rows = static_cast<int>(SendDlgItemMessageW(hwnd_, IDC_CMP_CHOICE, LVM_GETITEMCOUNT, 0, 0));
        EndDialog(IDOK);
        return result;
    }

  private:
    std::wstring path_;
};

SIZE_T PrivateBytes(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakPagefileUsage : counters.PagefileUsage;
}

int MeasureOpen(const char* path) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    const std::wstring wide(path, path + std::strlen(path));
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &attributes))
        return 1;
    const double size = static_cast<double>(attributes.nFileSizeLow) +
                        4294967296.0 * static_cast<double>(attributes.nFileSizeHigh);
    // A book without a file: the window holds nothing else.
    const records::RecordBook own;
    const SIZE_T before = PrivateBytes(false);
    MeasuredOpen window(own, wide);
    window.DoModal();
    const SIZE_T peak = PrivateBytes(true);
    std::printf(
        "%s: %.0f bytes, %s, %d rows, opened in %.1f ms, peak private bytes +%.1f MB "
        "(%.2f bytes per input byte)\n",
        path, size, window.opened ? "opened" : "refused", window.rows, window.openMs,
        static_cast<double>(peak - before) / 1048576.0, static_cast<double>(peak - before) / size);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--open") == 0)
        return MeasureOpen(argv[2]);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"velkora-compare-benchmark.vlk";
    DeleteFileW(path.c_str());
    {
        records::IniFile file;
        if (!file.Load(path))
            return 1;
        FillFile(file, count);
        if (!file.Save())
            return 1;
    }
    records::RecordBook book;
    book.SetPath(path);
    const double open = Now();
    MeasuredCompare window(book, count, repeats);
    window.DoModal();
    const double total = Now() - open;
    DeleteFileW(path.c_str());

    std::vector<double> times = window.choices;
    std::sort(times.begin(), times.end());
    if (times.empty())
        return 1;
    const double spent = std::accumulate(times.begin(), times.end(), 0.0) +
                         std::accumulate(window.whole.begin(), window.whole.end(), 0.0);
    std::printf(
        "%d records: window opened and closed with %d choices in %.1f ms (opening %.1f ms)\n",
        count, repeats, total, total - spent);
    std::vector<double> drawing = window.drawing;
    std::sort(drawing.begin(), drawing.end());
    std::printf(
        "eight records chosen to table and chart drawn: median %.1f ms (drawing %.1f ms), "
        "slowest %.1f ms\n",
        times[times.size() / 2], drawing[drawing.size() / 2], times.back());
    std::vector<double> whole = window.whole;
    std::sort(whole.begin(), whole.end());
    std::printf("the whole window painted again: median %.1f ms\n", whole[whole.size() / 2]);
    return 0;
}
