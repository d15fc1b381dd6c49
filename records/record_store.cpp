#include "records/record_store.h"

#include <cstdio>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "sysinfo/sys_info.h"

namespace records {

namespace {

bool RecordExists(const IniFile& file, int32_t n) {
    return file.HasSection(SystemSectionName(n)) || file.HasSection(ProcessorSectionName(n)) ||
           file.HasSection(TimingSectionName(n));
}

void CopyThrough(const IniFile& source, int32_t from, IniFile& target, int32_t to,
                 const RecordObjects& through) {
    through.system.LoadRecord(source, from);
    through.processor.LoadRecord(source, from);
    through.timing.LoadRecord(source, from);
    through.system.SaveRecord(target, to);
    through.processor.SaveRecord(target, to);
    through.timing.SaveRecord(target, to);
}

}  // namespace

int32_t TrustedRecordCount(const IniFile& file, int32_t claimed) {
    int32_t n = 0;
    while (n < claimed && RecordExists(file, n + 1))
        ++n;
    return n;
}

std::string DefaultRecordName(const IniFile& file, int32_t count, const std::string& summary) {
    std::string name = summary + " System";
    const int existing = CountSystemNames(file, count, name);
    if (existing > 0) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "(%d)", existing + 1);
        name += suffix;
    }
    return name;
}

int32_t AddRecord(IniFile& file, int32_t count, const RecordObjects& record) {
    const int32_t n = count + 1;
    record.system.SaveRecord(file, n);
    record.processor.SaveRecord(file, n);
    record.timing.SaveRecord(file, n);
    WriteRecordCount(file, n);
    return n;
}

int32_t DeleteRecord(IniFile& file, int32_t count, int32_t k, const RecordObjects& through) {
    if (k < 1 || k > count)
        return count;
    for (int32_t o = k; o < count; ++o)
        CopyThrough(file, o + 1, file, o, through);
    WriteRecordCount(file, count - 1);
    return count - 1;
}

std::vector<std::string> ImportRecords(const IniFile& source, IniFile& file, int32_t& count,
                                       const RecordObjects& through) {
    std::vector<std::string> names;
    const int32_t m = TrustedRecordCount(source, ReadOptions(source).recordCount);
    for (int32_t i = 1; i <= m; ++i) {
        ++count;
        CopyThrough(source, i, file, count, through);
        names.push_back(through.system.SystemName);
    }
    if (m > 0)
        WriteRecordCount(file, count);
    return names;
}

}  // namespace records
