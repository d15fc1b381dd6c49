// The system section of a record: CSysInfo's part of the data file.
#include <cstdio>

#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "sysinfo/sys_info.h"

namespace {
const char* const kTextKeys[] = {"SystemName",   "UserName",  "PCName",
                                 "PlatformInfo", "VideoCard", "Date"};

std::string Unsigned(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    return text;
}
}  // namespace

namespace records {

void LoadSection(const IniFile& file, int n, CSysInfo& system) {
    const std::string section = SystemSectionName(n);
    std::string* texts[] = {&system.SystemName,   &system.UserName,  &system.PCName,
                            &system.PlatformInfo, &system.VideoCard, &system.Date};
    for (size_t i = 0; i < 6; ++i)
        *texts[i] = file.GetString(section, kTextKeys[i], "");
    system.MEMO = file.GetString(section, "MEMO", "");
    DecodeMemo(system.MEMO);
    system.Setting = file.GetInt(section, "Setting", 0);
    system.PlatformID = static_cast<int32_t>(file.GetInt(section, "PlatformID", 1));
}

void SaveSection(IniFile& file, int n, const CSysInfo& system) {
    const std::string section = SystemSectionName(n);
    const std::string* texts[] = {&system.SystemName,   &system.UserName,  &system.PCName,
                                  &system.PlatformInfo, &system.VideoCard, &system.Date};
    for (size_t i = 0; i < 6; ++i)
        file.SetString(section, kTextKeys[i], *texts[i]);
    std::string memo = system.MEMO;
    EncodeMemo(memo);
    file.SetString(section, "MEMO", memo);
    file.SetString(section, "Setting", Unsigned(system.Setting));
    file.SetString(section, "PlatformID", Unsigned(static_cast<uint32_t>(system.PlatformID)));
}

void AppendSectionText(std::string& text, const CSysInfo& system) {
    std::string memo = system.MEMO;
    EncodeMemo(memo);
    // PlatformID follows PlatformInfo and Setting comes last in the text.
    const std::pair<const char*, std::string> lines[] = {
        {"SystemName", system.SystemName},
        {"UserName", system.UserName},
        {"PCName", system.PCName},
        {"PlatformInfo", system.PlatformInfo},
        {"PlatformID", Unsigned(static_cast<uint32_t>(system.PlatformID))},
        {"VideoCard", system.VideoCard},
        {"Date", system.Date},
        {"MEMO", memo},
        {"Setting", Unsigned(system.Setting)},
    };
    text += "[SystemInfo-DATA001]\r\n";
    for (const auto& line : lines) {
        text += '\t';
        text += line.first;
        text += " = ";
        text += line.second;
        text += "\r\n";
    }
    text += "\r\n";
}

}  // namespace records
