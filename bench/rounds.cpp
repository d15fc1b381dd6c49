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

RoundSummary SummariseRounds(std::vector<float> times) {
    RoundSummary summary;
    if (times.empty())
        return summary;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    summary.rounds = static_cast<int32_t>(n);
    summary.fastest = times.front();
    summary.slowest = times.back();
    // The middle two are averaged in double, so the median of two equal
    // times is that time exactly.
    summary.median =
        n % 2 == 1
            ? times[n / 2]
            : static_cast<float>(
                  (static_cast<double>(times[n / 2 - 1]) + static_cast<double>(times[n / 2])) / 2);
    return summary;
}

double SpreadPercent(int32_t rounds, float fastest, float slowest, float median) {
    if (rounds < 2 || !(median > 0))
        return 0;
    return (static_cast<double>(slowest) - static_cast<double>(fastest)) /
           static_cast<double>(median) * 100;
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
