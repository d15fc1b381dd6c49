// The texts of the processor information window and its report file.
//
// The window shows one processor record; its heading fields are formatted
// here, and the report is built from what those fields show when it is
// written (the user may have edited the name), plus the record's cache texts
// and feature table. Everything is bytes in the ANSI code page; the report
// ends every line with CR LF.
#pragma once

#include <cstdint>
#include <string>

class CCpuInfo;

namespace cpu {

// "%s On %s": the processor name and the Windows version text.
std::string ProcessorWindowCaption(const CCpuInfo& record);
// The caption of the processor group box: "Single Processor", "Dual
// Processors", "%uMulti Processors"; a count of 0 keeps "Processor".
std::string ProcessorCountText(uint32_t count);
// "Supported" or "Not Supported" for bit `bit` of the feature word.
std::string FeatureSupportText(uint32_t featureFlag, int bit);
// "%.3f MHz".
std::string FrequencyText(double megahertz);

// Feature bits of the three headline technologies.
constexpr int kMmxBit = 23;
constexpr int kSseBit = 25;
constexpr int k3DNowBit = 31;

// The heading of a report: the window's texts as they stand.
struct ProcessorReportHeading {
    std::string caption;         // the window caption
    std::string processorGroup;  // the caption of the processor group box
    std::string vendor;
    std::string name;
    std::string signature;
    std::string frequency;  // empty during the window's first second
    std::string cacheSummary;
};

// What the window shows on opening: the frequency stays empty until the
// window's first second has passed.
ProcessorReportHeading ProcessorWindowHeading(const CCpuInfo& record);

// The whole report file.
std::string ProcessorReportText(const ProcessorReportHeading& heading, const CCpuInfo& record);

}  // namespace cpu
