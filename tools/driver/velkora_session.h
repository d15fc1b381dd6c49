// Velkora's main window seen from outside, as the driver and the end-to-end
// tests use it: start the program and time its start-up, press its start
// commands and wait for the run, read the result list and the totals, close
// it.
//
// When a run's results are on display: the test window closes first, then
// the main window fills its list and saves record 0 to the data file. So
// after the test window has gone, the session waits for the data file to
// change and then for one message round trip to the main window; only then
// does it read the list.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/driver/remote_ui.h"
#include "tools/driver/run_progress.h"
#include "tools/driver/run_report.h"

namespace e2e {

class VelkoraSession {
  public:
    VelkoraSession() = default;

    // Starts exe, waits until its main window has been set up and answers
    // messages, and times the start-up on the way (StartupTimes).
    bool Start(const std::wstring& exe, DWORD timeoutMs, std::string* error);

    HWND MainWindow() const { return main_; }
    RemoteProcess& Process() { return process_; }
    const StartupTimes& Startup() const { return startup_; }
    const std::wstring& DataFilePath() const { return dataFile_; }

    // The text of a control of the main window.
    std::string Text(int id) const;
    const RemoteListView& List() const { return *list_; }
    // The list's rows and the three total labels, as texts.
    bool ReadList(RunResult& run, std::string* error) const;

    // Called for each test as the run passes it (see run_progress.h), with
    // its list position, round and name, the time the time box showed for
    // it (-1 when not read), how long its title was shown (-1 when not
    // seen), the seconds since the start command, and whether it was seen
    // only at the window's closing (then the list holds its time, the
    // median of its rounds).
    using TestFinished = std::function<void(const FinishedTest& test, bool atClose)>;

    // Posts a start command (START ALL button or the start menu commands),
    // waits for the test window to open and to close, then for the results
    // (see above). Every distinct title the test window showed goes to
    // titles when given. The window is only read while it runs, never sent
    // a message, so watching it does not touch the timed work.
    bool RunTests(int commandId, DWORD appearMs, DWORD runMs, std::string* error,
                  std::vector<std::string>* titles = nullptr,
                  const TestFinished& finished = nullptr);

    // Waits for the program to end; false (and the process terminated) when
    // it is still running after timeoutMs.
    bool WaitForExit(DWORD timeoutMs);

  private:
    bool MeasureStartup(DWORD timeoutMs, std::string* error);

    RemoteProcess process_;
    HWND main_ = nullptr;
    std::unique_ptr<RemoteListView> list_;
    std::wstring dataFile_;
    StartupTimes startup_;
};

// The last-write time of a file; zero when it does not exist.
ULONGLONG FileWriteTime(const std::wstring& path);

}  // namespace e2e
