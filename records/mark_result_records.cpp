// The timing section of a record: CMarkResult's part of the data file.
#include <cstdio>
#include <cstdlib>

#include "bench/mark_result.h"
#include "bench/rounds.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"

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

namespace records {

void LoadSection(const IniFile& file, int n, CMarkResult& timing) {
    const std::string section = TimingSectionName(n);
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        timing.m_fTime[i] = ReadSeconds(file, section, key);
        // A count read from the file is trusted only as far as it means
        // several rounds; anything else is one round without a range.
        const int32_t rounds = static_cast<int32_t>(file.GetInt(section, RoundsKey(key), 1));
        timing.m_nRounds[i] = rounds > 1 ? bench::ClampRounds(rounds) : 1;
        timing.m_fFastest[i] = rounds > 1 ? ReadSeconds(file, section, FastestKey(key)) : 0.0f;
        timing.m_fSlowest[i] = rounds > 1 ? ReadSeconds(file, section, SlowestKey(key)) : 0.0f;
        ReadRoundTimes(rounds > 1 ? file.GetString(section, RoundTimesKey(key), "") : "",
                       timing.m_nRounds[i], timing.m_fRoundTime[i]);
    }
}

void SaveSection(IniFile& file, int n, const CMarkResult& timing) {
    const std::string section = TimingSectionName(n);
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        file.SetString(section, key, Seconds(timing.m_fTime[i]));
    }
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        const bool range = timing.HasRange(i);
        if (!range && file.GetString(section, RoundsKey(key), "").empty())
            continue;
        file.SetString(section, RoundsKey(key), std::to_string(range ? timing.m_nRounds[i] : 1));
        file.SetString(section, FastestKey(key),
                       Seconds(range ? timing.m_fFastest[i] : timing.m_fTime[i]));
        file.SetString(section, SlowestKey(key),
                       Seconds(range ? timing.m_fSlowest[i] : timing.m_fTime[i]));
        // A list only where the rounds' times are known (not for a record
        // an older version wrote); an old list of one round is emptied.
        const bool known = range && timing.m_fRoundTime[i][0] != 0.0f;
        if (known || !file.GetString(section, RoundTimesKey(key), "").empty())
            file.SetString(section, RoundTimesKey(key),
                           known ? RoundTimes(timing.m_fRoundTime[i], timing.m_nRounds[i]) : "");
    }
}

void AppendSectionText(std::string& text, const CMarkResult& timing) {
    text += "[Velkora-DATA001]\r\n";
    std::string key;
    for (int i = 0; i < bench::kTestCount; ++i) {
        GetTestName(i, key);
        text += "\t" + key + " = " + Seconds(timing.m_fTime[i]) + "\r\n";
    }
    for (int i = 0; i < bench::kTestCount; ++i) {
        if (!timing.HasRange(i))
            continue;
        GetTestName(i, key);
        text += "\t" + RoundsKey(key) + " = " + std::to_string(timing.m_nRounds[i]) + "\r\n";
        text += "\t" + FastestKey(key) + " = " + Seconds(timing.m_fFastest[i]) + "\r\n";
        text += "\t" + SlowestKey(key) + " = " + Seconds(timing.m_fSlowest[i]) + "\r\n";
        if (timing.m_fRoundTime[i][0] != 0.0f)
            text += "\t" + RoundTimesKey(key) + " = " +
                    RoundTimes(timing.m_fRoundTime[i], timing.m_nRounds[i]) + "\r\n";
    }
}

}  // namespace records
