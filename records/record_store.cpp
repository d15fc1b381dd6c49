#include "records/record_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_sections.h"

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

// Copies the three sections of record from of source to record to of file
// whole, line for line: a section the source lacks is removed at the
// target, so the record reads the same as it did and nothing of an older
// record shows through.
void CopyRecord(const IniFile& source, int32_t from, IniFile& file, int32_t to) {
    file.CopySection(source, SystemSectionName(from), SystemSectionName(to));
    file.CopySection(source, ProcessorSectionName(from), ProcessorSectionName(to));
    file.CopySection(source, TimingSectionName(from), TimingSectionName(to));
}

void RemoveRecord(IniFile& file, int32_t n) {
    file.RemoveSection(SystemSectionName(n));
    file.RemoveSection(ProcessorSectionName(n));
    file.RemoveSection(TimingSectionName(n));
}

}  // namespace

std::vector<int32_t> PresentRecords(const IniFile& file, int32_t from, int32_t to) {
    std::vector<int32_t> present;
    file.VisitSectionNames([&](std::string_view name) {
        const int32_t n = RecordNumberOf(name);
        if (n >= from && n <= to)
            present.push_back(n);
    });
    std::sort(present.begin(), present.end());
    present.erase(std::unique(present.begin(), present.end()), present.end());
    return present;
}

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

std::vector<int32_t> StoredRecordNumbers(const IniFile& file) {
    return PresentRecords(file, 1, ReadOptions(file).recordCount);
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
    // Record o + 1 moves to o for o = k..count - 1, and a missing one moves
    // as a gap: o loses its sections. Only records that are there need any
    // work; going up keeps each one until it has been moved.
    const std::vector<int32_t> present = PresentRecords(file, k, count);
    for (size_t i = 0; i < present.size(); ++i) {
        const int32_t p = present[i];
        if (p > k)
            CopyRecord(file, p, file, p - 1);
        // The highest record's sections go too: nothing of a deleted record
        // stays in the file beyond the count.
        const bool nextPresent = i + 1 < present.size() && present[i + 1] == p + 1;
        if (!nextPresent)
            RemoveRecord(file, p);
    }
    // Deleting the last record may leave a gap at the end: the count then
    // ends at the last record that is there.
    const int32_t left = TrustedRecordCount(file, count - 1);
    WriteRecordCount(file, left);
    return left;
}

std::vector<std::string> ImportRecords(const IniFile& source, IniFile& file, int32_t& count) {
    std::vector<std::string> names;
    // Only the records really there; the file's gaps are closed up.
    for (int32_t n : StoredRecordNumbers(source)) {
        ++count;
        CopyRecord(source, n, file, count);
        names.push_back(file.GetString(SystemSectionName(count), "SystemName", ""));
    }
    if (!names.empty())
        WriteRecordCount(file, count);
    return names;
}

}  // namespace records
