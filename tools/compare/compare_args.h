// velkora-compare's command line (see CompareUsage for what a user reads):
//
//   velkora-compare FILE.vlk... [--records LIST] [--baseline N|reference]
//       [--markdown OUT] [--csv OUT] [--html OUT]
//
// Parsing knows nothing of the files; the record list and the baseline are
// checked against them once they are read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace compare_tool {

enum class Format { kMarkdown, kCsv, kHtml };

struct Output {
    Format format = Format::kMarkdown;
    std::string path;  // "-" is the standard output
};

// --baseline not given: the first chosen record, or the reference machine
// when only one record is chosen.
constexpr int kDefaultBaseline = -2;

struct CompareArgs {
    bool help = false;
    std::vector<std::string> files;
    std::string records;              // LIST as given; empty: every record
    int baseline = kDefaultBaseline;  // 0-based among the chosen, or
                                      // compare::kReferenceBaseline
    std::vector<Output> outputs;      // none given: Markdown to stdout
};

// args excludes the program name. False with a one-line reason in error.
bool ParseCompareArgs(const std::vector<std::string>& args, CompareArgs& out, std::string& error);

// The positions (0-based, in the concatenated list of every file's records)
// that LIST names, in its order. counts holds each file's record count.
// LIST is comma-separated items: N (the N-th record of all files), A-B
// (those from A to B), F:N (record N of the F-th file). An empty LIST
// names every record. A position named twice is refused.
bool PickRecords(const std::string& list, const std::vector<int32_t>& counts,
                 std::vector<int>& picks, std::string& error);

// The baseline for compare::Compare among `chosen` records.
bool ResolveBaseline(int baseline, int chosen, int& index, std::string& error);

std::string CompareUsage();

}  // namespace compare_tool
