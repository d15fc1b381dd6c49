#include "bench/mark_result.h"

#include <cstdio>

CMarkResult::CMarkResult() {
    for (int i = 0; i < bench::kTestCount; ++i) {
        m_fTime[i] = 0.0f;
        m_nRun[i] = 0;
        m_nRounds[i] = 1;
        m_fFastest[i] = m_fSlowest[i] = 0.0f;
        for (float& round : m_fRoundTime[i])
            round = 0.0f;
    }
    SetReference(1);
}

void CMarkResult::SetReference(int platformId) {
    for (int i = 0; i < bench::kTestCount; ++i) {
        const bench::TestInfo& test = bench::kCatalogue[i];
        m_fRef[i] = platformId == 1 ? test.referenceA : test.referenceB;
    }
}

int32_t CMarkResult::GetMark(int index) const {
    if (index < 0 || index >= bench::kTestCount)
        return 0;
    return GetMarkOf(index, m_fTime[index]);
}

int32_t CMarkResult::GetMarkOf(int index, float seconds) const {
    if (index < 0 || index >= bench::kTestCount)
        return 0;
    if (seconds == 0.0f)
        return 0;
    double mark = bench::MarkOf(m_fRef[index], seconds);
    // Truncation toward zero. A time from an edited file can be absurdly
    // small or not a number: such marks saturate or read 0 instead of
    // overflowing the conversion.
    if (mark != mark)
        return 0;
    if (mark >= 2147483647.0)
        return INT32_MAX;
    if (mark <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(mark);
}

double CMarkResult::GetTotalTime() const {
    double total = 0.0;
    for (int i = 0; i < bench::kTestCount; ++i)
        total += static_cast<double>(m_fTime[i]);
    return total;
}

int32_t CMarkResult::GetTotalMark() const {
    // A 32-bit sum that wraps like the platform's integer arithmetic.
    uint32_t total = 0;
    for (int i = 0; i < bench::kTestCount; ++i)
        total += static_cast<uint32_t>(GetMark(i));
    return static_cast<int32_t>(total);
}

int32_t CMarkResult::GetAverageMark() const {
    return GetTotalMark() / bench::kTestCount;
}

namespace bench {

std::string FormatTime(double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

std::string FormatMark(int32_t mark) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(mark));
    return text;
}

}  // namespace bench
