#include "cpu/cpu_info.h"

#include <cstdio>

namespace {

struct Feature {
    const char* name;  // "-" marks a bit without a feature of its own
    const char* description;
};

// Bit i of the feature word is entry i; the same table serves every vendor,
// which is why AMD's extension bits have names of their own.
const Feature kFeatures[CCpuInfo::kFeatureCount] = {
    {"FPU", "Floating-point unit on-chip"},
    {"VME", "Virtual Mode Extension"},
    {"DE", "Debugging Extensions"},
    {"PSE", "Page Size Extensions"},
    {"TSC", "Time Stamp Counter"},
    {"MSR", "Model Specific Registers"},
    {"PAE", "Physical Address Extensions"},
    {"MCE", "Machine Check Exception"},
    {"CX8", "CMPXCHG8 Instructions"},
    {"APIC", "On-chip APIC Hardware"},
    {"-", "Reserved"},
    {"SEP", "Fast System Call"},
    {"MTRR", "Memory Type Range Registers"},
    {"PGE", "Page Global Enable"},
    {"MCA", "Machine Check Architecture"},
    {"CMOV", "Conditional Move Instructions"},
    {"PAT", "Page Attribute Table"},
    {"PSE-36", "36bit Page Size Extensions"},
    {"PSN", "96bit Processor SerialNumber"},
    {"-", "Reserved"},
    {"-", "Reserved"},
    {"-", "Reserved"},
    {"MMX Ex", "AMD-Multimedia Instruction Extensions"},
    {"MMX", "MMX Instructions"},
    {"FXSR", "Fast Floating-point Save and Restore"},
    {"SSE", "Intel-Streaming SIMD Extentions"},
    {"-", "Reserved"},
    {"-", "Reserved"},
    {"-", "Reserved"},
    {"-", "Reserved"},
    {"3DNow!Ex", "AMD-3DNow! Instruction Extensions"},
    {"3DNow!", "AMD-3DNow! Instructions"},
};

}  // namespace

void CCpuInfo::FillFeatureTable() {
    for (int i = 0; i < kFeatureCount; ++i) {
        FeatureName[i] = kFeatures[i].name;
        FeatureDescription[i] = kFeatures[i].description;
    }
}

std::string CCpuInfo::SignatureText() const {
    // The processor-type bits (12-13) are not shown: Type always reads 0.
    char text[96];
    std::snprintf(text, sizeof text, "Type : %x  Family : %x  Model : %x  Step : %x", 0u,
                  (Signature >> 8) & 0xFu, (Signature >> 4) & 0xFu, Signature & 0xFu);
    return text;
}

void CCpuInfo::CopyFrom(const CCpuInfo& other) {
    *this = other;
    FillFeatureTable();
}
