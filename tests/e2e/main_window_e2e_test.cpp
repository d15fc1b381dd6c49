// The real velkora.exe, started in a fresh folder and driven from outside
// like a user: what its main window shows, what its data file holds, and how
// it ends. Needs an X display under Wine. One test runs all twenty tests at
// the smallest loop count, which takes minutes (tools/test runs it beside the
// others, as a ctest test of its own); the others run at most two.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/program_folder.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/run_report.h"
#include "tools/driver/velkora_session.h"

namespace e2e {
namespace {

const DWORD kWindowMs = 30000;      // for a window to appear
const DWORD kShortRunMs = 180000;   // a run of two tests
const DWORD kFullRunMs = 1500000;   // all twenty tests at loop count 5000
const DWORD kEndMs = 5000;          // for the program to end after CLOSE or Esc
const char kAbsent[] = "<absent>";  // what a missing key reads as here

// The program under test: VELKORA_EXE, or velkora.exe beside this program.

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double Number(const std::string& text) {
    return std::atof(text.c_str());
}

using Sandbox = ProgramFolder;

class MainWindowE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sandbox_.Create(&error)) << error;
    }

    void TearDown() override {
        EndProgram();
        if (HasFailure())
            std::printf("Kept for inspection: %s\n", fw::NarrowUtf8(sandbox_.Path()).c_str());
        else
            sandbox_.Remove();
    }

    // Starts the copy in the sandbox and waits for its main window.
    void StartProgram() {
        EndProgram();
        session_.reset(new VelkoraSession);
        std::string error;
        ASSERT_TRUE(session_->Start(sandbox_.Exe(), kWindowMs, &error)) << error;
    }

    // Closes a program that is still running; a test that already ended it
    // is left alone.
    void EndProgram() {
        if (session_ && session_->Process().Running()) {
            PostCommand(Main(), IDC_CLOSE);
            session_->WaitForExit(kEndMs);
        }
        session_.reset();
    }

    HWND Main() const { return session_->MainWindow(); }

    RunResult ReadList() const {
        RunResult run;
        std::string error;
        EXPECT_TRUE(session_->ReadList(run, &error)) << error;
        return run;
    }

    // The list cell's text once it reads `expected`, or the last text read
    // when that does not happen within a few seconds (a posted command has
    // been handled when its effect shows).
    std::string CellOnceItReads(int row, int column, const std::string& expected) const {
        std::string text;
        WaitUntil([&] { return session_->List().ItemText(row, column, text) && text == expected; },
                  5000);
        return text;
    }

    void WriteDataFile(const std::vector<std::pair<std::string, std::string>>& options,
                       const std::vector<PreparedRecord>& records = {}) {
        ASSERT_TRUE(sandbox_.WriteDataFile(DataFileText(options, records)));
    }

    Sandbox sandbox_;
    std::unique_ptr<VelkoraSession> session_;
};

TEST_F(MainWindowE2ETest, FirstStartShowsAnEmptyRecordAndWritesRecordZero) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    HWND selector = GetDlgItem(Main(), IDC_SYSTEM_SELECTOR);
    std::string entry;
    EXPECT_EQ(ComboCount(selector), 1);
    EXPECT_TRUE(ComboItemText(selector, 0, entry));
    EXPECT_EQ(entry, "This System");
    EXPECT_EQ(session_->Text(IDC_SYSTEM_SELECTOR), "This System") << "entry 0 is selected";

    const RunResult run = ReadList();
    ASSERT_EQ(run.rows.size(), static_cast<size_t>(kTestCount));
    for (int i = 0; i < kTestCount; ++i) {
        EXPECT_EQ(run.rows[i].name, kTestNames[i]) << "row " << i;
        EXPECT_EQ(run.rows[i].timeText, "0.000") << kTestNames[i];
        EXPECT_EQ(run.rows[i].markText, "0") << kTestNames[i];
    }
    EXPECT_EQ(run.totalTimeText, "0.000");
    EXPECT_EQ(run.totalMarkText, "0");
    EXPECT_EQ(run.averageMarkText, "0");
    EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), "GRAPH ( MAX.3000 )") << "the default maximum";
    const std::string processor = session_->Text(IDC_PROCESSOR_LINE);
    EXPECT_NE(processor.find(" at "), std::string::npos) << processor;
    EXPECT_EQ(processor.substr(processor.size() > 3 ? processor.size() - 3 : 0), "MHz")
        << processor;
    EXPECT_FALSE(session_->Text(IDC_PLATFORM_LINE).empty());

    // Record 0 is on disk once the window is up; the record count is not.
    const std::vector<std::string> sections = sandbox_.SectionNames();
    for (const char* section : {"SystemInfo-DATA000", "InfoCPU-DATA000", "Velkora-DATA000"})
        EXPECT_NE(std::find(sections.begin(), sections.end(), section), sections.end()) << section;
    EXPECT_EQ(sandbox_.Profile("SystemInfo-DATA000", "SystemName"), "This System");
    EXPECT_EQ(sandbox_.Profile("SystemInfo-DATA000", "Date"), "");
    EXPECT_EQ(sandbox_.Profile("SystemInfo-DATA000", "PlatformID"), "2")
        << "an NT-family system (Wine reports Windows 7)";
    EXPECT_NE(sandbox_.Profile("InfoCPU-DATA000", "ProcessorName"), kAbsent);
    for (const char* name : kTestNames)
        EXPECT_EQ(sandbox_.Profile("Velkora-DATA000", name), "0.000000") << name;
    EXPECT_EQ(sandbox_.Profile("VelkoraDataFile", "VelkoraDataNum"), kAbsent)
        << "written only when the window is destroyed";

    // What a screenshot of the window holds: the window's size, and more
    // than one colour.
    const std::wstring shot = sandbox_.Path() + L"\\main.bmp";
    std::string error;
    ASSERT_TRUE(CaptureWindowBmp(Main(), shot, &error)) << error;
    RECT r;
    GetWindowRect(Main(), &r);
    HANDLE file = CreateFileW(shot.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<unsigned char> bmp(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bmp.data(), static_cast<DWORD>(bmp.size()), &read, nullptr);
    CloseHandle(file);
    ASSERT_GT(bmp.size(), 54u);
    BITMAPINFOHEADER header;
    std::memcpy(&header, &bmp[14], sizeof header);
    EXPECT_EQ(header.biWidth, r.right - r.left);
    EXPECT_EQ(header.biHeight, r.bottom - r.top);
    EXPECT_EQ(header.biBitCount, 24);
    bool varied = false;
    for (size_t i = 57; i + 2 < bmp.size() && !varied; i += 3)
        varied = bmp[i] != bmp[54] || bmp[i + 1] != bmp[55] || bmp[i + 2] != bmp[56];
    EXPECT_TRUE(varied) << "the capture is one flat colour";

    PostCommand(Main(), IDC_CLOSE);
    EXPECT_TRUE(session_->WaitForExit(kEndMs));
    EXPECT_EQ(sandbox_.Profile("VelkoraDataFile", "VelkoraDataNum"), "0");
}

TEST_F(MainWindowE2ETest, CloseButtonAndEscEachEndTheProgram) {
    struct Case {
        const char* how;
        bool escape;
    } cases[] = {{"CLOSE button", false}, {"Esc key", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_TRUE(sandbox_.WriteDataFile(""));
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        if (c.escape) {
            // The key goes to whichever control has the focus, as typed.
            HWND target = FocusOfThread(Main());
            if (target == nullptr || (target != Main() && !IsChild(Main(), target)))
                target = GetDlgItem(Main(), IDC_RESULT_LIST);
            ASSERT_TRUE(PostKeyDown(target, VK_ESCAPE));
        } else {
            ASSERT_TRUE(PostCommand(Main(), IDC_CLOSE));
        }
        EXPECT_TRUE(session_->WaitForExit(kEndMs)) << "still running " << kEndMs << " ms later";
        EXPECT_EQ(sandbox_.Profile("VelkoraDataFile", "VelkoraDataNum"), "0")
            << "the window's destruction writes the record count";
    }
}

TEST_F(MainWindowE2ETest, StoredRecordsAreScoredByTheirOwnPlatform) {
    // Two stored records with the same times, the reference times of the
    // Windows 95/98 column; their names sort the other way round, so a
    // sorted selector would mix up entry and record numbers.
    PreparedRecord win9x, nt;
    win9x.systemName = "Machine B (platform 1)";
    win9x.platformId = 1;
    nt.systemName = "Machine A (platform 2)";
    nt.platformId = 2;
    double totalTime = 0;
    for (int i = 0; i < kTestCount; ++i) {
        win9x.times[i] = nt.times[i] = kReferenceA[i];
        totalTime += kReferenceA[i];
    }
    ASSERT_NO_FATAL_FAILURE(WriteDataFile({{"VelkoraDataNum", "2"}}, {win9x, nt}));
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    HWND selector = GetDlgItem(Main(), IDC_SYSTEM_SELECTOR);
    ASSERT_EQ(ComboCount(selector), 3);
    const char* entries[] = {"This System", "Machine B (platform 1)", "Machine A (platform 2)"};
    for (int i = 0; i < 3; ++i) {
        std::string text;
        EXPECT_TRUE(ComboItemText(selector, i, text));
        EXPECT_EQ(text, entries[i]) << "entry " << i << " is record " << i;
    }

    struct Case {
        int entry;
        const float* reference;
        const char* processor;
    } cases[] = {{1, kReferenceA, "Prepared Processor at 1001MHz"},
                 {2, kReferenceB, "Prepared Processor at 1002MHz"}};
    std::vector<std::string> marksOfRecord1;
    for (const Case& c : cases) {
        SCOPED_TRACE(entries[c.entry]);
        ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, c.entry));
        const std::string firstMark = std::to_string(ExpectedMark(c.reference[0], kReferenceA[0]));
        ASSERT_EQ(CellOnceItReads(0, 2, firstMark), firstMark);

        const RunResult run = ReadList();
        ASSERT_EQ(run.rows.size(), static_cast<size_t>(kTestCount));
        long long totalMark = 0;
        for (int i = 0; i < kTestCount; ++i) {
            const long long mark = ExpectedMark(c.reference[i], kReferenceA[i]);
            totalMark += mark;
            EXPECT_EQ(run.rows[i].timeText, Format("%.3f", kReferenceA[i])) << kTestNames[i];
            EXPECT_EQ(run.rows[i].markText, std::to_string(mark)) << kTestNames[i];
            if (c.entry == 2 && i < static_cast<int>(marksOfRecord1.size())) {
                EXPECT_NE(run.rows[i].markText, marksOfRecord1[i])
                    << kTestNames[i] << ": same times, other reference";
            }
            if (c.entry == 1)
                marksOfRecord1.push_back(run.rows[i].markText);
        }
        EXPECT_EQ(run.totalTimeText, Format("%.3f", totalTime));
        EXPECT_EQ(run.totalMarkText, std::to_string(totalMark));
        EXPECT_EQ(run.averageMarkText, std::to_string(totalMark / 20));
        EXPECT_EQ(session_->Text(IDC_PROCESSOR_LINE), c.processor);
        EXPECT_EQ(session_->Text(IDC_PLATFORM_LINE),
                  "Windows 7 (6.1.7601 Service Pack 1)  1024MB Mem");
        EXPECT_EQ(session_->Text(IDC_VIDEO_LINE), "Prepared Video");
    }

    ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, 0));
    EXPECT_EQ(CellOnceItReads(0, 2, "0"), "0") << "This System has no times after a start";
}

TEST_F(MainWindowE2ETest, AThousandStoredRecordsAllReachTheSelectorQuickly) {
    std::vector<PreparedRecord> records(1000);
    for (size_t i = 0; i < records.size(); ++i)
        records[i].systemName = "Stored " + std::to_string(i + 1);
    ASSERT_NO_FATAL_FAILURE(WriteDataFile({{"VelkoraDataNum", "1000"}}, records));
    ASSERT_NO_FATAL_FAILURE(StartProgram());

    HWND selector = GetDlgItem(Main(), IDC_SYSTEM_SELECTOR);
    ASSERT_EQ(ComboCount(selector), 1001);
    std::string text;
    EXPECT_TRUE(ComboItemText(selector, 1000, text));
    EXPECT_EQ(text, "Stored 1000") << "record 1000 is read from section ...DATA1000";
    const StartupTimes& t = session_->Startup();
    RecordProperty("main_window_to_list_ms", static_cast<int>(t.mainWindowToList));
    EXPECT_GE(t.mainWindowToList, 0) << "the list answered";
    // About 0.2 s on an idle machine and well under a second with both
    // processors kept busy by other programs: the bound is far off either,
    // and only work that grows with the records squared would reach it.
    EXPECT_LT(t.mainWindowToList, 10000) << "ms from the main window's creation to its list";
}

TEST_F(MainWindowE2ETest, GraphMaximumFromTheDataFileIsClamped) {
    struct Case {
        const char* stored;
        const char* title;
    } cases[] = {{"100", "GRAPH ( MAX.2000 )"}, {"50000", "GRAPH ( MAX.20000 )"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_NO_FATAL_FAILURE(WriteDataFile({{"VelkoraGraph", c.stored}}));
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), c.title);
        EndProgram();
    }
}

TEST_F(MainWindowE2ETest, LoopCountFromTheDataFileIsClamped) {
    // The loop count shows nowhere in the main window or the test window;
    // the options dialog shows the one in force.
    struct Case {
        const char* stored;
        const char* inForce;
    } cases[] = {{"60000", "50000"}, {"0", "5000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_NO_FATAL_FAILURE(WriteDataFile({{"VelkoraLoop", c.stored}}));
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        ASSERT_TRUE(PostCommand(Main(), IDC_OPTION));
        // The options dialog: the one with the restore-defaults button.
        const int kRestoreDefaults = 1078;
        const int kLoopBox = 1045;
        std::string error;
        HWND options = WaitForProcessDialog(session_->Process(), kRestoreDefaults, 10000, &error);
        ASSERT_NE(options, nullptr) << "no options dialog to read the loop count from: " << error;
        EXPECT_EQ(ItemText(options, kLoopBox), c.inForce);
        PostCommand(options, IDCANCEL);
        EXPECT_TRUE(WaitForWindowGone(options, 5000));
        EndProgram();
    }
}

// The one full run: every test at the smallest loop count, then two of them
// again on top of it.
TEST_F(MainWindowE2ETest, StartAllFillsEveryRowAndTheDataFile) {
    ASSERT_NO_FATAL_FAILURE(WriteDataFile({{"VelkoraLoop", "5000"}}));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    std::vector<std::string> titles;
    std::string error;
    ASSERT_TRUE(session_->RunTests(IDC_START_ALL, kWindowMs, kFullRunMs, &error, &titles)) << error;

    int testTitles = 0;
    for (const std::string& title : titles) {
        bool known = title.empty() || title == "Velkora";
        for (const char* name : kTestNames) {
            if (title == std::string("Velkora - ") + name + " Testing...") {
                known = true;
                ++testTitles;
            }
        }
        EXPECT_TRUE(known) << title;
    }
    EXPECT_GT(testTitles, 0) << "the title names the running test";

    const float* reference =
        sandbox_.Profile("SystemInfo-DATA000", "PlatformID") == "1" ? kReferenceA : kReferenceB;
    const RunResult run = ReadList();
    ASSERT_EQ(run.rows.size(), static_cast<size_t>(kTestCount));
    double storedTotal = 0;
    long long totalMark = 0;
    for (int i = 0; i < kTestCount; ++i) {
        SCOPED_TRACE(kTestNames[i]);
        const std::string stored = sandbox_.Profile("Velkora-DATA000", kTestNames[i]);
        const double time = Number(stored);
        storedTotal += time;
        EXPECT_GT(Number(run.rows[i].timeText), 0);
        EXPECT_GT(time, 0) << stored;
        EXPECT_NEAR(Number(run.rows[i].timeText), time, 0.0005 + 1e-9)
            << "the list shows the stored time";
        // The file holds six decimals of the time the mark was computed from.
        const long long expected = ExpectedMark(reference[i], static_cast<float>(time));
        const long long mark = std::atoll(run.rows[i].markText.c_str());
        EXPECT_LE(std::llabs(mark - expected), 1) << run.rows[i].markText;
        totalMark += mark;
    }
    EXPECT_NEAR(Number(run.totalTimeText), storedTotal, 0.0005 + 20e-6);
    EXPECT_EQ(run.totalMarkText, std::to_string(totalMark));
    EXPECT_EQ(run.averageMarkText, std::to_string(totalMark / 20));

    // START (Selected Item) on top: rows 1 and 13 (two of the shortest tests)
    // run again, every other row keeps the time it had, on screen and in the
    // file.
    const int kRerunA = 1, kRerunB = 13;
    ASSERT_TRUE(session_->List().SelectOnly({kRerunA, kRerunB}));
    std::vector<std::string> storedBefore;
    for (const char* name : kTestNames)
        storedBefore.push_back(sandbox_.Profile("Velkora-DATA000", name));
    titles.clear();
    ASSERT_TRUE(session_->RunTests(ID_START_SELECTED, kWindowMs, kShortRunMs, &error, &titles))
        << error;
    for (const std::string& title : titles)
        EXPECT_TRUE(title.empty() || title == "Velkora" ||
                    title == std::string("Velkora - ") + kTestNames[kRerunA] + " Testing..." ||
                    title == std::string("Velkora - ") + kTestNames[kRerunB] + " Testing...")
            << "only the two selected tests run: " << title;
    const RunResult again = ReadList();
    ASSERT_EQ(again.rows.size(), static_cast<size_t>(kTestCount));
    for (int i = 0; i < kTestCount; ++i) {
        SCOPED_TRACE(kTestNames[i]);
        const std::string stored = sandbox_.Profile("Velkora-DATA000", kTestNames[i]);
        if (i == kRerunA || i == kRerunB) {
            EXPECT_GT(Number(again.rows[i].timeText), 0);
            EXPECT_GT(Number(stored), 0);
        } else {
            EXPECT_EQ(again.rows[i].timeText, run.rows[i].timeText);
            EXPECT_EQ(again.rows[i].markText, run.rows[i].markText);
            EXPECT_EQ(stored, storedBefore[i]);
        }
    }
}

}  // namespace
}  // namespace e2e
