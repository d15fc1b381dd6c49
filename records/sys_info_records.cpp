// The system section of a record: CSysInfo's part of the data file.
#include <cstdio>

#include "records/data_file.h"
#include "records/ini_store.h"
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

int CSysInfo::LoadRecord(const records::IniFile& file, int n) {
    const std::string section = records::SystemSectionName(n);
    std::string* texts[] = {&SystemName, &UserName, &PCName, &PlatformInfo, &VideoCard, &Date};
    for (size_t i = 0; i < 6; ++i)
        *texts[i] = file.GetString(section, kTextKeys[i], "");
    MEMO = file.GetString(section, "MEMO", "");
    records::DecodeMemo(MEMO);
    Setting = file.GetInt(section, "Setting", 0);
    PlatformID = static_cast<int32_t>(file.GetInt(section, "PlatformID", 1));
    return 1;
}

int CSysInfo::SaveRecord(records::IniFile& file, int n) const {
    const std::string section = records::SystemSectionName(n);
    const std::string* texts[] = {&SystemName,   &UserName,  &PCName,
                                  &PlatformInfo, &VideoCard, &Date};
    for (size_t i = 0; i < 6; ++i)
        file.SetString(section, kTextKeys[i], *texts[i]);
    std::string memo = MEMO;
    records::EncodeMemo(memo);
    file.SetString(section, "MEMO", memo);
    file.SetString(section, "Setting", Unsigned(Setting));
    file.SetString(section, "PlatformID", Unsigned(static_cast<uint32_t>(PlatformID)));
    return 1;
}

int CSysInfo::AppendRecordText(std::string& text) const {
    std::string memo = MEMO;
    records::EncodeMemo(memo);
    // PlatformID follows PlatformInfo and Setting comes last in the text.
    const std::pair<const char*, std::string> lines[] = {
        {"SystemName", SystemName},
        {"UserName", UserName},
        {"PCName", PCName},
        {"PlatformInfo", PlatformInfo},
        {"PlatformID", Unsigned(static_cast<uint32_t>(PlatformID))},
        {"VideoCard", VideoCard},
        {"Date", Date},
        {"MEMO", memo},
        {"Setting", Unsigned(Setting)},
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
    return 1;
}
