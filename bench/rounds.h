// Rounds: each flagged test timed several times in one run. The time a test
// keeps is the median of its rounds, and its fastest and slowest round say
// how far one timing may be off; one round is a single timing, as always.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

constexpr int32_t kDefaultRounds = 1;
constexpr int32_t kMinRounds = 1;
constexpr int32_t kMaxRounds = 9;

// 1 below the range, 9 above it, n otherwise.
int32_t ClampRounds(int32_t n);
// The options box's text read leniently (its leading digits) and clamped.
int32_t RoundsFromText(const std::string& text);

// The median of some values (the mean of the middle two for an even count),
// their smallest and their largest: of a test's rounds here, of several
// runs in the driver's report.
struct Spread {
    double median = 0, min = 0, max = 0;
    // (max - min) / median; 0 for no median.
    double Relative() const { return median > 0 ? (max - min) / median : 0; }
};
// All zero for no values.
Spread SpreadOf(std::vector<double> values);

// One test's rounds: how many completed, their median (the mean of the
// middle two for an even count) and the fastest and slowest. No rounds give
// zeros.
struct RoundSummary {
    int32_t rounds = 0;
    float median = 0;
    float fastest = 0;
    float slowest = 0;
};
RoundSummary SummariseRounds(std::vector<float> times);

// (slowest - fastest) / median in per cent; 0 for fewer than two rounds or
// no median.
double SpreadPercent(int32_t rounds, float fastest, float slowest, float median);

// Above this spread a test's timing is marked as not to be trusted blindly.
constexpr double kSteadySpreadPercent = 5.0;

// The result list's spread cell: empty for a single round, "3.2 %", and
// "7.9 % !" above the steady spread.
std::string FormatSpread(int32_t rounds, float fastest, float slowest, float median);

}  // namespace bench
