#include "records/data_file.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "records/ini_store.h"
#include "records/record_store.h"

namespace records {

namespace {

std::string RecordSectionName(const char* prefix, int record) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%03d", prefix, record);
    return name;
}

void ReplacePair(std::string& text, char first, char second, char newFirst, char newSecond) {
    if (text.size() < 2)
        return;
    size_t i = 0;
    while (i < text.size() - 1) {
        if (text[i] == first && text[i + 1] == second) {
            text[i] = newFirst;
            text[i + 1] = newSecond;
            i += 2;
        } else {
            i += 1;
        }
    }
}

}  // namespace

std::string SystemSectionName(int record) {
    return RecordSectionName("SystemInfo-DATA", record);
}

std::string ProcessorSectionName(int record) {
    return RecordSectionName("InfoCPU-DATA", record);
}

std::string TimingSectionName(int record) {
    return RecordSectionName("Velkora-DATA", record);
}

DataFileOptions ReadOptions(const IniFile& file) {
    DataFileOptions options;
    options.recordCount = static_cast<int32_t>(
        file.GetInt(kOptionsSection, kRecordCountKey, static_cast<uint32_t>(kDefaultRecordCount)));
    options.loop = static_cast<int32_t>(
        file.GetInt(kOptionsSection, kLoopKey, static_cast<uint32_t>(bench::kDefaultLoop)));
    options.graphMax = static_cast<int32_t>(
        file.GetInt(kOptionsSection, kGraphKey, static_cast<uint32_t>(kDefaultGraphMax)));
    options.rounds = static_cast<int32_t>(
        file.GetInt(kOptionsSection, kRoundsKey, static_cast<uint32_t>(kDefaultRounds)));
    return options;
}

void WriteRecordCount(IniFile& file, int32_t count) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(count));
    file.SetString(kOptionsSection, kRecordCountKey, text);
}

void WriteLoopAndGraph(IniFile& file, const std::string& loop, const std::string& graphMax) {
    file.SetString(kOptionsSection, kLoopKey, loop);
    file.SetString(kOptionsSection, kGraphKey, graphMax);
}

void WriteRounds(IniFile& file, const std::string& rounds) {
    file.SetString(kOptionsSection, kRoundsKey, rounds);
}

std::vector<StoredName> ReadSystemNames(const IniFile& file, int32_t count) {
    std::vector<StoredName> names;
    for (int32_t n : PresentRecords(file, 1, count))
        names.push_back({n, file.GetString(SystemSectionName(n), "SystemName", "")});
    return names;
}

int CountSystemNames(const IniFile& file, int32_t count, const std::string& prefix) {
    int matches = 0;
    for (int32_t n : PresentRecords(file, 1, count)) {
        const std::string name = file.GetString(SystemSectionName(n), "SystemName", "");
        if (name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            ++matches;
    }
    return matches;
}

FilePath DataFilePath(const FilePath& executablePath) {
    size_t nameStart = 0, dot = FilePath::npos;
    for (size_t i = 0; i < executablePath.size(); ++i) {
        const auto c = executablePath[i];
        if (c == '\\' || c == '/' || c == ':') {
            nameStart = i + 1;
            dot = FilePath::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
    const FilePath extension = {'v', 'l', 'k'};
    if (dot == FilePath::npos || dot < nameStart)
        return executablePath + FilePath(1, '.') + extension;
    return executablePath.substr(0, dot + 1) + extension;
}

void EncodeMemo(std::string& memo) {
    ReplacePair(memo, '\r', '\n', ':', ';');
}

void DecodeMemo(std::string& memo) {
    ReplacePair(memo, ':', ';', '\r', '\n');
}

void AppendHeaderText(std::string& text) {
    text += kHeaderText;
}

float NarrowToFloat(double value) {
    if (std::isnan(value))
        return NAN;
    if (value > FLT_MAX)
        return INFINITY;
    if (value < -FLT_MAX)
        return -INFINITY;
    return static_cast<float>(value);
}

}  // namespace records
