// Naming, feature table, signature text and copying of processor records,
// on made-up CPUID answers that sit on the edges of the tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/cpuid_dump.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"

namespace {

uint32_t Chars(const char* four) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t{static_cast<unsigned char>(four[i])} << (8 * i);
    return value;
}

// The 12-character vendor id in leaf 0 (EBX, EDX, ECX) and a signature in
// leaf 1.
cpu::CpuidDump Processor(const char* vendor, uint32_t leaf1Eax, uint32_t leaf1Edx = 0) {
    cpu::CpuidDump dump;
    dump.SetLeaf(0, {1, Chars(vendor), Chars(vendor + 8), Chars(vendor + 4)});
    dump.SetLeaf(1, {leaf1Eax, 0, 0, leaf1Edx});
    return dump;
}

// Leaves 0x80000002 to 0x80000004 holding text (up to 48 characters).
void SetBrand(cpu::CpuidDump& dump, const std::string& text) {
    char bytes[48] = {};
    std::memcpy(bytes, text.data(), text.size() < 48 ? text.size() : 48);
    for (uint32_t leaf = 0; leaf < 3; ++leaf) {
        const char* p = bytes + 16 * leaf;
        dump.SetLeaf(0x80000002 + leaf, {Chars(p), Chars(p + 4), Chars(p + 8), Chars(p + 12)});
    }
}

struct Probed {
    std::string name;
    std::string codeName;
};

Probed Probe(const cpu::CpuidDump& dump) {
    cpu::DumpCpuPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    probe.ProbeProcessor();
    const CCpuInfo& info = probe.Record();
    return {cpu::FixedText(info.ProcessorName), cpu::FixedText(info.CodeName)};
}

TEST(CpuNamingTest, EveryRowAndEdgeOfTheNamingTables) {
    struct Row {
        const char* vendor;
        uint32_t leaf1Eax;
        const char* name;
        const char* codeName;  // AMD and Centaur: the brand string "Brand"
    };
    const Row kRows[] = {
        {"GenuineIntel", 0x000, "Intel-Pentium (or before)", ""},
        {"GenuineIntel", 0x531, "Intel-Pentium (or before)", ""},
        {"GenuineIntel", 0x532, "Intel-(Unknown)", ""},
        {"GenuineIntel", 0x53F, "Intel-(Unknown)", ""},
        {"GenuineIntel", 0x540, "Intel-MMX Pentium", "P55C"},
        {"GenuineIntel", 0x54F, "Intel-MMX Pentium", "P55C"},
        {"GenuineIntel", 0x550, "Intel-(Unknown)", ""},
        {"GenuineIntel", 0x60F, "Intel-(Unknown)", ""},
        {"GenuineIntel", 0x610, "Intel-Pentium Pro", ""},
        {"GenuineIntel", 0x62F, "Intel-Pentium Pro", ""},
        {"GenuineIntel", 0x630, "Intel-Pentium II", "Klamath"},
        {"GenuineIntel", 0x64F, "Intel-Pentium II", "Klamath"},
        {"GenuineIntel", 0x650, "Intel-Pentium II", "Deschutes"},
        {"GenuineIntel", 0x65F, "Intel-Pentium II", "Deschutes"},
        {"GenuineIntel", 0x660, "Intel-Celeron", "Mendocino"},
        {"GenuineIntel", 0x664, "Intel-Celeron", "Mendocino"},
        {"GenuineIntel", 0x665, "Intel-Celeron", "PPGA-Mendocino"},
        {"GenuineIntel", 0x66F, "Intel-Celeron", "PPGA-Mendocino"},
        {"GenuineIntel", 0x670, "Intel-Pentium III", "Katmai"},
        {"GenuineIntel", 0x67F, "Intel-Pentium III", "Katmai"},
        {"GenuineIntel", 0x680, "Intel-Pentium III", "Coppermine"},
        {"GenuineIntel", 0x2683, "Intel-Pentium III", "Coppermine"},  // type bits ignored
        {"GenuineIntel", 0x68F, "Intel-Pentium III", "Coppermine"},
        {"GenuineIntel", 0x690, "Intel-(Unknown)", ""},
        {"GenuineIntel", 0x000A0671, "Intel-(Unknown)", ""},  // extended model: not a Katmai
        {"GenuineIntel", 0x00100680, "Intel-(Unknown)", ""},  // extended family
        {"RiseRiseRise", 0x000, "Rise-mP6", ""},
        {"RiseRiseRise", 0x520, "Rise-mP6", ""},
        {"RiseRiseRise", 0x521, "Rise-mP6-II", ""},
        {"CyrixInstead", 0x43F, "Cyrix-(Unknown)", ""},
        {"CyrixInstead", 0x440, "Cyrix-MediaGX", ""},
        {"CyrixInstead", 0x44F, "Cyrix-MediaGX", ""},
        {"CyrixInstead", 0x520, "Cyrix-6x86", ""},
        {"CyrixInstead", 0x52F, "Cyrix-6x86", ""},
        {"CyrixInstead", 0x530, "Cyrix-(Unknown)", ""},
        {"CyrixInstead", 0x540, "Cyrix-MediaGXm", ""},
        {"CyrixInstead", 0x54F, "Cyrix-MediaGXm", ""},
        {"CyrixInstead", 0x600, "Cyrix-MII", ""},
        {"CyrixInstead", 0x60F, "Cyrix-MII", ""},
        {"CyrixInstead", 0x610, "Cyrix-(Unknown)", ""},
        {"AuthenticAMD", 0x4FF, "AMD-(Unknown)", "Brand"},
        {"AuthenticAMD", 0x500, "AMD-K5", "Brand"},
        {"AuthenticAMD", 0x55F, "AMD-K5", "Brand"},
        {"AuthenticAMD", 0x560, "AMD-K6", "Brand"},
        {"AuthenticAMD", 0x57F, "AMD-K6", "Brand"},
        {"AuthenticAMD", 0x580, "AMD-K6-2", "Brand"},
        {"AuthenticAMD", 0x58F, "AMD-K6-2", "Brand"},
        {"AuthenticAMD", 0x590, "AMD-K6-III", "Brand"},
        {"AuthenticAMD", 0x5FF, "AMD-K6-III", "Brand"},
        {"AuthenticAMD", 0x600, "AMD-Athlon", "Brand"},
        {"AuthenticAMD", 0x6FF, "AMD-Athlon", "Brand"},
        {"AuthenticAMD", 0x700, "AMD-(Unknown)", "Brand"},
        {"AuthenticAMD", 0x00100622, "AMD-Athlon", "Brand"},  // low twelve bits only
        {"CentaurHauls", 0x53F, "IDT-(Unknown)", "Brand"},
        {"CentaurHauls", 0x540, "IDT-Winchip C6", "Brand"},
        {"CentaurHauls", 0x57F, "IDT-Winchip C6", "Brand"},
        {"CentaurHauls", 0x580, "IDT-Winchip2", "Brand"},
        {"CentaurHauls", 0x586, "IDT-Winchip2", "Brand"},
        {"CentaurHauls", 0x587, "IDT-Winchip2A", "Brand"},
        {"CentaurHauls", 0x588, "IDT-Winchip2A", "Brand"},
        {"CentaurHauls", 0x589, "IDT-(Unknown)", "Brand"},
        {"CentaurHauls", 0x58A, "IDT-Winchip2", "Brand"},
        {"CentaurHauls", 0x58B, "IDT-(Unknown)", "Brand"},
        {"genuineintel", 0x683, "", ""},  // vendors match case-sensitively
    };
    for (const Row& row : kRows) {
        cpu::CpuidDump dump = Processor(row.vendor, row.leaf1Eax);
        SetBrand(dump, "Brand");
        // Rows whose code name is the brand announce the brand leaves; the
        // others, Intel parts the table does not know among them, have none.
        if (std::strcmp(row.codeName, "Brand") == 0)
            dump.SetLeaf(0x80000000, {0x80000004, 0, 0, 0});
        Probed probed = Probe(dump);
        EXPECT_EQ(probed.name, std::string(row.name) + " Processor")
            << row.vendor << " " << std::hex << row.leaf1Eax;
        EXPECT_EQ(probed.codeName, row.codeName) << row.vendor << " " << std::hex << row.leaf1Eax;
    }
}

TEST(CpuNamingTest, UnknownIntelShowsItsBrandStringWhereTheProcessorHasOne) {
    const std::string longBrand = "   Intel(R) Xeon(R) Platinum 8480+ Processor";
    struct Case {
        uint32_t extendedMax;
        const char* codeName;
    };
    const Case kCases[] = {
        {0x80000008, "Intel(R) Xeon(R) Platinum 8480+ Processor"},  // leading blanks dropped
        {0x80000004, "Intel(R) Xeon(R) Platinum 8480+ Processor"},
        {0x80000003, ""},  // the brand leaves are not there
        {0x03020101, ""},  // an old part answering with leaf-2 data
    };
    for (const Case& c : kCases) {
        cpu::CpuidDump dump = Processor("GenuineIntel", 0x000A0671);
        dump.SetLeaf(0x80000000, {c.extendedMax, 0, 0, 0});
        SetBrand(dump, longBrand);
        cpu::DumpCpuPlatform platform(dump);
        cpu::ProcessorProbe probe(platform);
        probe.ProbeProcessor();
        const CCpuInfo& info = probe.Record();
        EXPECT_EQ(cpu::FixedText(info.CodeName), c.codeName) << std::hex << c.extendedMax;
        EXPECT_EQ(cpu::FixedText(info.VendorName), "GenuineIntel");
        EXPECT_EQ(cpu::FixedText(info.ProcessorName), "Intel-(Unknown) Processor");
    }
}

TEST(CpuNamingTest, BrandStringsAreKeptWholeWithoutTheBlanksAroundThem) {
    const std::pair<std::string, std::string> kBrands[] = {
        {std::string(48, 'X'), std::string(48, 'X')},  // no terminator inside the 48 bytes
        {"      AMD Ryzen 7 9700X 8-Core Processor", "AMD Ryzen 7 9700X 8-Core Processor"},
        {"AMD Athlon(tm) Processor      ", "AMD Athlon(tm) Processor"},
        {"Intel(R) Celeron(R) processor            600MHz",
         "Intel(R) Celeron(R) processor            600MHz"},
        {std::string(48, ' '), ""},
    };
    for (const char* vendor : {"AuthenticAMD", "CentaurHauls", "GenuineIntel"}) {
        for (const auto& brand : kBrands) {
            cpu::CpuidDump dump = Processor(vendor, 0x00A20F10);
            dump.SetLeaf(0x80000000, {0x80000008, 0, 0, 0});
            SetBrand(dump, brand.first);
            cpu::DumpCpuPlatform platform(dump);
            cpu::ProcessorProbe probe(platform);
            probe.ProbeProcessor();
            const CCpuInfo& info = probe.Record();
            EXPECT_EQ(cpu::FixedText(info.CodeName), brand.second) << vendor;
            EXPECT_EQ(cpu::FixedText(info.VendorName), vendor);
        }
    }
    // The brand passes through the name field; the table name replaces it.
    cpu::CpuidDump dump = Processor("AuthenticAMD", 0x00A20F10);
    dump.SetLeaf(0x80000000, {0x80000004, 0, 0, 0});
    SetBrand(dump, std::string(48, 'X'));
    cpu::DumpCpuPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    probe.ProbeProcessor();
    const CCpuInfo& info = probe.Record();
    EXPECT_EQ(cpu::FixedText(info.ProcessorName), "AMD-(Unknown) Processor");
}

TEST(CpuNamingTest, SummaryNamesUnknownProcessorsByTheirCodeName) {
    struct Case {
        const char* name;
        const char* codeName;
        const char* summary;
    };
    const Case kCases[] = {
        {"AMD-(Unknown) Processor", "AMD EPYC", "AMD EPYC at 2596MHz"},
        {"Intel-(Unknown) Processor", "Intel(R) Core(TM) i7-6700K CPU @ 4.00GHz",
         "Intel(R) Core(TM) i7-6700K CPU @ 4.00GHz at 2596MHz"},
        {"IDT-(Unknown) Processor", "VIA Samuel", "VIA Samuel at 2596MHz"},
        {"Cyrix-(Unknown) Processor", "Edited", "Edited at 2596MHz"},
        {"Intel-(Unknown) Processor", "", "Intel-(Unknown) Processor at 2596MHz"},
        {"AMD-Athlon Processor", "AMD Athlon(tm) Processor", "AMD-Athlon Processor at 2596MHz"},
        {"Intel-Pentium III Processor", "Coppermine", "Intel-Pentium III Processor at 2596MHz"},
        {"Rise-(Unknown) Processor", "X", "Rise-(Unknown) Processor at 2596MHz"},  // no such name
        {"AMD-(Unknown)", "X", "AMD-(Unknown) at 2596MHz"},
    };
    for (const Case& c : kCases) {
        CCpuInfo info;
        cpu::CopyFixed(info.ProcessorName, std::string(c.name));
        cpu::CopyFixed(info.CodeName, std::string(c.codeName));
        info.Frequency = 2596.2;
        EXPECT_EQ(info.SummaryText(), c.summary);
    }
}

TEST(CpuNamingTest, FeatureWordsAndTable) {
    const uint32_t amdBits = (1u << 22) | (1u << 30) | (1u << 31);
    // Standard path: leaf 1 EDX alone, extension bits shown where set.
    cpu::CpuidDump intel = Processor("GenuineIntel", 0x683, 0x11 | amdBits);
    intel.SetLeaf(0x80000001, {0, 0, 0, 0x800});
    cpu::DumpCpuPlatform intelPlatform(intel);
    cpu::ProcessorProbe intelProbe(intelPlatform);
    intelProbe.ProbeProcessor();
    const CCpuInfo& standard = intelProbe.Record();
    EXPECT_EQ(standard.FeatureFlag, 0x11 | amdBits);
    EXPECT_EQ(standard.FeatureName[22], "MMX Ex");
    EXPECT_EQ(standard.FeatureName[30], "3DNow!Ex");
    EXPECT_EQ(standard.FeatureName[31], "3DNow!");
    EXPECT_EQ(standard.FeatureDescription[31], "AMD-3DNow! Instructions");

    // Extended path: leaf 1 EDX OR leaf 0x80000001 EDX.
    cpu::CpuidDump amd = Processor("AuthenticAMD", 0x622, 0x11);
    amd.SetLeaf(0x80000000, {0x80000001, 0, 0, 0});
    amd.SetLeaf(0x80000001, {0, 0, 0, amdBits});
    cpu::DumpCpuPlatform amdPlatform(amd);
    cpu::ProcessorProbe amdProbe(amdPlatform);
    amdProbe.ProbeProcessor();
    const CCpuInfo& extended = amdProbe.Record();
    EXPECT_EQ(extended.FeatureFlag, 0x11 | amdBits);

    const char* names[CCpuInfo::kFeatureCount] = {
        "FPU",    "VME",  "DE",   "PSE", "TSC",  "MSR", "PAE",    "MCE", "CX8",      "APIC",  "-",
        "SEP",    "MTRR", "PGE",  "MCA", "CMOV", "PAT", "PSE-36", "PSN", "-",        "-",     "-",
        "MMX Ex", "MMX",  "FXSR", "SSE", "-",    "-",   "-",      "-",   "3DNow!Ex", "3DNow!"};
    for (int i = 0; i < CCpuInfo::kFeatureCount; ++i) {
        EXPECT_EQ(extended.FeatureName[i], names[i]) << "bit " << i;
        EXPECT_FALSE(extended.FeatureDescription[i].empty());
        if (std::string(names[i]) == "-") {
            EXPECT_EQ(extended.FeatureDescription[i], "Reserved");
        }
    }
    EXPECT_EQ(extended.FeatureDescription[25], "Intel-Streaming SIMD Extentions");
}

TEST(CpuNamingTest, WithoutCpuidTheProbeChangesNothing) {
    cpu::NeutralCpuPlatform none;
    cpu::ProcessorProbe probe(none);
    const CCpuInfo& info = probe.Record();
    EXPECT_EQ(info.CpuidAvailable, 0);
    EXPECT_EQ(probe.ProbeProcessor(), 0);
    EXPECT_EQ(info.Signature, 0u);
    EXPECT_EQ(cpu::FixedText(info.VendorName), "");
    EXPECT_EQ(cpu::FixedText(info.ProcessorName), "");
    EXPECT_EQ(info.FeatureName[0], "");  // not filled until a copy rebuilds it
}

TEST(CpuNamingTest, SignatureTextShowsTypeZeroAndLowerCaseHex) {
    CCpuInfo info;
    const std::pair<uint32_t, const char*> kCases[] = {
        {0x683, "Type : 0  Family : 6  Model : 8  Step : 3"},
        {0x1632, "Type : 0  Family : 6  Model : 3  Step : 2"},
        {0x00A60F12, "Type : 0  Family : f  Model : 1  Step : 2"},
        {0, "Type : 0  Family : 0  Model : 0  Step : 0"},
    };
    for (const auto& c : kCases) {
        info.Signature = c.first;
        EXPECT_EQ(info.SignatureText(), c.second);
    }
}

TEST(CpuNamingTest, CopyTakesEveryValueAndRebuildsTheFeatureTable) {
    cpu::CpuidDump dump = Processor("AuthenticAMD", 0x591, 0x008021BF);
    SetBrand(dump, "AMD-K6(tm) 3D+ Processor");
    dump.SetLeaf(0x80000000, {0x80000006, 0, 0, 0});
    dump.SetLeaf(0x80000006, {0, 0, 0x01004220, 0});
    cpu::DumpCpuPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    probe.ProbeProcessor();
    CCpuInfo source = probe.Record();
    source.OsVersionText = "Windows98 (4.10.1998)";
    source.MultiProcessor = 2;
    source.Frequency = 450.5;

    CCpuInfo copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.OsVersionText, source.OsVersionText);
    EXPECT_EQ(cpu::FixedText(copy.ProcessorName), "AMD-K6-III Processor");
    EXPECT_EQ(cpu::FixedText(copy.CodeName), "AMD-K6(tm) 3D+ Processor");
    EXPECT_EQ(cpu::FixedText(copy.VendorName), "AuthenticAMD");
    EXPECT_EQ(copy.Signature, 0x591u);
    EXPECT_EQ(copy.FeatureFlag, 0x008021BFu);
    EXPECT_EQ(copy.CpuidAvailable, 1);
    EXPECT_EQ(copy.L2CashSize, 256u);
    EXPECT_EQ(copy.CashFlagEAX, 0x01004220u);
    EXPECT_EQ(copy.MultiProcessor, 2u);
    EXPECT_EQ(copy.Frequency, 450.5);
    EXPECT_EQ(copy.FeatureName[4], "TSC");
    EXPECT_EQ(copy.L2SizeText(), "256KBytes");
}

}  // namespace
