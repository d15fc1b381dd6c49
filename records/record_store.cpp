#include "records/record_store.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"

namespace records {

namespace {

// The record number a section name stands for, or -1: one of the three
// record prefixes (in any case, as names are matched) and the digits the
// section name of that number has ("007", "1000"; never "7" or "0007").
int32_t RecordNumberOf(std::string_view name) {
    static const char* const kPrefixes[] = {"SystemInfo-DATA", "InfoCPU-DATA", "Velkora-DATA"};
    for (const char* prefix : kPrefixes) {
        const size_t length = std::strlen(prefix);
        if (name.size() <= length || name.size() > length + 10)
            continue;
        bool same = true;
        for (size_t i = 0; i < length && same; ++i)
            same = std::toupper(static_cast<unsigned char>(name[i])) ==
                   std::toupper(static_cast<unsigned char>(prefix[i]));
        if (!same)
            continue;
        const std::string_view digits = name.substr(length);
        int64_t n = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return -1;
            n = n * 10 + (c - '0');
        }
        char canonical[16];
        if (n > INT32_MAX)
            return -1;
        std::snprintf(canonical, sizeof canonical, "%03d", static_cast<int>(n));
        if (digits != canonical)
            return -1;
        return static_cast<int32_t>(n);
    }
    return -1;
}

void CopyThrough(const IniFile& source, int32_t from, IniFile& target, int32_t to,
                 Record& through) {
    through.Load(source, from);
    through.Save(target, to);
}

}  // namespace

int32_t TrustedRecordCount(const IniFile& file, int32_t claimed) {
    int32_t highest = 0;
    file.VisitSectionNames([&](std::string_view name) {
        const int32_t n = RecordNumberOf(name);
        if (n > highest && n <= claimed)
            highest = n;
    });
    return highest;
}

int32_t StoredRecordCount(const IniFile& file) {
    return TrustedRecordCount(file, ReadOptions(file).recordCount);
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

int32_t AddRecord(IniFile& file, int32_t count, const Record& record) {
    const int32_t n = count + 1;
    record.Save(file, n);
    WriteRecordCount(file, n);
    return n;
}

int32_t DeleteRecord(IniFile& file, int32_t count, int32_t k) {
    if (k < 1 || k > count)
        return count;
    Record through;
    for (int32_t o = k; o < count; ++o)
        CopyThrough(file, o + 1, file, o, through);
    // Deleting the last record may leave a gap at the end: the count then
    // ends at the last record that is there.
    const int32_t left = TrustedRecordCount(file, count - 1);
    WriteRecordCount(file, left);
    return left;
}

std::vector<std::string> ImportRecords(const IniFile& source, IniFile& file, int32_t& count) {
    std::vector<std::string> names;
    Record through;
    const int32_t m = StoredRecordCount(source);
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
