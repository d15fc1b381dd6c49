// velkora-compare: stored records of Velkora data files side by side, as
// Markdown, CSV or HTML. See compare_args.h for the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/exports.h"
#include "records/atomic_file.h"
#include "tools/compare/compare_args.h"
#include "tools/compare/compare_input.h"
#include "tools/compare/cp932_codec.h"

namespace {

constexpr int kBadInput = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "velkora-compare: %s\n", message.c_str());
    return kBadInput;
}

std::string Render(const compare::Comparison& c, compare_tool::Format format) {
    const std::vector<int> order = compare::SortedTests(c, -1);
    switch (format) {
        case compare_tool::Format::kCsv:
            return compare::ToCsv(c);
        case compare_tool::Format::kHtml:
            return compare::ToHtml(c, order);
        case compare_tool::Format::kMarkdown:
            break;
    }
    return compare::ToMarkdown(c, order);
}

bool Write(const std::string& path, const std::string& text, std::string& error) {
    const bool toStdout = path == "-";
    errno = 0;
    std::FILE* file = toStdout ? stdout : std::fopen(path.c_str(), "wb");
    bool ok = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr)
        ok = (toStdout ? std::fflush(file) == 0 : std::fclose(file) == 0) && ok;
    if (!ok)
        error = "cannot write " + (toStdout ? std::string("the standard output") : path) +
                (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
    return ok;
}

int Run(const compare_tool::CompareArgs& args) {
    std::string error;
    const compare_tool::Cp932Codec codec;
    std::vector<compare_tool::DataFile> files(args.files.size());
    std::vector<int32_t> counts;
    for (size_t f = 0; f < files.size(); ++f) {
        if (!compare_tool::ReadDataFile(args.files[f], codec, files[f], error))
            return Fail(error);
        counts.push_back(static_cast<int32_t>(files[f].numbers.size()));
    }
    std::vector<int> picks;
    if (!compare_tool::PickRecords(args.records, counts, picks, error))
        return Fail("--records: " + error);
    if (picks.size() > static_cast<size_t>(compare::kMaxChosen))
        return Fail(std::to_string(picks.size()) + " records are chosen; at most " +
                    std::to_string(compare::kMaxChosen) +
                    " can be compared: choose them with --records (see --help)");
    int baseline = 0;
    if (!compare_tool::ResolveBaseline(args.baseline, static_cast<int>(picks.size()), baseline,
                                       error))
        return Fail(error);
    // A pick counts through every file's records in order.
    std::vector<compare::Entry> chosen;
    for (int p : picks) {
        size_t f = 0;
        for (; static_cast<size_t>(p) >= files[f].numbers.size(); ++f)
            p -= static_cast<int>(files[f].numbers.size());
        chosen.push_back(files[f].Entry(static_cast<size_t>(p), codec));
    }
    const compare::Comparison comparison = compare::Compare(std::move(chosen), baseline);

    std::vector<compare_tool::Output> outputs = args.outputs;
    if (outputs.empty())
        outputs.push_back({compare_tool::Format::kMarkdown, "-"});
    for (const compare_tool::Output& output : outputs)
        for (const std::string& path : args.files)
            if (output.path != "-" && records::IsSameFile(output.path, path))
                return Fail(output.path + " is one of the data files; it is never written");
    for (const compare_tool::Output& output : outputs)
        if (!Write(output.path, Render(comparison, output.format), error))
            return Fail(error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    compare_tool::CompareArgs args;
    std::string error;
    if (!compare_tool::ParseCompareArgs(std::vector<std::string>(argv + 1, argv + argc), args,
                                        error))
        return Fail(error + " (see velkora-compare --help)");
    if (args.help) {
        std::fputs(compare_tool::CompareUsage().c_str(), stdout);
        return 0;
    }
    try {
        return Run(args);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
