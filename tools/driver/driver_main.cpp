// velkora-driver: runs velkora.exe unattended, as a user would, and reports
// its results. See driver_args.h for the command line.
//
// Exit status: 0 success; 2 wrong command line; 3 the program did not start,
// a window did not appear or a run did not end in time; 4 an output file
// could not be written; 5 the program did not end within 10 s of CLOSE
// (it is then terminated; the results are still reported).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/driver_args.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/run_report.h"
#include "tools/driver/velkora_session.h"

namespace {

const int kExitUsage = 2;
const int kExitRun = 3;
const int kExitOutput = 4;
const int kExitClose = 5;
const DWORD kCloseMs = 10000;

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i)
        args.push_back(e2e::Narrow(wide[i]));
    LocalFree(wide);
    return args;
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "velkora-driver: %s\n", message.c_str());
    return status;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(e2e::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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
    return e2e::Narrow(value);
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
    const std::wstring exe = e2e::Widen(args.exePath);
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Fail(kExitRun, "the program " + args.exePath + " does not exist");
    const DWORD timeoutMs = static_cast<DWORD>(args.timeoutSeconds * 1000);
    const DWORD runMs = static_cast<DWORD>(args.runTimeoutSeconds * 1000);

    e2e::VelkoraSession session;
    e2e::Report report;
    if (args.hasLoop) {
        // The program takes no arguments: the loop count reaches it only
        // through its data file. Every other key of the file stays.
        wchar_t full[MAX_PATH] = {};
        GetFullPathNameW(exe.c_str(), MAX_PATH, full, nullptr);
        const std::wstring dataFile = e2e::DataFilePathFor(full);
        const std::wstring loop = std::to_wstring(args.loop);
        if (!WritePrivateProfileStringW(L"VelkoraDataFile", L"VelkoraLoop", loop.c_str(),
                                        dataFile.c_str()))
            return Fail(kExitOutput, "cannot write VelkoraLoop into " + e2e::Narrow(dataFile));
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, dataFile.c_str());
    }

    if (!session.Start(exe, timeoutMs, &error))
        return Fail(kExitRun, "start-up: " + error);
    report.exePath = args.exePath;
    report.dataFilePath = e2e::Narrow(session.DataFilePath());
    report.startup = session.Startup();
    report.startAllPresses = args.runs;

    if (args.runs == 0) {
        e2e::RunResult shown;
        if (!session.ReadList(shown, &error))
            return Fail(kExitRun, error);
        report.runs.push_back(shown);
    }
    for (int run = 1; run <= args.runs; ++run) {
        std::fprintf(stderr, "velkora-driver: run %d of %d (START ALL)...\n", run, args.runs);
        e2e::RunResult result;
        if (!session.RunTests(IDC_START_ALL, timeoutMs, runMs, &error) ||
            !session.ReadList(result, &error))
            return Fail(kExitRun, "run " + std::to_string(run) + ": " + error);
        report.runs.push_back(result);
    }
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
        if (e2e::CaptureWindowBmp(session.MainWindow(), e2e::Widen(args.screenshotPath), &error))
            report.screenshotPath = args.screenshotPath;
        else
            status = Fail(kExitOutput, "screenshot: " + error);
    }

    e2e::PostCommand(session.MainWindow(), IDC_CLOSE);
    if (!session.WaitForExit(kCloseMs))
        status = Fail(kExitClose, "the program did not end within 10 s of CLOSE; terminated it");
    report.loopSetting = ProfileString(session.DataFilePath(), L"VelkoraDataFile", L"VelkoraLoop");

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
