// velkora-driver: runs velkora.exe unattended, as a user would, and reports
// its results. See driver_args.h for the command line.
//
// Exit status: 0 success; 2 wrong command line; 3 the program did not start,
// a window did not appear or a run did not end in time; 4 an output file
// could not be written; 5 the program did not end within 10 s of CLOSE
// (it is then terminated; the results are still reported).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/driver_args.h"
#include "tools/driver/gui_objects.h"
#include "tools/driver/machine_state.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/run_progress.h"
#include "tools/driver/run_report.h"
#include "tools/driver/velkora_session.h"

namespace {

const int kExitUsage = 2;
const int kExitRun = 3;
const int kExitOutput = 4;
const int kExitClose = 5;
const DWORD kCloseMs = 10000;
const unsigned kIdleSampleMs = 1000;

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i)
        args.push_back(fw::NarrowUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "velkora-driver: %s\n", message.c_str());
    return status;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(fw::WidenUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    return CloseHandle(file) && ok;
}

std::string ProfileString(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    // Drop any cached copy of the file: the program has written it since.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    wchar_t value[256] = {};
    GetPrivateProfileStringW(section, key, L"", value, 256, path.c_str());
    return fw::NarrowUtf8(value);
}

// Prints each test of a run as it finishes (run_progress.h). The tests seen
// only when the test window closed wait for the list, which holds their
// times. What each place of the run took from the start command is kept to
// estimate the rest of the next run.
class ProgressPrinter {
  public:
    explicit ProgressPrinter(const e2e::RemainingEstimate& estimate) : estimate_(estimate) {}

    void Finished(e2e::FinishedTest test, bool atClose) {
        if (test.index < 0 || test.index >= e2e::kTestCount || test.Place() >= test.Places())
            return;
        if (finishedAt_.size() < static_cast<size_t>(test.Places()))
            finishedAt_.resize(static_cast<size_t>(test.Places()), -1.0);
        finishedAt_[static_cast<size_t>(test.Place())] = test.elapsed;
        test.remaining = estimate_.After(test.Place());
        if (atClose && test.seconds < 0)
            held_.push_back(test);
        else
            Print(test);
    }

    // After several rounds the list holds the median, not the last round's
    // time: such a test keeps the driver's own timing.
    void PrintHeld(const e2e::RunResult& result) {
        for (e2e::FinishedTest& test : held_) {
            if (test.rounds == 1 && test.index < static_cast<int>(result.rows.size()))
                test.seconds = result.rows[test.index].time;
            Print(test);
        }
        held_.clear();
    }

    // Seconds each place took; empty unless every place was seen.
    std::vector<double> Durations() const {
        std::vector<double> durations;
        double previous = 0;
        for (double at : finishedAt_) {
            if (at < 0)
                return std::vector<double>();
            durations.push_back(at - previous);
            previous = at;
        }
        return durations;
    }

  private:
    static void Print(const e2e::FinishedTest& test) {
        std::fputs(e2e::FormatProgressLine(test).c_str(), stderr);
        std::fflush(stderr);
    }

    const e2e::RemainingEstimate& estimate_;
    std::vector<e2e::FinishedTest> held_;
    std::vector<double> finishedAt_;
};

// The rounds a run will time, as the program reads them from its data file.
int StoredRounds(const std::wstring& dataFile) {
    const int rounds =
        std::atoi(ProfileString(dataFile, L"VelkoraDataFile", L"VelkoraRounds").c_str());
    return std::min(std::max(rounds, 1), e2e::kMaxRounds);
}

// The first run's estimate: record 0 of the data file holds the last run's
// times, normalised to a loop count of 10000; a run takes them scaled to its
// own loop count, once per round. None when record 0 holds no complete run.
std::vector<double> StoredDurations(const std::wstring& dataFile) {
    const std::string loopText = ProfileString(dataFile, L"VelkoraDataFile", L"VelkoraLoop");
    const double loop = loopText.empty() ? 10000 : std::atof(loopText.c_str());
    std::vector<double> durations;
    for (const char* name : e2e::kTestNames) {
        double seconds = 0;
        const std::string text =
            ProfileString(dataFile, L"Velkora-DATA000", fw::WidenUtf8(name).c_str());
        if (!e2e::ParseShownNumber(text, seconds) || seconds <= 0 || loop <= 0)
            return std::vector<double>();
        durations.push_back(seconds * loop / 10000);
    }
    std::vector<double> places;
    for (int round = StoredRounds(dataFile); round > 0; --round)
        places.insert(places.end(), durations.begin(), durations.end());
    return places;
}

// Each test's rounds, from record 0 of the data file, which the program
// saves before the list is read.
void ReadRounds(const std::wstring& dataFile, e2e::RunResult& result) {
    auto key = [&dataFile](const e2e::TestRow& row, const char* suffix) {
        return ProfileString(dataFile, L"Velkora-DATA000",
                             fw::WidenUtf8(row.name + suffix).c_str());
    };
    for (e2e::TestRow& row : result.rows)
        e2e::SetRounds(row, key(row, " Rounds"), key(row, " Fastest"), key(row, " Slowest"),
                       key(row, " Round Times"));
}

// The program takes no arguments: the options reach it only through its
// data file. Every other key of the file stays.
bool WriteOption(const std::wstring& dataFile, const wchar_t* key, long value) {
    const bool written =
        WritePrivateProfileStringW(L"VelkoraDataFile", key, std::to_wstring(value).c_str(),
                                   dataFile.c_str()) != FALSE;
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, dataFile.c_str());
    return written;
}

// One START ALL press, watched: the machine before it, each test as it
// finishes, the list and the program's objects after it.
bool MeasuredRun(e2e::VelkoraSession& session, const std::string& label, DWORD timeoutMs,
                 DWORD runMs, e2e::RemainingEstimate& estimate, e2e::RunResult& result,
                 std::string* error) {
    const e2e::Idleness machine = e2e::ProbeIdleness(kIdleSampleMs);
    std::fprintf(stderr,
                 "velkora-driver: %s (START ALL); machine %s\n"
                 "  (a time with ~ is the driver's clock from the test's title to the next one;\n"
                 "  the others are the program's, normalised to a loop count of 10000)\n",
                 label.c_str(), e2e::IdlenessText(machine).c_str());
    std::fflush(stderr);
    ProgressPrinter progress(estimate);
    if (!session.RunTests(IDC_START_ALL, timeoutMs, runMs, error, nullptr,
                          [&](const e2e::FinishedTest& test, bool atClose) {
                              progress.Finished(test, atClose);
                          }) ||
        !session.ReadList(result, error))
        return false;
    ReadRounds(session.DataFilePath(), result);
    e2e::RunResult numbers = result;
    e2e::ParseRunNumbers(numbers);
    progress.PrintHeld(numbers);
    const std::vector<double> durations = progress.Durations();
    if (!durations.empty())
        estimate.SetPrevious(durations);

    result.machine = machine;
    const e2e::GuiObjectCounts counts =
        e2e::CountGuiObjects(session.Process().Handle(), session.Process().Id());
    result.gdiObjects = counts.gdi;
    result.userObjects = counts.user;
    result.privateBytes = counts.privateBytes;
    std::fprintf(stderr,
                 "velkora-driver: %s done: total %s s; the program holds %ld GDI and %ld USER "
                 "objects, %.1f MB private memory\n",
                 label.c_str(), result.totalTimeText.c_str(), counts.gdi, counts.user,
                 counts.privateBytes / 1048576);
    std::fflush(stderr);
    return true;
}

}  // namespace

int main() {
    // Texts are printed as UTF-8: straight through to a Linux terminal under
    // Wine, and readable in a Windows console set to that code page.
    SetConsoleOutputCP(CP_UTF8);

    e2e::DriverArgs args;
    std::string error;
    if (!e2e::ParseDriverArgs(Arguments(), args, error)) {
        std::fprintf(stderr, "velkora-driver: %s\n\n%s", error.c_str(), e2e::DriverUsage().c_str());
        return kExitUsage;
    }
    const std::wstring exe = fw::WidenUtf8(args.exePath);
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Fail(kExitRun, "the program " + args.exePath + " does not exist");
    const DWORD timeoutMs = static_cast<DWORD>(args.timeoutSeconds * 1000);
    const DWORD runMs = static_cast<DWORD>(args.runTimeoutSeconds * 1000);

    e2e::VelkoraSession session;
    e2e::Report report;
    if (args.hasLoop || args.hasRounds) {
        wchar_t full[MAX_PATH] = {};
        GetFullPathNameW(exe.c_str(), MAX_PATH, full, nullptr);
        const std::wstring dataFile = e2e::DataFilePathFor(full);
        if (args.hasLoop && !WriteOption(dataFile, L"VelkoraLoop", args.loop))
            return Fail(kExitOutput, "cannot write VelkoraLoop into " + fw::NarrowUtf8(dataFile));
        if (args.hasRounds && !WriteOption(dataFile, L"VelkoraRounds", args.rounds))
            return Fail(kExitOutput, "cannot write VelkoraRounds into " + fw::NarrowUtf8(dataFile));
    }

    if (!session.Start(exe, timeoutMs, &error))
        return Fail(kExitRun, "start-up: " + error);
    report.exePath = args.exePath;
    report.dataFilePath = fw::NarrowUtf8(session.DataFilePath());
    report.startup = session.Startup();
    report.startAllPresses = args.runs;

    if (args.runs == 0) {
        e2e::RunResult shown;
        if (!session.ReadList(shown, &error))
            return Fail(kExitRun, error);
        ReadRounds(session.DataFilePath(), shown);
        report.runs.push_back(shown);
    }
    e2e::RemainingEstimate estimate;
    estimate.SetPrevious(StoredDurations(session.DataFilePath()));
    report.conditions = args.conditions;
    report.objectCountSource =
        e2e::CountGuiObjects(session.Process().Handle(), session.Process().Id()).source;
    const int presses = args.runs == 0 ? 0 : args.warmups + args.runs;
    for (int press = 1; press <= presses; ++press) {
        const bool warmup = press <= args.warmups;
        const std::string label = warmup ? "warm-up " + std::to_string(press) + " of " +
                                               std::to_string(args.warmups) + " (dropped)"
                                         : "run " + std::to_string(press - args.warmups) + " of " +
                                               std::to_string(args.runs);
        e2e::RunResult result;
        if (!MeasuredRun(session, label, timeoutMs, runMs, estimate, result, &error))
            return Fail(kExitRun, label + ": " + error);
        (warmup ? report.warmups : report.runs).push_back(result);
    }
    for (e2e::RunResult& result : report.warmups)
        e2e::ParseRunNumbers(result);
    for (e2e::RunResult& result : report.runs) {
        std::string bad;
        if (!e2e::ParseRunNumbers(result, &bad))
            return Fail(kExitRun, "the main window shows \"" + bad + "\" where a number belongs");
    }
    report.processor = session.Text(IDC_PROCESSOR_LINE);
    report.video = session.Text(IDC_VIDEO_LINE);
    report.platform = session.Text(IDC_PLATFORM_LINE);

    int status = 0;
    if (!args.screenshotPath.empty()) {
        // Let the window finish painting after the run before the copy.
        InvalidateRect(session.MainWindow(), nullptr, FALSE);
        Sleep(300);
        e2e::Responds(session.MainWindow());
        if (e2e::CaptureWindowBmp(session.MainWindow(), fw::WidenUtf8(args.screenshotPath), &error))
            report.screenshotPath = args.screenshotPath;
        else
            status = Fail(kExitOutput, "screenshot: " + error);
    }

    e2e::PostCommand(session.MainWindow(), IDC_CLOSE);
    if (!session.WaitForExit(kCloseMs))
        status = Fail(kExitClose, "the program did not end within 10 s of CLOSE; terminated it");
    report.loopSetting = ProfileString(session.DataFilePath(), L"VelkoraDataFile", L"VelkoraLoop");
    report.roundsSetting =
        ProfileString(session.DataFilePath(), L"VelkoraDataFile", L"VelkoraRounds");

    std::fputs(e2e::FormatTable(report).c_str(), stdout);
    if (!report.screenshotPath.empty())
        std::printf("Screenshot: %s\n", report.screenshotPath.c_str());
    std::fflush(stdout);
    if (!args.jsonPath.empty() && !WriteTextFile(args.jsonPath, e2e::FormatJson(report)))
        status = Fail(kExitOutput, "cannot write " + args.jsonPath);
    if (!args.csvPath.empty() && !WriteTextFile(args.csvPath, e2e::FormatCsv(report)))
        status = Fail(kExitOutput, "cannot write " + args.csvPath);
    return status;
}
