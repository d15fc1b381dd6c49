#include "cpu/cpu_info.h"

#include <cstdio>
#include <cstring>

#include "cpu/windows_version.h"

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

CCpuInfo::CCpuInfo() : CCpuInfo(cpu::CpuPlatform::Current()) {}

CCpuInfo::CCpuInfo(cpu::CpuPlatform& platform) : CCpuInfo(Unprobed{}) {
    m_pPlatform = &platform;
    // The order matters: the clock starts as late as possible, and the
    // record only claims CPUID once everything else is in place.
    MultiProcessor = static_cast<uint32_t>(cpu::CountProcessors(platform));
    m_clock = cpu::TscClock(platform);
    OsVersionText = cpu::FormatWindowsVersion(platform);
    m_clock.Start(platform);
    CpuidAvailable = CpuidSupported();
}

CCpuInfo::CCpuInfo(Unprobed)
    : FeatureFlag(0),
      Signature(0),
      CpuidAvailable(0),
      L2CashSize(0),
      CashFlagEAX(0),
      CashFlagEBX(0),
      CashFlagECX(0),
      CashFlagEDX(0),
      MultiProcessor(1),
      CashLeaf4(0),
      Frequency(0.0),
      m_pPlatform(&cpu::CpuPlatform::Current()) {
    std::memset(ProcessorName, 0, sizeof ProcessorName);
    std::memset(CodeName, 0, sizeof CodeName);
    std::memset(VendorName, 0, sizeof VendorName);
}

CCpuInfo CCpuInfo::ForLoading() {
    return CCpuInfo(Unprobed{});
}

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
    OsVersionText = other.OsVersionText;
    std::memcpy(ProcessorName, other.ProcessorName, sizeof ProcessorName);
    std::memcpy(CodeName, other.CodeName, sizeof CodeName);
    std::memcpy(VendorName, other.VendorName, sizeof VendorName);
    FeatureFlag = other.FeatureFlag;
    Signature = other.Signature;
    CpuidAvailable = other.CpuidAvailable;
    L2CashSize = other.L2CashSize;
    CashFlagEAX = other.CashFlagEAX;
    CashFlagEBX = other.CashFlagEBX;
    CashFlagECX = other.CashFlagECX;
    CashFlagEDX = other.CashFlagEDX;
    MultiProcessor = other.MultiProcessor;
    CashLeaf4 = other.CashLeaf4;
    L1ICash = other.L1ICash;
    L1DCash = other.L1DCash;
    L2Cash = other.L2Cash;
    m_clock = other.m_clock;
    Frequency = other.Frequency;
    FillFeatureTable();
}

int CCpuInfo::CpuidSupported() {
    return m_pPlatform->CpuidAvailable() ? 1 : 0;
}

void CCpuInfo::TakeRunningWindowsVersion() {
    OsVersionText = cpu::FormatWindowsVersion(*m_pPlatform);
}
