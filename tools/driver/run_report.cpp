#include "tools/driver/run_report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "compare/export_escape.h"

namespace e2e {

namespace {

const int kNameWidth = 28;
const int kNumberWidth = 10;
const int kRoundsWidth = 8;
const int kRangeWidth = 20;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string TimeText(double seconds) {
    return Format("%.3f", seconds);
}

// Marks are whole numbers; only the median of an even count can end in .5.
std::string MarkText(double mark) {
    return mark == static_cast<double>(static_cast<long long>(mark)) ? Format("%.0f", mark)
                                                                     : Format("%.1f", mark);
}

std::string JsonNumber(double value) {
    return Format("%.10g", value);
}

std::string PadRight(const std::string& text, int width) {
    return static_cast<int>(text.size()) >= width
               ? text
               : text + std::string(static_cast<size_t>(width) - text.size(), ' ');
}

std::string PadLeft(const std::string& text, int width) {
    return static_cast<int>(text.size()) >= width
               ? text
               : std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

// The values of one quantity across the runs: row `row` of every run, or a
// total when row is -1 (which: 0 time, 1 mark, 2 average).
std::vector<double> Column(const Report& report, int row, int which) {
    std::vector<double> values;
    for (const RunResult& run : report.runs) {
        if (row >= 0) {
            if (row < static_cast<int>(run.rows.size()))
                values.push_back(which == 0 ? run.rows[row].time : run.rows[row].mark);
        } else {
            values.push_back(which == 0   ? run.totalTime
                             : which == 1 ? run.totalMark
                                          : run.averageMark);
        }
    }
    return values;
}

size_t RowCount(const Report& report) {
    size_t rows = 0;
    for (const RunResult& run : report.runs)
        rows = std::max(rows, run.rows.size());
    return rows;
}

std::string RowName(const Report& report, size_t row) {
    for (const RunResult& run : report.runs)
        if (row < run.rows.size())
            return run.rows[row].name;
    return std::string();
}

std::string StartupLine(const StartupTimes& t) {
    auto ms = [](double value) { return value < 0 ? std::string("?") : Format("%.0f ms", value); };
    return "Start-up: splash closed -> main window created " + ms(t.splashToMainWindow) +
           "; main window created -> graph title set " + ms(t.mainWindowToTitle) +
           ", -> list answers " + ms(t.mainWindowToList) + "\n";
}

std::string SpreadJson(const Spread& s) {
    return "{\"median\": " + JsonNumber(s.median) + ", \"min\": " + JsonNumber(s.min) +
           ", \"max\": " + JsonNumber(s.max) + "}";
}

// A time's statistics with its spread and whether that is too wide.
std::string TimeSpreadJson(const Spread& s) {
    return "{\"median\": " + JsonNumber(s.median) + ", \"min\": " + JsonNumber(s.min) +
           ", \"max\": " + JsonNumber(s.max) + ", \"spread\": " + JsonNumber(s.Relative()) +
           ", \"unsteady\": " + (s.Relative() > kSteadySpread ? "true" : "false") + "}";
}

std::string StringJson(const std::string& text) {
    return "\"" + JsonEscape(text) + "\"";
}

bool Unsteady(const Spread& s) {
    return s.Relative() > kSteadySpread;
}

std::string SpreadText(const Spread& s) {
    return Format("%.1f %%", s.Relative() * 100);
}

// Whether the table needs its rounds columns.
bool AnyRounds(const Report& report) {
    for (const RunResult& run : report.runs)
        for (const TestRow& row : run.rows)
            if (row.rounds > 1)
                return true;
    return false;
}

// The rounds columns of a test: its rounds, the range from the fastest to the
// slowest round and its spread against the median time. Over several runs
// the count reads "2", or "1-2" when the runs differ, and the range covers
// every run's rounds (a single round being its time). Empty for no rows.
std::string RoundCells(const Report& report, size_t row, double medianTime) {
    bool seen = false;
    int fewest = 0, most = 0;
    double fastest = 0, slowest = 0;
    for (const RunResult& run : report.runs) {
        if (row >= run.rows.size())
            continue;
        const TestRow& r = run.rows[row];
        const double low = r.rounds > 1 ? r.fastest : r.time;
        const double high = r.rounds > 1 ? r.slowest : r.time;
        fewest = seen ? std::min(fewest, r.rounds) : r.rounds;
        most = seen ? std::max(most, r.rounds) : r.rounds;
        fastest = seen ? std::min(fastest, low) : low;
        slowest = seen ? std::max(slowest, high) : high;
        seen = true;
    }
    if (!seen)
        return std::string();
    std::string text = PadLeft(
        std::to_string(fewest) + (fewest == most ? std::string() : "-" + std::to_string(most)),
        kRoundsWidth);
    if (most < 2)
        return text;
    Spread range;
    range.median = medianTime;
    range.min = fastest;
    range.max = slowest;
    return text + PadLeft(TimeText(fastest) + ".." + TimeText(slowest), kRangeWidth) +
           PadLeft(SpreadText(range), kNumberWidth) + (Unsteady(range) ? " !" : "");
}

std::string CountText(double value, const char* format) {
    return value < 0 ? std::string("?") : Format(format, value);
}

// One line per run, warm-ups first: its total, the program's objects after
// it and the machine before it; then the conditions of the whole session.
std::string RunsSection(const Report& report) {
    if (report.startAllPresses == 0)
        return std::string();
    std::string out = "\n" + PadRight("RUN", 10) + PadLeft("TOTAL(sec)", 11) + PadLeft("GDI", 7) +
                      PadLeft("USER", 7) + PadLeft("PRIVATE MB", 12) + "  MACHINE BEFORE THE RUN\n";
    int notIdle = 0;
    auto line = [&](const std::string& name, const RunResult& run) {
        notIdle += run.machine.idle ? 0 : 1;
        out +=
            PadRight(name, 10) + PadLeft(TimeText(run.totalTime), 11) +
            PadLeft(CountText(static_cast<double>(run.gdiObjects), "%.0f"), 7) +
            PadLeft(CountText(static_cast<double>(run.userObjects), "%.0f"), 7) +
            PadLeft(CountText(run.privateBytes < 0 ? -1 : run.privateBytes / 1048576, "%.1f"), 12) +
            "  " + IdlenessText(run.machine) + "\n";
    };
    for (size_t i = 0; i < report.warmups.size(); ++i)
        line("warm-up " + std::to_string(i + 1), report.warmups[i]);
    for (size_t i = 0; i < report.runs.size(); ++i)
        line(std::to_string(i + 1), report.runs[i]);
    out += "Warm-up runs dropped: " + std::to_string(report.warmups.size()) + "\n";
    for (const std::string& condition : report.conditions)
        out += "Condition: " + condition + "\n";
    out +=
        "Idleness: checked before each run (not idle: a Wine process of another prefix, or "
        "more than " +
        Format("%.2f", kBusyCoresLimit) + " processors busy over 1 s); " + std::to_string(notIdle) +
        " of " + std::to_string(report.warmups.size() + report.runs.size()) +
        " runs started on a machine that was not idle\n";
    if (!report.objectCountSource.empty())
        out += "GDI and USER objects counted from: " + report.objectCountSource + "\n";
    return out;
}

std::string RoundTimesJson(const TestRow& row) {
    if (row.roundTimes.empty())
        return "null";
    std::string out = "[";
    for (size_t r = 0; r < row.roundTimes.size(); ++r)
        out += (r == 0 ? "" : ", ") + JsonNumber(row.roundTimes[r]);
    return out + "]";
}

// The tests of every run whose later rounds ran more than kLaterRoundsLimit
// slower than their first, one line each; empty when none.
std::string LaterRoundsLines(const Report& report) {
    std::string out;
    for (size_t r = 0; r < report.runs.size(); ++r)
        for (const TestRow& row : report.runs[r].rows)
            if (row.LaterRoundsRatio() > kLaterRoundsLimit)
                out += "later rounds slower than the first: " + row.name +
                       (report.runs.size() > 1 ? " in run " + std::to_string(r + 1) : "") + ", x" +
                       Format("%.2f", row.LaterRoundsRatio()) + " (" + TimeText(row.roundTimes[0]) +
                       " s first)\n";
    return out;
}

std::string RunJson(const RunResult& run) {
    std::string out = "{\"tests\": [";
    for (size_t i = 0; i < run.rows.size(); ++i) {
        const TestRow& row = run.rows[i];
        auto range = [&row](double value) {
            return row.rounds > 1 ? JsonNumber(value) : std::string("null");
        };
        out += i == 0 ? "\n" : ",\n";
        out += "      {\"name\": " + StringJson(row.name) + ", \"time\": " + JsonNumber(row.time) +
               ", \"mark\": " + JsonNumber(row.mark) +
               ", \"rounds\": " + std::to_string(row.rounds) +
               ", \"fastest\": " + range(row.fastest) + ", \"slowest\": " + range(row.slowest) +
               ", \"spread\": " + range(row.RoundSpread()) +
               ", \"roundTimes\": " + RoundTimesJson(row) + ", \"laterRounds\": " +
               (row.roundTimes.empty() ? std::string("null") : JsonNumber(row.LaterRoundsRatio())) +
               "}";
    }
    auto count = [](double value) { return value < 0 ? std::string("null") : JsonNumber(value); };
    const Idleness& m = run.machine;
    out += "],\n     \"totalTime\": " + JsonNumber(run.totalTime) +
           ", \"totalMark\": " + JsonNumber(run.totalMark) +
           ", \"averageMark\": " + JsonNumber(run.averageMark) +
           ",\n     \"gdiObjects\": " + count(static_cast<double>(run.gdiObjects)) +
           ", \"userObjects\": " + count(static_cast<double>(run.userObjects)) +
           ", \"privateBytes\": " + count(run.privateBytes) +
           ",\n     \"machineBefore\": {\"checked\": " + (m.checked ? "true" : "false") +
           ", \"idle\": " + (m.idle ? "true" : "false") + ", \"load\": [" + JsonNumber(m.load[0]) +
           ", " + JsonNumber(m.load[1]) + ", " + JsonNumber(m.load[2]) +
           "], \"busyCores\": " + JsonNumber(m.busyCores) +
           ", \"otherWineProcesses\": " + std::to_string(m.otherWineProcesses) + "}}";
    return out;
}

// The CSV's fields after the mark for a test of a run: the rounds, their
// range and spread, the later rounds' ratio and each round's time.
std::string RoundFields(const TestRow& row) {
    std::string fields = std::to_string(row.rounds);
    fields += row.rounds < 2 ? ",,,"
                             : "," + TimeText(row.fastest) + "," + TimeText(row.slowest) + "," +
                                   Format("%.4f", row.RoundSpread());
    fields +=
        "," + (row.roundTimes.empty() ? std::string() : Format("%.4f", row.LaterRoundsRatio()));
    for (int r = 0; r < kMaxRounds; ++r)
        fields +=
            "," + (static_cast<size_t>(r) < row.roundTimes.size() ? TimeText(row.roundTimes[r])
                                                                  : std::string());
    return fields;
}

// The same number of empty fields, for the totals and the statistics.
std::string NoRoundFields() {
    return std::string(4 + kMaxRounds, ',');
}

}  // namespace

double TestRow::RoundSpread() const {
    return rounds > 1 ? Spread{time, fastest, slowest}.Relative() : 0;
}

double TestRow::LaterRoundsRatio() const {
    if (roundTimes.size() < 2 || roundTimes[0] <= 0)
        return 0;
    return SpreadOf(std::vector<double>(roundTimes.begin() + 1, roundTimes.end())).median /
           roundTimes[0];
}

void SetRounds(TestRow& row, const std::string& rounds, const std::string& fastest,
               const std::string& slowest, const std::string& roundTimes) {
    const long count = std::strtol(rounds.c_str(), nullptr, 10);
    row.rounds = count > 1 ? static_cast<int>(std::min<long>(count, kMaxRounds)) : 1;
    row.fastest = row.rounds > 1 ? std::atof(fastest.c_str()) : 0;
    row.slowest = row.rounds > 1 ? std::atof(slowest.c_str()) : 0;
    row.roundTimes.clear();
    const char* p = roundTimes.c_str();
    for (int r = 0; row.rounds > 1 && r < row.rounds; ++r) {
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p)
            break;
        row.roundTimes.push_back(value);
        p = end;
    }
    if (row.roundTimes.size() != static_cast<size_t>(row.rounds))
        row.roundTimes.clear();
}

bool ParseShownNumber(const std::string& text, double& value) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return false;
    const std::string number = text.substr(begin, end - begin + 1);
    size_t i = 0;
    if (number[i] == '-')
        ++i;
    size_t digits = 0;
    while (i < number.size() && number[i] >= '0' && number[i] <= '9')
        ++i, ++digits;
    if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && number[i] >= '0' && number[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0 || i != number.size())
        return false;
    value = std::strtod(number.c_str(), nullptr);
    return true;
}

bool ParseRunNumbers(RunResult& run, std::string* bad) {
    auto parse = [bad](const std::string& text, double& value) {
        if (ParseShownNumber(text, value))
            return true;
        if (bad != nullptr)
            *bad = text;
        return false;
    };
    for (TestRow& row : run.rows)
        if (!parse(row.timeText, row.time) || !parse(row.markText, row.mark))
            return false;
    return parse(run.totalTimeText, run.totalTime) && parse(run.totalMarkText, run.totalMark) &&
           parse(run.averageMarkText, run.averageMark);
}

std::string FormatTable(const Report& report) {
    std::string out;
    out += "Processor : " + report.processor + "\n";
    out += "Video     : " + report.video + "\n";
    out += "Platform  : " + report.platform + "\n";
    out += "Loop count: " +
           (report.loopSetting.empty() ? std::string("default (no VelkoraLoop in the data file)")
                                       : report.loopSetting + " (VelkoraLoop in the data file)") +
           "\n";
    const bool rounds = AnyRounds(report);
    if (rounds)
        out += "Rounds    : " +
               (report.roundsSetting.empty()
                    ? std::string("default (no VelkoraRounds in the data file)")
                    : report.roundsSetting + " (VelkoraRounds in the data file)") +
               "\n";
    out += report.startAllPresses == 0
               ? std::string("START ALL not pressed: the list as shown after start-up\n\n")
               : "START ALL pressed " + std::to_string(report.startAllPresses) + " time" +
                     (report.startAllPresses == 1 ? "" : "s") + "\n\n";

    const bool several = report.runs.size() > 1;
    const std::string roundHeadings = PadLeft(several ? "rounds" : "ROUNDS", kRoundsWidth) +
                                      PadLeft(several ? "range" : "RANGE(sec)", kRangeWidth) +
                                      PadLeft(several ? "spread" : "SPREAD", kNumberWidth);
    if (several) {
        out += PadRight("", kNameWidth) + PadRight("  TIME(sec)", 3 * kNumberWidth) +
               (rounds ? PadRight("  VELKORA", 4 * kNumberWidth + 2) + "  ROUNDS (range in sec)"
                       : std::string("  VELKORA")) +
               "\n";
        out += PadRight("MARK NAME", kNameWidth);
        for (const char* heading : {"median", "min", "max", "median", "min", "max", "spread"})
            out += PadLeft(heading, kNumberWidth);
        out += (rounds ? "  " + roundHeadings : std::string()) + "\n";
    } else {
        out += PadRight("MARK NAME", kNameWidth) + PadLeft("TIME(sec)", kNumberWidth) +
               PadLeft("VELKORA", kNumberWidth) + (rounds ? roundHeadings : std::string()) + "\n";
    }

    auto line = [&](const std::string& name, const std::vector<double>& times,
                    const std::vector<double>& marks, const std::string& roundCells) {
        std::string text = PadRight(name, kNameWidth);
        if (several) {
            const Spread t = SpreadOf(times), m = SpreadOf(marks);
            for (double v : {t.median, t.min, t.max})
                text += PadLeft(times.empty() ? "" : TimeText(v), kNumberWidth);
            for (double v : {m.median, m.min, m.max})
                text += PadLeft(MarkText(v), kNumberWidth);
            // The mark keeps its two places when the rounds columns follow.
            const std::string unsteady = Unsteady(t) ? " !" : "";
            if (!times.empty())
                text += PadLeft(SpreadText(t), kNumberWidth) +
                        (roundCells.empty() ? unsteady : PadRight(unsteady, 2));
        } else {
            text += PadLeft(times.empty() ? "" : TimeText(times[0]), kNumberWidth);
            text += PadLeft(marks.empty() ? "" : MarkText(marks[0]), kNumberWidth);
        }
        return text + roundCells + "\n";
    };
    for (size_t row = 0; row < RowCount(report); ++row) {
        const std::vector<double> times = Column(report, static_cast<int>(row), 0);
        out += line(RowName(report, row), times, Column(report, static_cast<int>(row), 1),
                    rounds ? RoundCells(report, row, SpreadOf(times).median) : std::string());
    }
    out += line("OVER ALL", Column(report, -1, 0), Column(report, -1, 1), std::string());
    out += line("AVERAGE MARK", {}, Column(report, -1, 2), std::string());
    const std::string mark =
        "! above " + Format("%.0f", kSteadySpread * 100) + " %: not to be trusted blindly\n";
    if (several)
        out += "spread = (max - min) / median of the times; " + mark;
    if (rounds)
        out += several ? "round spread = (slowest - fastest round of every run) / median time; "
                         "! likewise\n"
                       : "round spread = (slowest - fastest round) / time; " + mark;

    out += LaterRoundsLines(report);
    out += RunsSection(report);
    out += "\n" + StartupLine(report.startup);
    out += "Data file: " + report.dataFilePath + "\n";
    return out;
}

std::string FormatJson(const Report& report) {
    std::string out = "{\n";
    out += "  \"exe\": " + StringJson(report.exePath) + ",\n";
    out += "  \"dataFile\": " + StringJson(report.dataFilePath) + ",\n";
    out += "  \"loopSetting\": " +
           (report.loopSetting.empty() ? std::string("null") : StringJson(report.loopSetting)) +
           ",\n";
    out += "  \"roundsSetting\": " +
           (report.roundsSetting.empty() ? std::string("null") : StringJson(report.roundsSetting)) +
           ",\n";
    out += "  \"processor\": " + StringJson(report.processor) + ",\n";
    out += "  \"video\": " + StringJson(report.video) + ",\n";
    out += "  \"platform\": " + StringJson(report.platform) + ",\n";
    out +=
        "  \"screenshot\": " +
        (report.screenshotPath.empty() ? std::string("null") : StringJson(report.screenshotPath)) +
        ",\n";
    auto ms = [](double value) { return value < 0 ? std::string("null") : JsonNumber(value); };
    out += "  \"startupMs\": {\"splashToMainWindow\": " + ms(report.startup.splashToMainWindow) +
           ", \"mainWindowToTitle\": " + ms(report.startup.mainWindowToTitle) +
           ", \"mainWindowToList\": " + ms(report.startup.mainWindowToList) + "},\n";
    out += "  \"startAllPresses\": " + std::to_string(report.startAllPresses) + ",\n";

    out += "  \"conditions\": {\"warmupRuns\": " + std::to_string(report.warmups.size()) +
           ", \"steadySpread\": " + JsonNumber(kSteadySpread) +
           ", \"busyCoresLimit\": " + JsonNumber(kBusyCoresLimit) +
           ", \"objectCountSource\": " + StringJson(report.objectCountSource) + ", \"set\": [";
    for (size_t i = 0; i < report.conditions.size(); ++i)
        out += (i == 0 ? "" : ", ") + StringJson(report.conditions[i]);
    out += "]},\n";
    for (const auto& group :
         {std::make_pair("warmupRuns", &report.warmups), std::make_pair("runs", &report.runs)}) {
        out += std::string("  \"") + group.first + "\": [";
        for (size_t r = 0; r < group.second->size(); ++r)
            out += (r == 0 ? "\n    " : ",\n    ") + RunJson((*group.second)[r]);
        out += "],\n";
    }

    out += "  \"summary\": {\"runs\": " + std::to_string(report.runs.size()) + ", \"tests\": [";
    for (size_t row = 0; row < RowCount(report); ++row) {
        out += row == 0 ? "\n" : ",\n";
        out += "    {\"name\": " + StringJson(RowName(report, row)) +
               ", \"time\": " + TimeSpreadJson(SpreadOf(Column(report, static_cast<int>(row), 0))) +
               ", \"mark\": " + SpreadJson(SpreadOf(Column(report, static_cast<int>(row), 1))) +
               "}";
    }
    out += "],\n    \"totalTime\": " + TimeSpreadJson(SpreadOf(Column(report, -1, 0))) +
           ",\n    \"totalMark\": " + SpreadJson(SpreadOf(Column(report, -1, 1))) +
           ",\n    \"averageMark\": " + SpreadJson(SpreadOf(Column(report, -1, 2))) + "}\n}\n";
    return out;
}

std::string FormatCsv(const Report& report) {
    std::string out =
        "record,test,time_s,mark,rounds,fastest_s,slowest_s,round_spread,later_rounds";
    for (int r = 1; r <= kMaxRounds; ++r)
        out += ",round" + std::to_string(r) + "_s";
    out += "\n";
    const std::string none = NoRoundFields();
    auto line = [&out, &none](const std::string& record, const std::string& test,
                              const std::string& time, const std::string& mark,
                              const std::string& rounds = std::string()) {
        out += CsvField(record) + "," + CsvField(test) + "," + time + "," + mark + "," +
               (rounds.empty() ? none : rounds) + "\n";
    };
    for (size_t r = 0; r < report.runs.size(); ++r) {
        const RunResult& run = report.runs[r];
        const std::string record = std::to_string(r + 1);
        for (const TestRow& row : run.rows)
            line(record, row.name, TimeText(row.time), MarkText(row.mark), RoundFields(row));
        line(record, "OVER ALL", TimeText(run.totalTime), MarkText(run.totalMark));
        line(record, "AVERAGE", "", MarkText(run.averageMark));
    }
    struct Statistic {
        const char* name;
        double Spread::*member;
    } statistics[] = {{"median", &Spread::median}, {"min", &Spread::min}, {"max", &Spread::max}};
    for (const Statistic& s : statistics) {
        for (size_t row = 0; row < RowCount(report); ++row)
            line(s.name, RowName(report, row),
                 TimeText(SpreadOf(Column(report, static_cast<int>(row), 0)).*s.member),
                 MarkText(SpreadOf(Column(report, static_cast<int>(row), 1)).*s.member));
        line(s.name, "OVER ALL", TimeText(SpreadOf(Column(report, -1, 0)).*s.member),
             MarkText(SpreadOf(Column(report, -1, 1)).*s.member));
        line(s.name, "AVERAGE", "", MarkText(SpreadOf(Column(report, -1, 2)).*s.member));
    }
    return out;
}

std::string JsonEscape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

std::string CsvField(const std::string& text) {
    return compare::CsvField(text);
}

}  // namespace e2e
