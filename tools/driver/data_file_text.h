// Result data files prepared for the end-to-end tests and for start-up
// measurements: the text of a file with chosen options and stored records,
// written the way the program's own files look. Portable.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace e2e {

constexpr int kTestCount = 20;

// The test names in list order; each is also the test's key in a timing
// section.
extern const char* const kTestNames[kTestCount];

// Reference times in seconds (single precision, as the program holds them):
// column A scores records of platform id 1, column B every other id.
extern const float kReferenceA[kTestCount];
extern const float kReferenceB[kTestCount];

// The mark the program shows for a time: reference * 1000 / time, truncated;
// 0 for a time of 0.
long long ExpectedMark(float reference, float time);

// One stored record: its three sections with plausible contents.
struct PreparedRecord {
    std::string systemName = "Prepared System";
    int platformId = 2;
    std::string processorName = "Prepared Processor";
    float times[kTestCount] = {};
    // A test with more than one round gets its rounds, fastest and slowest
    // keys after the times.
    int rounds[kTestCount] = {};
    float fastest[kTestCount] = {};
    float slowest[kTestCount] = {};
};

// The options section's keys in the order given, then records 1..N in order.
// The record count key is the caller's: include "VelkoraDataNum" in options
// to make the records visible to the program.
std::string DataFileText(const std::vector<std::pair<std::string, std::string>>& options,
                         const std::vector<PreparedRecord>& records);

// "SystemInfo-DATA%03d" and its two siblings.
std::string SystemSection(int record);
std::string ProcessorSection(int record);
std::string TimingSection(int record);

// The program keeps its data file beside itself: same folder, same base
// name, extension "vlk" (a name without an extension gets one).
std::wstring DataFilePathFor(const std::wstring& exePath);

}  // namespace e2e
