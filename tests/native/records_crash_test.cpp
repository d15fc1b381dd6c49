// A process killed at any moment while it deletes or imports records leaves
// a data file that is one of the states the operations write, never a torn
// one. POSIX only: the writer runs in a forked child killed with SIGKILL;
// the Windows build of these tests has no such test.
#include <filesystem>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#endif

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

#ifndef _WIN32

const int kRecords = 200;
const int kSteps = 60;

void FillRecords(records::IniFile& file, int count, const std::string& prefix) {
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    for (int i = 1; i <= count; ++i) {
        sys.SystemName = prefix + std::to_string(i);
        sys.MEMO = "line\r\nof memo";
        for (int t = 0; t < bench::kTestCount; ++t)
            times.m_fTime[t] = 0.5f * i + t;
        records::SaveSection(file, i, sys);
        records::SaveSection(file, i, cpu);
        records::SaveSection(file, i, times);
    }
    records::WriteRecordCount(file, count);
}

// Step k of the writer: even steps delete record 1, odd steps import the
// three records of `source`.
void ApplyStep(int k, records::IniFile& file, const records::IniFile& source) {
    int32_t count = records::ReadOptions(file).recordCount;
    if (k % 2 == 0)
        records::DeleteRecord(file, count, 1);
    else
        records::ImportRecords(source, file, count);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(RecordsCrashTest, AKilledWriterLeavesTheOldFileOrTheNewOne) {
    char folder[] = "/tmp/velkora-crash-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/velkora.vlk";

    records::IniFile source;
    FillRecords(source, 3, "imported ");
    records::IniFile model;
    FillRecords(model, kRecords, "stored ");
    // Every state the writer can leave on disk, in order.
    std::vector<std::string> states{model.Render()};
    for (int k = 0; k < kSteps; ++k) {
        ApplyStep(k, model, source);
        states.push_back(model.Render());
    }

    std::mt19937 random(20261207);
    int killedMidway = 0;
    for (int trial = 0; trial < 25; ++trial) {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << states[0];
        }
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The writer: one load, one operation and one save per step, as
            // the main window does.
            for (int k = 0; k < kSteps; ++k) {
                records::IniFile file;
                if (!file.Load(path))
                    _exit(2);
                ApplyStep(k, file, source);
                if (!file.Save())
                    _exit(3);
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status))
            ++killedMidway;

        const std::string onDisk = ReadAll(path);
        bool known = false;
        for (const std::string& state : states)
            known = known || state == onDisk;
        ASSERT_TRUE(known) << "trial " << trial << ": the file is not a state the writer wrote ("
                           << onDisk.size() << " bytes)";
        records::IniFile reread;
        ASSERT_TRUE(reread.Load(path));
        const int32_t count = records::ReadOptions(reread).recordCount;
        EXPECT_EQ(records::TrustedRecordCount(reread, count), count)
            << "every counted record is there";
    }
    EXPECT_GT(killedMidway, 5) << "most writers should die before finishing";
    // A killed writer may leave its temporary file behind.
    std::filesystem::remove_all(folder);
}

#endif

}  // namespace
