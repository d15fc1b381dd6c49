#include "tools/compare/compare_args.h"

#include <algorithm>

#include "compare/comparison.h"

namespace compare_tool {

namespace {

// A whole number from 1 to 999999999, digits only.
bool ParseCount(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9)
        return false;
    value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    return value > 0;
}

// "1 record", "2 records".
std::string Counted(int count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool OutputFormat(const std::string& option, Format& format) {
    if (option == "--markdown")
        format = Format::kMarkdown;
    else if (option == "--csv")
        format = Format::kCsv;
    else if (option == "--html")
        format = Format::kHtml;
    else
        return false;
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// One item of a record list as positions; false with the reason.
bool PickItem(const std::string& item, const std::vector<int32_t>& counts, int total,
              std::vector<int>& positions, std::string& error) {
    const size_t colon = item.find(':');
    const size_t dash = item.find('-');
    int first = 0, last = 0;
    if (colon != std::string::npos) {
        int file = 0, number = 0;
        if (!ParseCount(item.substr(0, colon), file) ||
            !ParseCount(item.substr(colon + 1), number)) {
            error = "\"" + item + "\" is not FILE:N with two whole numbers from 1";
            return false;
        }
        if (file > static_cast<int>(counts.size())) {
            error =
                "\"" + item + "\": " + Counted(static_cast<int>(counts.size()), "file") + " given";
            return false;
        }
        if (number > counts[file - 1]) {
            error = "\"" + item + "\": file " + std::to_string(file) + " holds " +
                    Counted(counts[file - 1], "record");
            return false;
        }
        int offset = 0;
        for (int f = 0; f + 1 < file; ++f)
            offset += counts[f];
        first = last = offset + number;
    } else if (dash != std::string::npos) {
        if (!ParseCount(item.substr(0, dash), first) || !ParseCount(item.substr(dash + 1), last) ||
            last < first) {
            error = "\"" + item + "\" is not a range A-B of record positions with A <= B";
            return false;
        }
    } else if (!ParseCount(item, first)) {
        error = "\"" + item + "\" is not a record position (a whole number from 1)";
        return false;
    } else {
        last = first;
    }
    if (last > total) {
        error = "\"" + item + "\": the files hold " + Counted(total, "record");
        return false;
    }
    for (int p = first; p <= last; ++p)
        positions.push_back(p - 1);
    return true;
}

}  // namespace

bool ParseCompareArgs(const std::vector<std::string>& args, CompareArgs& out, std::string& error) {
    out = CompareArgs();
    bool haveRecords = false, haveBaseline = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out.help = true;
            return true;
        }
        if (arg.empty() || arg[0] != '-') {
            out.files.push_back(arg);
            continue;
        }
        Format format = Format::kMarkdown;
        const bool isOutput = OutputFormat(arg, format);
        if (!isOutput && arg != "--records" && arg != "--baseline") {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (isOutput) {
            if (value.empty()) {
                error = arg + " needs a file name (\"-\" for the standard output)";
                return false;
            }
            out.outputs.push_back(Output{format, value});
        } else if (arg == "--records") {
            if (haveRecords || value.empty()) {
                error = haveRecords ? "--records is given twice" : "--records needs a list";
                return false;
            }
            haveRecords = true;
            out.records = value;
        } else {
            int number = 0;
            if (haveBaseline) {
                error = "--baseline is given twice";
                return false;
            }
            haveBaseline = true;
            if (value == "reference") {
                out.baseline = compare::kReferenceBaseline;
            } else if (ParseCount(value, number) && number <= compare::kMaxChosen) {
                out.baseline = number - 1;
            } else {
                error = "--baseline needs a record from 1 to " +
                        std::to_string(compare::kMaxChosen) + " or \"reference\", not \"" + value +
                        "\"";
                return false;
            }
        }
    }
    if (out.files.empty()) {
        error = "no data file given";
        return false;
    }
    return true;
}

bool PickRecords(const std::string& list, const std::vector<int32_t>& counts,
                 std::vector<int>& picks, std::string& error) {
    picks.clear();
    int total = 0;
    for (int32_t count : counts)
        total += count;
    if (list.empty()) {
        for (int p = 0; p < total; ++p)
            picks.push_back(p);
        return true;
    }
    for (const std::string& item : Split(list, ',')) {
        std::vector<int> positions;
        if (!PickItem(item, counts, total, positions, error))
            return false;
        for (int p : positions) {
            if (std::find(picks.begin(), picks.end(), p) != picks.end()) {
                error = "record " + std::to_string(p + 1) + " is chosen twice";
                return false;
            }
            picks.push_back(p);
        }
    }
    return true;
}

bool ResolveBaseline(int baseline, int chosen, int& index, std::string& error) {
    if (baseline == kDefaultBaseline) {
        index = chosen > 1 ? 0 : compare::kReferenceBaseline;
        return true;
    }
    if (baseline >= chosen) {
        error = "--baseline " + std::to_string(baseline + 1) + ": only " +
                Counted(chosen, "record") + (chosen == 1 ? " is" : " are") + " chosen";
        return false;
    }
    index = baseline;
    return true;
}

std::string CompareUsage() {
    return "usage: velkora-compare FILE.vlk... [--records LIST] [--baseline N|reference]\n"
           "                       [--markdown OUT] [--csv OUT] [--html OUT]\n"
           "\n"
           "Compares stored records of Velkora data files side by side: each test's mark and\n"
           "speed ratio against a baseline, which differences exceed the noise, and the\n"
           "summaries over the tests every record has. The data files are only read.\n"
           "\n"
           "  --records LIST     the records to compare, at most 8, separated by commas:\n"
           "                     N    the N-th record of all the files' records in order\n"
           "                          (the first file's records 1..n, then the second's, ...)\n"
           "                     A-B  the records from A to B of that list\n"
           "                     F:N  record N of the F-th file given\n"
           "                     e.g. --records 1,3,12   --records 1-4   --records 1:2,2:7\n"
           "                     Default: every record, when the files hold at most 8\n"
           "  --baseline N       the N-th chosen record is the baseline (default: the first,\n"
           "                     or the reference machine when only one record is chosen)\n"
           "  --baseline reference\n"
           "                     compare every record with the built-in reference machine\n"
           "  --markdown OUT     write the comparison as a Markdown table to OUT\n"
           "  --csv OUT          write it as CSV, every figure unrounded\n"
           "  --html OUT         write it as one HTML page with a chart\n"
           "                     OUT \"-\" is the standard output; these may be combined.\n"
           "                     Without any, the Markdown table goes to the standard output.\n"
           "\n"
           "Files without a byte-order mark are read as code page 932 (Japanese Windows).\n"
           "Exit status: 0, or 2 with a message when an argument or a file is wrong or an\n"
           "output cannot be written.\n";
}

}  // namespace compare_tool
