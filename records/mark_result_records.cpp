// The timing section of a record: CMarkResult's part of the data file.
#include <cstdio>
#include <cstdlib>

#include "bench/mark_result.h"
#include "records/data_file.h"
#include "records/ini_store.h"

int CMarkResult::LoadRecord(const records::IniFile& file, int n) {
    const std::string section = records::TimingSectionName(n);
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        const std::string text = file.GetString(section, key, "0.0");
        m_fTime[i] = records::NarrowToFloat(std::atof(text.c_str()));
    }
    return 1;
}

int CMarkResult::SaveRecord(records::IniFile& file, int n) const {
    const std::string section = records::TimingSectionName(n);
    std::string key;
    char value[64];
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        std::snprintf(value, sizeof value, "%f", static_cast<double>(m_fTime[i]));
        file.SetString(section, key, value);
    }
    return 1;
}

int CMarkResult::AppendRecordText(std::string& text) const {
    text += "[Velkora-DATA001]\r\n";
    std::string key;
    char line[128];
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        std::snprintf(line, sizeof line, "\t%s = %f\r\n", key.c_str(),
                      static_cast<double>(m_fTime[i]));
        text += line;
    }
    return 1;
}
