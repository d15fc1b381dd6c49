#include "bench/rounds.h"

#include <algorithm>
#include <cstdio>

#include "bench/option_values.h"

namespace bench {

int32_t ClampRounds(int32_t n) {
    return std::min(std::max(n, kMinRounds), kMaxRounds);
}

int32_t RoundsFromText(const std::string& text) {
    return ClampRounds(ParseLeadingInt(text));
}

Spread SpreadOf(std::vector<double> values) {
    Spread s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.min = values.front();
    s.max = values.back();
    s.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return s;
}

RoundSummary SummariseRounds(std::vector<float> times) {
    // In double, so the median of two equal times is that time exactly;
    // every other figure is one of the times.
    const Spread s = SpreadOf(std::vector<double>(times.begin(), times.end()));
    RoundSummary summary;
    summary.rounds = static_cast<int32_t>(times.size());
    summary.median = static_cast<float>(s.median);
    summary.fastest = static_cast<float>(s.min);
    summary.slowest = static_cast<float>(s.max);
    return summary;
}

double SpreadPercent(int32_t rounds, float fastest, float slowest, float median) {
    if (rounds < 2)
        return 0;
    return Spread{median, fastest, slowest}.Relative() * 100;
}

std::string FormatSpread(int32_t rounds, float fastest, float slowest, float median) {
    if (rounds < 2)
        return std::string();
    const double spread = SpreadPercent(rounds, fastest, slowest, median);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%%s", spread,
                  spread > kSteadySpreadPercent ? " !" : "");
    return text;
}

}  // namespace bench
