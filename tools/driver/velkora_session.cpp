#include "tools/driver/velkora_session.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "res/resource.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/run_progress.h"

namespace e2e {

namespace {

// How often a run's title and time box are read. Every read is a request to
// the wineserver that the benchmark is also waiting on, so the polling stays
// well below the shortest test (a few tenths of a second).
const DWORD kRunPollMs = 50;

// The graph title reads "GRAPH" in the template and "GRAPH ( MAX.n )" once
// start-up has set the graph maximum, its last step.
bool TitleIsSet(const std::string& title) {
    return title.compare(0, 7, "GRAPH (") == 0;
}

std::string Ms(DWORD ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lu ms", static_cast<unsigned long>(ms));
    return text;
}

}  // namespace

ULONGLONG FileWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool VelkoraSession::Start(const std::wstring& exe, DWORD timeoutMs, std::string* error) {
    wchar_t full[MAX_PATH] = {};
    DWORD n = GetFullPathNameW(exe.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) {
        if (error != nullptr)
            *error = "cannot form the full path of " + fw::NarrowUtf8(exe);
        return false;
    }
    dataFile_ = DataFilePathFor(full);
    if (!process_.Start(full, error))
        return false;
    if (!MeasureStartup(timeoutMs, error))
        return false;
    list_.reset(new RemoteListView(process_.Handle(), GetDlgItem(main_, IDC_RESULT_LIST)));
    if (!list_->Valid()) {
        if (error != nullptr)
            *error = "cannot reach the result list (control 1016) of the main window";
        return false;
    }
    return true;
}

bool VelkoraSession::MeasureStartup(DWORD timeoutMs, std::string* error) {
    // Polled every millisecond from the process start: the splash box (a
    // dialog of the process without START ALL) closes, the main window is
    // created hidden and set up, the graph title is its last step, and the
    // list answers once the window's thread is back in its message loop.
    Stopwatch clock;
    HWND splash = nullptr;
    double splashGone = -1, mainCreated = -1;
    bool ended = false;
    WaitUntil(
        [&] {
            if (splash == nullptr) {
                for (HWND w : ProcessDialogs(process_.Id()))
                    if (GetDlgItem(w, IDC_START_ALL) == nullptr &&
                        GetDlgItem(w, IDC_TIMEBOX) == nullptr)
                        splash = w;
            } else if (splashGone < 0 && (!IsWindow(splash) || !IsWindowVisible(splash))) {
                splashGone = clock.Ms();
            }
            main_ = FindProcessDialog(process_.Id(), IDC_START_ALL, false);
            if (main_ != nullptr)
                mainCreated = clock.Ms();
            ended = main_ == nullptr && !process_.Running();
            return main_ != nullptr || ended;
        },
        timeoutMs, 1);
    if (main_ == nullptr) {
        if (error != nullptr)
            *error = ended ? "the program ended before its main window appeared"
                           : "the main window (a dialog with control 1040) did not appear within " +
                                 Ms(timeoutMs);
        return false;
    }
    if (splashGone >= 0)
        startup_.splashToMainWindow = mainCreated - splashGone;

    // The window counts as created once START ALL exists; the later
    // controls of the template may not exist yet. It is shown only after its
    // set-up, so a title still unset then will not be set by the start-up.
    bool titleSet = false;
    WaitUntil(
        [&] {
            titleSet = TitleIsSet(StoredText(GetDlgItem(main_, IDC_GRAPH_TITLE)));
            return titleSet || IsWindowVisible(main_);
        },
        timeoutMs, 1);
    titleSet = titleSet || TitleIsSet(StoredText(GetDlgItem(main_, IDC_GRAPH_TITLE)));
    if (titleSet)
        startup_.mainWindowToTitle = clock.Ms() - mainCreated;

    RemoteListView list(process_.Handle(), GetDlgItem(main_, IDC_RESULT_LIST));
    std::string cell;
    if (list.Valid() &&
        WaitUntil([&] { return list.ItemText(0, 1, cell) && !cell.empty(); }, timeoutMs, 1))
        startup_.mainWindowToList = clock.Ms() - mainCreated;

    if (!WaitUntil([&] { return IsWindowVisible(main_) && Responds(main_, 1000); }, timeoutMs)) {
        if (error != nullptr)
            *error = "the main window did not become visible and answer within " + Ms(timeoutMs);
        return false;
    }
    return true;
}

std::string VelkoraSession::Text(int id) const {
    return ItemText(main_, id);
}

bool VelkoraSession::ReadList(RunResult& run, std::string* error) const {
    run = RunResult();
    const int rows = list_->ItemCount();
    if (rows < 0) {
        if (error != nullptr)
            *error = "the result list does not answer";
        return false;
    }
    for (int row = 0; row < rows; ++row) {
        TestRow r;
        if (!list_->ItemText(row, 0, r.name) || !list_->ItemText(row, 1, r.timeText) ||
            !list_->ItemText(row, 2, r.markText)) {
            if (error != nullptr)
                *error = "cannot read row " + std::to_string(row) + " of the result list";
            return false;
        }
        run.rows.push_back(r);
    }
    if (!ControlText(GetDlgItem(main_, IDC_TOTAL_TIME), run.totalTimeText) ||
        !ControlText(GetDlgItem(main_, IDC_TOTAL_MARK), run.totalMarkText) ||
        !ControlText(GetDlgItem(main_, IDC_AVERAGE_MARK), run.averageMarkText)) {
        if (error != nullptr)
            *error = "cannot read the total labels (1038, 1039, 1046)";
        return false;
    }
    return true;
}

bool VelkoraSession::RunTests(int commandId, DWORD appearMs, DWORD runMs, std::string* error,
                              std::vector<std::string>* titles, const TestFinished& finished) {
    const ULONGLONG savedBefore = FileWriteTime(dataFile_);
    Stopwatch clock;
    if (!PostCommand(main_, commandId)) {
        if (error != nullptr)
            *error = "cannot post the start command to the main window";
        return false;
    }
    HWND testWnd = WaitForProcessDialog(process_, IDC_TIMEBOX, appearMs, error);
    if (testWnd == nullptr) {
        if (error != nullptr)
            *error = "test window: " + *error;
        return false;
    }
    // A title naming the test at place k of the run means every place before
    // it has finished; the time box then holds the time of place k - 1
    // (run_progress.h). Wine keeps no stored text for an edit control, so
    // there the time stays unread and the title's duration stands in for it.
    HWND timeBox = GetDlgItem(testWnd, IDC_TIMEBOX);
    int reported = -1, running = -1, rounds = 1;
    double runningSince = 0;
    std::string timeText = StoredText(timeBox), timeTextAtStart = timeText;
    auto report = [&](int upTo, bool atClose) {
        const double now = clock.Ms() / 1000;
        for (int place = reported + 1; place <= upTo && finished; ++place) {
            FinishedTest test;
            test.index = place % kTestCount;
            test.count = kTestCount;
            test.round = place / kTestCount + 1;
            test.rounds = rounds;
            test.name = kTestNames[test.index];
            test.elapsed = now;
            if (place == upTo && place == running) {
                test.took = now - runningSince;
                if (!atClose || timeText != timeTextAtStart)
                    test.seconds = TimeBoxSeconds(timeText);
            }
            finished(test, atClose);
        }
        reported = upTo > reported ? upTo : reported;
    };
    const bool gone = WaitUntil(
        [&] {
            const std::string title = StoredText(testWnd);
            if (titles != nullptr &&
                std::find(titles->begin(), titles->end(), title) == titles->end())
                titles->push_back(title);
            if (!IsWindow(testWnd) || !IsWindowVisible(testWnd) || !process_.Running())
                return true;
            timeText = StoredText(timeBox);
            TitleRound round;
            const int index = TestIndexOfTitle(title, &round);
            const int place = index < 0 ? -1 : (round.round - 1) * kTestCount + index;
            if (place > running) {
                rounds = round.rounds;
                report(place - 1, false);
                running = place;
                runningSince = clock.Ms() / 1000;
                timeTextAtStart = timeText;
            }
            return false;
        },
        runMs, kRunPollMs);
    // The closing ends the round that was running: the last one, or the one
    // a STOP ended.
    if (gone && process_.Running() && running >= 0)
        report((running / kTestCount + 1) * kTestCount - 1, true);
    if (!process_.Running()) {
        if (error != nullptr)
            *error = "the program ended during the run (exit code " +
                     std::to_string(process_.ExitCode()) + ")";
        return false;
    }
    if (!gone) {
        if (error != nullptr)
            *error = "the test window was still open after " + Ms(runMs);
        return false;
    }
    // The list is filled before record 0 is saved; a save that does not come
    // (a full disk) leaves the list read one round trip later.
    WaitUntil([&] { return FileWriteTime(dataFile_) != savedBefore; }, 10000);
    if (!Responds(main_, 10000)) {
        if (error != nullptr)
            *error = "the main window does not answer after the run";
        return false;
    }
    return true;
}

bool VelkoraSession::WaitForExit(DWORD timeoutMs) {
    if (process_.WaitForEnd(timeoutMs))
        return true;
    process_.Terminate();
    return false;
}

}  // namespace e2e
