// The timing section of a record: CMarkResult's part of the data file.
#include <cstdio>
#include <cstdlib>

#include "bench/mark_result.h"
#include "bench/rounds.h"
#include "records/data_file.h"
#include "records/ini_store.h"

namespace {

// The keys of a test's rounds after its time key.
std::string RoundsKey(const std::string& test) {
    return test + " Rounds";
}
std::string FastestKey(const std::string& test) {
    return test + " Fastest";
}
std::string SlowestKey(const std::string& test) {
    return test + " Slowest";
}
std::string RoundTimesKey(const std::string& test) {
    return test + " Round Times";
}

float ReadSeconds(const records::IniFile& file, const std::string& section,
                  const std::string& key) {
    return records::NarrowToFloat(std::atof(file.GetString(section, key, "0.0").c_str()));
}

std::string Seconds(float seconds) {
    char value[64];
    std::snprintf(value, sizeof value, "%f", static_cast<double>(seconds));
    return value;
}

// "12.345000 13.001000 ...": the rounds' times in the order they ran.
std::string RoundTimes(const float* times, int rounds) {
    std::string text;
    for (int r = 0; r < rounds; ++r)
        text += (r > 0 ? " " : "") + Seconds(times[r]);
    return text;
}

// Reads up to `rounds` times from such a list; what is missing or not a
// number reads 0.
void ReadRoundTimes(const std::string& text, int rounds, float* times) {
    const char* p = text.c_str();
    for (int r = 0; r < bench::kMaxRounds; ++r) {
        times[r] = 0.0f;
        if (r >= rounds || *p == '\0')
            continue;
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p)
            break;
        times[r] = records::NarrowToFloat(value);
        p = end;
    }
}

}  // namespace

int CMarkResult::LoadRecord(const records::IniFile& file, int n) {
    const std::string section = records::TimingSectionName(n);
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        m_fTime[i] = ReadSeconds(file, section, key);
        // A count read from the file is trusted only as far as it means
        // several rounds; anything else is one round without a range.
        const int32_t rounds = static_cast<int32_t>(file.GetInt(section, RoundsKey(key), 1));
        m_nRounds[i] = rounds > 1 ? bench::ClampRounds(rounds) : 1;
        m_fFastest[i] = rounds > 1 ? ReadSeconds(file, section, FastestKey(key)) : 0.0f;
        m_fSlowest[i] = rounds > 1 ? ReadSeconds(file, section, SlowestKey(key)) : 0.0f;
        ReadRoundTimes(rounds > 1 ? file.GetString(section, RoundTimesKey(key), "") : "",
                       m_nRounds[i], m_fRoundTime[i]);
    }
    return 1;
}

int CMarkResult::SaveRecord(records::IniFile& file, int n) const {
    const std::string section = records::TimingSectionName(n);
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        file.SetString(section, key, Seconds(m_fTime[i]));
    }
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        const bool range = HasRange(i);
        if (!range && file.GetString(section, RoundsKey(key), "").empty())
            continue;
        file.SetString(section, RoundsKey(key), std::to_string(range ? m_nRounds[i] : 1));
        file.SetString(section, FastestKey(key), Seconds(range ? m_fFastest[i] : m_fTime[i]));
        file.SetString(section, SlowestKey(key), Seconds(range ? m_fSlowest[i] : m_fTime[i]));
        // A list only where the rounds' times are known (not for a record
        // an older version wrote); an old list of one round is emptied.
        const bool known = range && m_fRoundTime[i][0] != 0.0f;
        if (known || !file.GetString(section, RoundTimesKey(key), "").empty())
            file.SetString(section, RoundTimesKey(key),
                           known ? RoundTimes(m_fRoundTime[i], m_nRounds[i]) : "");
    }
    return 1;
}

int CMarkResult::AppendRecordText(std::string& text) const {
    text += "[Velkora-DATA001]\r\n";
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        text += "\t" + key + " = " + Seconds(m_fTime[i]) + "\r\n";
    }
    for (int i = 0; i < bench::kTestCount; ++i) {
        if (!HasRange(i))
            continue;
        GetTestName(i, key);
        text += "\t" + RoundsKey(key) + " = " + std::to_string(m_nRounds[i]) + "\r\n";
        text += "\t" + FastestKey(key) + " = " + Seconds(m_fFastest[i]) + "\r\n";
        text += "\t" + SlowestKey(key) + " = " + Seconds(m_fSlowest[i]) + "\r\n";
        if (m_fRoundTime[i][0] != 0.0f)
            text += "\t" + RoundTimesKey(key) + " = " + RoundTimes(m_fRoundTime[i], m_nRounds[i]) +
                    "\r\n";
    }
    return 1;
}
