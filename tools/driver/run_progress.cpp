#include "tools/driver/run_progress.h"

#include <cstdio>
#include <cstdlib>

#include "tools/driver/data_file_text.h"

namespace e2e {

namespace {

const char kTitlePrefix[] = "Velkora - ";
const char kTitleSuffix[] = " Testing...";
const int kNameWidth = 27;
// "  2/5" after the name: two blanks, then round and rounds of one digit each.
const size_t kRoundWidth = 5;

bool IsRoundDigit(char c) {
    return c >= '1' && c <= '9';
}

}  // namespace

int TestIndexOfTitle(const std::string& title, TitleRound* round) {
    const std::string prefix = kTitlePrefix, suffix = kTitleSuffix;
    if (title.size() <= prefix.size() + suffix.size() ||
        title.compare(0, prefix.size(), prefix) != 0 ||
        title.compare(title.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    std::string name = title.substr(prefix.size(), title.size() - prefix.size() - suffix.size());
    // The program names the round only when there are several.
    TitleRound named;
    const size_t n = name.size();
    if (n > kRoundWidth && name.compare(n - kRoundWidth, 2, "  ") == 0 && name[n - 2] == '/' &&
        IsRoundDigit(name[n - 3]) && IsRoundDigit(name[n - 1])) {
        named.round = name[n - 3] - '0';
        named.rounds = name[n - 1] - '0';
        if (named.rounds < 2 || named.round > named.rounds)
            return -1;
        name.resize(n - kRoundWidth);
    }
    for (int i = 0; i < kTestCount; ++i) {
        if (name == kTestNames[i]) {
            if (round != nullptr)
                *round = named;
            return i;
        }
    }
    return -1;
}

double TimeBoxSeconds(const std::string& text) {
    const size_t space = text.find(' ');
    if (space == std::string::npos || text.compare(space, std::string::npos, " s") != 0)
        return -1;
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    return end == text.c_str() + space && seconds >= 0 ? seconds : -1;
}

std::string ClockText(double seconds) {
    const long total = seconds <= 0 ? 0 : static_cast<long>(seconds + 0.5);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

std::string FormatProgressLine(const FinishedTest& test) {
    char head[32];
    std::snprintf(head, sizeof head, "%3d/%d  ", test.index + 1, test.count);
    std::string label = test.name;
    size_t width = kNameWidth;
    if (test.rounds > 1) {
        char round[24];
        std::snprintf(round, sizeof round, "  %d/%d", test.round, test.rounds);
        label += round;
        width += kRoundWidth;
    }
    std::string line = head + label;
    if (label.size() < width)
        line.append(width - label.size(), ' ');
    char time[32];
    if (test.seconds >= 0) {
        std::snprintf(time, sizeof time, "%9.3f s", test.seconds);
    } else if (test.took >= 0) {
        char took[24];
        std::snprintf(took, sizeof took, "~%.1f", test.took);
        std::snprintf(time, sizeof time, "%9s s", took);
    } else {
        std::snprintf(time, sizeof time, "%9s s", "?");
    }
    line += time;
    line += "   elapsed " + ClockText(test.elapsed);
    if (test.Place() + 1 >= test.Places())
        line += "   done";
    else if (test.remaining >= 0)
        line += "   about " + ClockText(test.remaining) + " left";
    return line + "\n";
}

void RemainingEstimate::SetPrevious(const std::vector<double>& durations) {
    previous_.clear();
    for (double d : durations)
        if (!(d >= 0))
            return;
    previous_ = durations;
}

double RemainingEstimate::After(int finished) const {
    if (previous_.empty())
        return -1;
    double sum = 0;
    for (size_t i = finished < 0 ? 0 : static_cast<size_t>(finished) + 1; i < previous_.size(); ++i)
        sum += previous_[i];
    return sum;
}

}  // namespace e2e
