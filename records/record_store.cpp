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

void CopyThrough(const IniFile& source, int32_t from, IniFile& target, int32_t to,
                 Record& through) {
    through.Load(source, from);
    through.Save(target, to);
}

// Copies record from of source to record to of file one section at a time:
// a section the source lacks is removed at the target instead of written
// as defaults. The record reads the same either way; this way the file
// grows only by what the source holds, and no section left behind beyond
// the count shows through.
void CopyHeldSections(const IniFile& source, int32_t from, IniFile& file, int32_t to,
                      Record& through) {
    through.Load(source, from);
    if (source.HasSection(SystemSectionName(from)))
        SaveSection(file, to, through.system);
    else
        file.RemoveSection(SystemSectionName(to));
    if (source.HasSection(ProcessorSectionName(from)))
        SaveSection(file, to, through.processor);
    else
        file.RemoveSection(ProcessorSectionName(to));
    if (source.HasSection(TimingSectionName(from)))
        SaveSection(file, to, through.timing);
    else
        file.RemoveSection(TimingSectionName(to));
}

// The numbers from..to of the records that have any of their sections, in
// order: one pass over the section names, so a file that claims a huge
// count but holds few sections costs what it holds.
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

void RemoveRecord(IniFile& file, int32_t n) {
    file.RemoveSection(SystemSectionName(n));
    file.RemoveSection(ProcessorSectionName(n));
    file.RemoveSection(TimingSectionName(n));
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
    // Record o + 1 moves to o for o = k..count - 1, and a missing one moves
    // as a gap: o loses its sections. Only records that are there need any
    // work; going up keeps each one until it has been moved.
    const std::vector<int32_t> present = PresentRecords(file, k, count);
    Record through;
    for (size_t i = 0; i < present.size(); ++i) {
        const int32_t p = present[i];
        if (p > k)
            CopyThrough(file, p, file, p - 1, through);
        const bool nextPresent = i + 1 < present.size() && present[i + 1] == p + 1;
        if (p < count && !nextPresent)
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
    Record through;
    // Only the records really there; the file's gaps are closed up.
    for (int32_t n : PresentRecords(source, 1, StoredRecordCount(source))) {
        ++count;
        CopyHeldSections(source, n, file, count, through);
        names.push_back(through.system.SystemName);
    }
    if (!names.empty())
        WriteRecordCount(file, count);
    return names;
}

}  // namespace records
