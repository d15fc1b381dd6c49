// record_gaps_benchmark: what a gap in the record numbers costs the record
// operations, natively. Times are milliseconds per operation, the operation
// alone (the file is parsed before each run).
// - Deleting record 1 of 20 records, numbered 1..20 or with a gap of 10000
//   numbers in the middle (1..10 and 10011..10020).
// - Importing a file that claims 99999 records and holds one empty section
//   into a file of 3 records.
//
// Usage: build/native/record_gaps_benchmark [runs]   (default 200)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_store.h"

namespace {

using records::IniFile;

std::string FileOf(int first, int last, int gap) {
    IniFile file;
    records::Record record;
    for (int n = first; n <= last; ++n) {
        const int number = n > last / 2 ? n + gap : n;
        record.system.SystemName = "Record " + std::to_string(n);
        record.timing.m_fTime[0] = static_cast<float>(n);
        record.Save(file, number);
    }
    records::WriteRecordCount(file, last + gap);
    return file.Render();
}

// The mean time of operation over runs fresh parses of bytes.
double MillisecondsPer(const std::string& bytes, int runs,
                       const std::function<void(IniFile&)>& operation) {
    std::chrono::steady_clock::duration total{};
    for (int i = 0; i < runs; ++i) {
        IniFile file;
        file.Parse(bytes);
        const auto start = std::chrono::steady_clock::now();
        operation(file);
        total += std::chrono::steady_clock::now() - start;
    }
    return std::chrono::duration<double, std::milli>(total).count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const std::string plain = FileOf(1, 20, 0), gapped = FileOf(1, 20, 10000);
    auto deleteFirst = [](IniFile& file) {
        records::DeleteRecord(file, records::StoredRecordCount(file), 1);
    };
    std::printf("delete record 1 of 20 records:             %8.3f ms\n",
                MillisecondsPer(plain, runs, deleteFirst));
    std::printf("delete record 1 of 20 with a 10000 gap:    %8.3f ms\n",
                MillisecondsPer(gapped, runs, deleteFirst));

    IniFile claim;
    claim.Parse("[VelkoraDataFile]\nVelkoraDataNum=99999\n[SystemInfo-DATA99999]");
    auto importClaim = [&claim](IniFile& file) {
        int32_t count = records::StoredRecordCount(file);
        records::ImportRecords(claim, file, count);
    };
    const std::string three = FileOf(1, 3, 0);
    IniFile grown;
    grown.Parse(three);
    importClaim(grown);
    std::printf("import of a 99999-record claim into 3:     %8.3f ms (file grows %zu bytes)\n",
                MillisecondsPer(three, runs, importClaim), grown.Render().size() - three.size());
    return 0;
}
