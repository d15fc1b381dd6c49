// libFuzzer target for the record operations over a damaged data file.
//
// The input is a data file, a second file to import, and a script of
// operations: add, delete, import, save (render, then read back as the next
// operation would load it) and revert to the last save. The record count of
// every operation is the file's own, as the main window takes it. Checked
// after each operation:
// - a save reads back identical to what was written;
// - no record present before an operation disappears, except the one
//   deleted, and records keep their order and names;
// - a count the operation wrote never exceeds the highest record present.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

using records::IniFile;

using fuzz::Blank;
using fuzz::Check;

// What a name becomes once read and written any number of times: reading
// trims blanks and takes one pair of quotes off, so a record moved through
// the objects may lose them; it keeps this form.
std::string Settled(std::string name) {
    for (;;) {
        size_t b = 0, e = name.size();
        while (b < e && Blank(name[b]))
            ++b;
        while (e > b && Blank(name[e - 1]))
            --e;
        std::string next = name.substr(b, e - b);
        if (next.size() >= 2 && (next[0] == '"' || next[0] == '\'') && next.back() == next[0])
            next = next.substr(1, next.size() - 2);
        if (next == name)
            return name;
        name = next;
    }
}

// A record as the file holds it: its settled name, and whether any of its
// three sections is there (a record in a gap reads as an empty one).
struct Record {
    std::string name;
    bool present;
    bool operator==(const Record& other) const {
        return name == other.name && present == other.present;
    }
};

Record ReadRecord(const IniFile& file, int32_t n) {
    return {Settled(file.GetString(records::SystemSectionName(n), "SystemName", "")),
            file.HasSection(records::SystemSectionName(n)) ||
                file.HasSection(records::ProcessorSectionName(n)) ||
                file.HasSection(records::TimingSectionName(n))};
}

std::vector<Record> Records(const IniFile& file) {
    std::vector<Record> all;
    for (int32_t n = 1, count = records::StoredRecordCount(file); n <= count; ++n)
        all.push_back(ReadRecord(file, n));
    return all;
}

void CheckCountWritten(const IniFile& file) {
    Check(records::ReadOptions(file).recordCount == records::StoredRecordCount(file),
          "the count written does not exceed the highest record present");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::string saved = in.ConsumeRandomLengthString(4096);
    const std::string dropped = in.ConsumeRandomLengthString(2048);

    auto file = std::make_unique<IniFile>();
    file->Parse(saved);
    IniFile source;
    source.Parse(dropped);
    std::vector<Record> model = Records(*file), savedModel = model;

    CCpuInfo cpu;
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 32) {
        const int32_t count = records::StoredRecordCount(*file);
        switch (in.ConsumeIntegralInRange(0, 4)) {
            case 0: {
                CSysInfo added;
                added.SystemName = in.ConsumeRandomLengthString(40);
                CMarkResult addedTimes;
                addedTimes.m_fTime[0] = 1.5f;
                Check(records::AddRecord(*file, count, {added, cpu, addedTimes}) == count + 1,
                      "an add stores one record after the others");
                model.push_back(ReadRecord(*file, count + 1));
                CheckCountWritten(*file);
                break;
            }
            case 1: {
                const int32_t k = in.ConsumeIntegralInRange<int32_t>(-1, count + 1);
                const int32_t left = records::DeleteRecord(*file, count, k);
                if (k >= 1 && k <= count) {
                    // The records above move down, a missing one as a gap.
                    model.erase(model.begin() + (k - 1));
                    // Records missing at the end go with it.
                    while (!model.empty() && !model.back().present)
                        model.pop_back();
                    Check(left == static_cast<int32_t>(model.size()),
                          "a delete removes one record");
                    CheckCountWritten(*file);
                } else {
                    Check(left == count, "a delete outside the records changes nothing");
                }
                break;
            }
            case 2: {
                int32_t after = count;
                const std::vector<std::string> names = records::ImportRecords(source, *file, after);
                Check(after == count + static_cast<int32_t>(names.size()),
                      "an import counts what it appends");
                for (size_t i = 0; i < names.size(); ++i) {
                    const Record added = ReadRecord(*file, count + 1 + static_cast<int32_t>(i));
                    // A Unicode file holds a name's bytes only as far as the
                    // code page has characters for them.
                    if (file->GetEncoding() == IniFile::Encoding::kAnsi)
                        Check(added.name == Settled(names[i]), "an import keeps the names");
                    model.push_back(added);
                }
                if (!names.empty())
                    CheckCountWritten(*file);
                break;
            }
            case 3: {
                // A save, and the next operation's load of what it wrote.
                saved = file->Render();
                file = std::make_unique<IniFile>();
                file->Parse(saved);
                Check(file->Render() == saved, "a saved file reads back identical");
                savedModel = model;
                break;
            }
            case 4:
                // A failed save: the store goes back to what the file holds.
                file->Revert();
                Check(file->Render() == saved, "a revert brings back the saved bytes");
                model = savedModel;
                break;
        }
        Check(Records(*file) == model, "no record disappears but the one deleted");
    }
    return 0;
}
