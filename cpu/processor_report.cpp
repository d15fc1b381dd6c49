#include "cpu/processor_report.h"

#include <cstdio>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"

namespace {

const char kEol[] = "\r\n";
const char kRule[] = "===========================================================================";
const char kGroupLine[] =
    "=================== :: ====================================================";
// The group caption is written over the group line from this column on.
constexpr size_t kGroupColumn = 2;

// Feature rows: the name padded to the state column, the state right-aligned
// in eight columns, then the description.
constexpr size_t kNameWidth = 9;
constexpr size_t kStateWidth = 8;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    return text.substr(first);
}

std::string PadRight(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// The group line with " caption " over it from kGroupColumn; a caption that
// runs past the rule lengthens the line rather than losing its end.
std::string GroupLine(const std::string& caption) {
    std::string line = kGroupLine;
    const std::string overlay = " " + caption + " ";
    if (kGroupColumn + overlay.size() > line.size())
        line.resize(kGroupColumn + overlay.size());
    line.replace(kGroupColumn, overlay.size(), overlay);
    return line;
}

void AddLine(std::string& report, const std::string& text) {
    report += text;
    report += kEol;
}

// "<label> :: <value>": the label is a fixed text, the value is written as
// it is, never read as a format.
void AddField(std::string& report, const char* label, const std::string& value) {
    AddLine(report, std::string(label) + ":: " + value);
}

}  // namespace

namespace cpu {

std::string ProcessorWindowCaption(const CCpuInfo& record) {
    return FixedText(record.ProcessorName) + " On " + record.OsVersionText;
}

std::string ProcessorCountText(uint32_t count) {
    switch (count) {
        case 0:
            return "Processor";
        case 1:
            return "Single Processor";
        case 2:
            return "Dual Processors";
        default: {
            char text[48];
            std::snprintf(text, sizeof text, "%uMulti Processors", static_cast<unsigned>(count));
            return text;
        }
    }
}

std::string FeatureSupportText(uint32_t featureFlag, int bit) {
    if (bit < 0 || bit > 31)
        return "Not Supported";
    return (featureFlag >> bit) & 1u ? "Supported" : "Not Supported";
}

std::string FrequencyText(double megahertz) {
    // "%.3f" of the largest double has 309 digits before the point.
    char text[400];
    std::snprintf(text, sizeof text, "%.3f MHz", megahertz);
    return text;
}

ProcessorReportHeading ProcessorWindowHeading(const CCpuInfo& record) {
    ProcessorReportHeading heading;
    heading.caption = ProcessorWindowCaption(record);
    heading.processorGroup = ProcessorCountText(record.MultiProcessor);
    heading.vendor = FixedText(record.VendorName);
    heading.name = FixedText(record.ProcessorName);
    heading.signature = record.SignatureText();
    heading.cacheSummary = record.CacheItemText(255);
    return heading;
}

std::string ProcessorReportText(const ProcessorReportHeading& heading, const CCpuInfo& record) {
    std::string report;
    AddLine(report, kRule);
    AddLine(report, "  " + TrimLeft(heading.caption));
    AddLine(report, kRule);
    AddLine(report, GroupLine(heading.processorGroup));
    AddField(report, "             Vendor ", heading.vendor);
    AddField(report, "               Name ", heading.name);
    AddField(report, "          Signature ", heading.signature);
    AddField(report, "          Frequency ", heading.frequency);
    AddField(report, "       L1 / L2 Cash ", heading.cacheSummary);
    AddLine(report, kRule);

    AddLine(report, "== Cash Information :: ====================================================");
    AddField(report, " L1 Instruction TLB ", record.CacheItemText(1));
    const std::string instructionExtra = record.CacheItemText(2);
    if (!instructionExtra.empty())
        AddField(report, "                    ", instructionExtra);
    AddField(report, "              Cashe ", record.CacheItemText(3));
    AddField(report, "           Data TLB ", record.CacheItemText(4));
    const std::string dataExtra = record.CacheItemText(5);
    if (!dataExtra.empty())
        AddField(report, "                    ", dataExtra);
    AddField(report, "              Cashe ", record.CacheItemText(6));
    AddField(report, " L2   Unified Cache ", record.CacheItemText(16));
    AddLine(report, kRule);

    AddLine(report, "====== Feature Flag :: ====================================================");
    AddLine(report, "  Name        State :: Description =======================================");
    for (int i = 0; i < CCpuInfo::kFeatureCount; ++i) {
        if (record.FeatureName[i].empty())
            continue;
        const bool enabled = (record.FeatureFlag >> i) & 1u;
        AddLine(report, "  " + PadRight(record.FeatureName[i], kNameWidth) +
                            PadLeft(enabled ? "Enabled" : "Disabled", kStateWidth) +
                            " :: " + record.FeatureDescription[i]);
    }
    AddLine(report, kRule);
    return report;
}

}  // namespace cpu
