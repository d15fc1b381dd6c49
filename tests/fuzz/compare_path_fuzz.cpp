// libFuzzer target for the comparison path: any bytes read as a data file
// from another machine, then its listing, its entries, a comparison of the
// first eight against the first (and against the reference), the summary
// texts and all three exports. Checked on every input:
// - the records listed are those the file holds, in order, each once, and
//   there are never more of them than section headers in the file;
// - nothing crashes, reads past a buffer or runs long (the sanitizers and
//   libFuzzer's timeout see to that), whatever count the file claims;
// - the CSV has no cell that a spreadsheet would read as a formula, the
//   Markdown no '<', '>' or C0 control character other than its line ends,
//   and the HTML no tag but its own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/entry.h"
#include "compare/export_text.h"
#include "compare/exports.h"
#include "framework/text_codec.h"
#include "records/ini_store.h"
#include "records/record_store.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using fuzz::Check;

void CheckCsv(const std::string& csv) {
    bool start = true, quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (start) {
            start = false;
            if (c == '"') {
                quoted = true;
                if (i + 1 < csv.size())
                    Check(std::string("=+@\t\r").find(csv[i + 1]) == std::string::npos,
                          "a quoted CSV cell starts a formula");
                continue;
            }
            Check(std::string("=+@\t").find(c) == std::string::npos, "a CSV cell starts a formula");
        }
        if (quoted) {
            if (c == '"' && (i + 1 >= csv.size() || csv[i + 1] != '"'))
                quoted = false;
            else if (c == '"')
                ++i;
            continue;
        }
        if (c == ',' || c == '\n')
            start = true;
    }
}

void CheckMarkdown(const std::string& markdown) {
    for (char c : markdown) {
        const unsigned char u = static_cast<unsigned char>(c);
        Check(c != '<' && c != '>', "raw '<' or '>' in the Markdown");
        Check(u >= 0x20 || c == '\n', "a control character in the Markdown");
    }
}

void CheckHtml(const std::string& html) {
    for (const char* tag : {"<script", "<img", "<iframe", "<a ", "<object"})
        Check(html.find(tag) == std::string::npos, "a foreign tag in the HTML");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const fw::Utf8Codec codec;
    records::IniFile file(codec);
    file.Parse(bytes);

    size_t headers = 0;
    for (char c : bytes)
        headers += c == '[';
    const std::vector<int32_t> numbers = records::StoredRecordNumbers(file);
    Check(numbers.size() <= headers, "more records than section headers");
    for (size_t i = 1; i < numbers.size(); ++i)
        Check(numbers[i - 1] < numbers[i], "records out of order or twice");
    const std::vector<compare::Listing> rows = compare::ListStoredRecords(file, codec);
    Check(rows.size() == numbers.size(), "the listing and the numbers differ");

    std::vector<compare::Entry> chosen;
    for (size_t i = 0; i < numbers.size() && chosen.size() < compare::kMaxChosen; ++i)
        chosen.push_back(compare::ReadStoredEntry(file, numbers[i], "f.vlk", codec));
    for (int baseline : {0, compare::kReferenceBaseline}) {
        const compare::Comparison c = compare::Compare(chosen, baseline);
        const std::vector<int> order = compare::SortedTests(c, 0);
        for (int col = 0; col < static_cast<int>(c.entries.size()); ++col)
            for (int row = 0; row < compare::kSummaryRowCount; ++row)
                compare::SummaryText(c, col, static_cast<compare::SummaryRow>(row));
        CheckCsv(compare::ToCsv(c));
        CheckMarkdown(compare::ToMarkdown(c, order));
        CheckHtml(compare::ToHtml(c, order));
    }
    return 0;
}
