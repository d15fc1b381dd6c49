// The processor window's texts and its report file, byte for byte, for
// records that went the way the main window sends them: probed from a real
// processor's CPUID answers, saved to the data file, loaded back and copied
// into the window's own record.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/processor_probe.h"
#include "cpu/cpuid_dump.h"
#include "cpu/processor_report.h"
#include "records/ini_store.h"
#include "records/record_sections.h"

namespace {

const char kRule[] = "===========================================================================";
const std::string kSingleProcessorLine = "== Single Processor :: " + std::string(52, '=');

// A Windows 98 machine with the processor of a dump.
class Win98DumpPlatform : public cpu::DumpCpuPlatform {
  public:
    using cpu::DumpCpuPlatform::DumpCpuPlatform;
    cpu::OsVersionInfo VersionInfo() override {
        cpu::OsVersionInfo version;
        version.majorVersion = 4;
        version.minorVersion = 10;
        version.buildNumber = 0x040A07CE;  // 4.10.1998 in the high and low words
        version.platformId = cpu::kPlatformWindows;
        return version;
    }
};

// The record as the window holds it: probed on a Windows 98 machine, stored
// with a measured frequency, read back from the data file by the main window
// and copied by the window.
void ProbeStoreAndCopy(const std::string& dumpFile, double frequency, CCpuInfo& window) {
    cpu::CpuidDump dump;
    std::string error;
    ASSERT_TRUE(dump.Load(VELKORA_SOURCE_DIR "/tests/data/cpuid-dumps/" + dumpFile, error))
        << error;
    Win98DumpPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    ASSERT_EQ(probe.ProbeProcessor(), 1);
    CCpuInfo probed = probe.Record();
    probed.Frequency = frequency;

    records::IniFile file;
    file.Parse("");
    records::SaveSection(file, 2, probed);
    CCpuInfo loaded;
    records::LoadSection(file, 2, loaded);
    cpu::TakeRunningWindowsVersion(loaded, platform);
    window.CopyFrom(loaded);
}

// The heading once the window's first second has passed.
cpu::ProcessorReportHeading AfterOneSecond(const CCpuInfo& record) {
    cpu::ProcessorReportHeading heading = cpu::ProcessorWindowHeading(record);
    heading.frequency = cpu::FrequencyText(record.Frequency);
    return heading;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(ProcessorReportTest, IntelPentiumIIIOnWindows98) {
    CCpuInfo record;
    ProbeStoreAndCopy("genuineintel0000686_p3_coppermine.txt", 733.0126, record);
    const std::string expected = Lines({
        kRule,
        "  Intel-Pentium III Processor On Windows98 (4.10.1998)",
        kRule,
        kSingleProcessorLine,
        "             Vendor :: GenuineIntel",
        "               Name :: Intel-Pentium III Processor",
        "          Signature :: Type : 0  Family : 6  Model : 8  Step : 6",
        "          Frequency :: 733.013 MHz",
        "       L1 / L2 Cash :: I-16K,D-16K / 128KBytes",
        kRule,
        "== Cash Information :: ====================================================",
        " L1 Instruction TLB :: 4KB pages TLB(4-way set associative, 32entries)",
        "                    :: 4MB pages TLB(fully associative, 2entries)",
        "              Cashe :: 16KB size(4-way set associative, 32byte line size)",
        "           Data TLB :: 4KB pages TLB(4-way set associative, 64entries)",
        "                    :: 4MB pages TLB(4-way set associative, 8entries)",
        "              Cashe :: 16KB size(4-way set associative, 32byte line size)",
        " L2   Unified Cache :: 128KBytes(4-way set associative, 32byte line size)",
        kRule,
        "====== Feature Flag :: ====================================================",
        "  Name        State :: Description =======================================",
        "  FPU       Enabled :: Floating-point unit on-chip",
        "  VME       Enabled :: Virtual Mode Extension",
        "  DE        Enabled :: Debugging Extensions",
        "  PSE       Enabled :: Page Size Extensions",
        "  TSC       Enabled :: Time Stamp Counter",
        "  MSR       Enabled :: Model Specific Registers",
        "  PAE       Enabled :: Physical Address Extensions",
        "  MCE       Enabled :: Machine Check Exception",
        "  CX8       Enabled :: CMPXCHG8 Instructions",
        "  APIC     Disabled :: On-chip APIC Hardware",
        "  -        Disabled :: Reserved",
        "  SEP       Enabled :: Fast System Call",
        "  MTRR      Enabled :: Memory Type Range Registers",
        "  PGE       Enabled :: Page Global Enable",
        "  MCA       Enabled :: Machine Check Architecture",
        "  CMOV      Enabled :: Conditional Move Instructions",
        "  PAT       Enabled :: Page Attribute Table",
        "  PSE-36    Enabled :: 36bit Page Size Extensions",
        "  PSN      Disabled :: 96bit Processor SerialNumber",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  MMX Ex   Disabled :: AMD-Multimedia Instruction Extensions",
        "  MMX       Enabled :: MMX Instructions",
        "  FXSR      Enabled :: Fast Floating-point Save and Restore",
        "  SSE       Enabled :: Intel-Streaming SIMD Extentions",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  3DNow!Ex Disabled :: AMD-3DNow! Instruction Extensions",
        "  3DNow!   Disabled :: AMD-3DNow! Instructions",
        kRule,
    });
    EXPECT_EQ(cpu::ProcessorReportText(AfterOneSecond(record), record), expected);
}

TEST(ProcessorReportTest, AmdAthlonLeavesOutTheEmptyExtraCacheLines) {
    CCpuInfo record;
    ProbeStoreAndCopy("authenticamd0000612_k7_argon.txt", 651.5, record);
    const std::string l1 = "64KB size(2-way set associative, 1lines per Tag, 64byte line size)";
    const std::string expected = Lines({
        kRule,
        "  AMD-Athlon Processor On Windows98 (4.10.1998)",
        kRule,
        kSingleProcessorLine,
        "             Vendor :: AuthenticAMD",
        "               Name :: AMD-Athlon Processor",
        "          Signature :: Type : 0  Family : 6  Model : 1  Step : 2",
        "          Frequency :: 651.500 MHz",
        "       L1 / L2 Cash :: I-64K,D-64K / 512KBytes",
        kRule,
        "== Cash Information :: ====================================================",
        " L1 Instruction TLB :: TLB(255-way set associative, 16entries)",
        "              Cashe :: " + l1,
        "           Data TLB :: TLB(255-way set associative, 24entries)",
        "              Cashe :: " + l1,
        " L2   Unified Cache :: 512KB size(2-way set associative, 1lines per Tag, 64byte line "
        "size)",
        kRule,
        "====== Feature Flag :: ====================================================",
        "  Name        State :: Description =======================================",
        "  FPU       Enabled :: Floating-point unit on-chip",
        "  VME       Enabled :: Virtual Mode Extension",
        "  DE        Enabled :: Debugging Extensions",
        "  PSE       Enabled :: Page Size Extensions",
        "  TSC       Enabled :: Time Stamp Counter",
        "  MSR       Enabled :: Model Specific Registers",
        "  PAE       Enabled :: Physical Address Extensions",
        "  MCE       Enabled :: Machine Check Exception",
        "  CX8       Enabled :: CMPXCHG8 Instructions",
        "  APIC     Disabled :: On-chip APIC Hardware",
        "  -        Disabled :: Reserved",
        "  SEP       Enabled :: Fast System Call",
        "  MTRR      Enabled :: Memory Type Range Registers",
        "  PGE       Enabled :: Page Global Enable",
        "  MCA       Enabled :: Machine Check Architecture",
        "  CMOV      Enabled :: Conditional Move Instructions",
        "  PAT       Enabled :: Page Attribute Table",
        "  PSE-36   Disabled :: 36bit Page Size Extensions",
        "  PSN      Disabled :: 96bit Processor SerialNumber",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  MMX Ex    Enabled :: AMD-Multimedia Instruction Extensions",
        "  MMX       Enabled :: MMX Instructions",
        "  FXSR     Disabled :: Fast Floating-point Save and Restore",
        "  SSE      Disabled :: Intel-Streaming SIMD Extentions",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  -        Disabled :: Reserved",
        "  3DNow!Ex  Enabled :: AMD-3DNow! Instruction Extensions",
        "  3DNow!    Enabled :: AMD-3DNow! Instructions",
        kRule,
    });
    EXPECT_EQ(cpu::ProcessorReportText(AfterOneSecond(record), record), expected);
}

// A record missing from the file: empty names, every feature absent, the
// zero words decoded the extended way.
TEST(ProcessorReportTest, AnEmptyRecordKeepsEveryLineAndAllThirtyTwoFeatureRows) {
    records::IniFile file;
    file.Parse("[VelkoraDataFile]\r\nVelkoraDataNum=0\r\n");
    CCpuInfo loaded;
    records::LoadSection(file, 5, loaded);
    CCpuInfo record;
    record.CopyFrom(loaded);
    record.OsVersionText = "WindowsNT4.0 Service Pack 6(4.0.1381)";

    const std::string report = cpu::ProcessorReportText(AfterOneSecond(record), record);
    const std::string l1 = "0KB size(0-way set associative, 0lines per Tag, 0byte line size)";
    const std::string head = Lines({
        kRule,
        "  On WindowsNT4.0 Service Pack 6(4.0.1381)",
        kRule,
        kSingleProcessorLine,
        "             Vendor :: ",
        "               Name :: ",
        "          Signature :: Type : 0  Family : 0  Model : 0  Step : 0",
        "          Frequency :: 0.000 MHz",
        "       L1 / L2 Cash :: I-0K,D-0K / Unknown",
        kRule,
        "== Cash Information :: ====================================================",
        " L1 Instruction TLB :: TLB(0-way set associative, 0entries)",
        "              Cashe :: " + l1,
        "           Data TLB :: TLB(0-way set associative, 0entries)",
        "              Cashe :: " + l1,
        " L2   Unified Cache :: Unknown",
        kRule,
        "====== Feature Flag :: ====================================================",
        "  Name        State :: Description =======================================",
        "  FPU      Disabled :: Floating-point unit on-chip",
    });
    ASSERT_GE(report.size(), head.size());
    EXPECT_EQ(report.substr(0, head.size()), head);
    const std::string tail = Lines({"  3DNow!   Disabled :: AMD-3DNow! Instructions", kRule});
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);

    size_t rows = 0, enabled = 0;
    for (size_t at = 0; (at = report.find(" :: ", at)) != std::string::npos; ++at) {
        const size_t lineStart = report.rfind('\n', at) + 1;
        const std::string state = report.substr(lineStart + 11, 8);
        if (state == "Disabled" || state == " Enabled") {
            ++rows;
            enabled += state == " Enabled";
        }
    }
    EXPECT_EQ(rows, 32u);
    EXPECT_EQ(enabled, 0u);
}

TEST(ProcessorReportTest, TheGroupCaptionOverlaysTheFourthLineFromColumnTwo) {
    struct Case {
        uint32_t processors;
        std::string line;
    } const cases[] = {
        {0, "== Processor " + std::string(6, '=') + " :: " + std::string(52, '=')},
        {1, kSingleProcessorLine},
        {2, "== Dual Processors  :: " + std::string(52, '=')},
        // 18 characters and two blanks cover columns 2 to 21, most of " :: ".
        {10, "== 10Multi Processors  " + std::string(52, '=')},
        {4294967295u, "== 4294967295Multi Processors " + std::string(45, '=')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.processors);
        CCpuInfo record;
        record.MultiProcessor = c.processors;
        const std::string report =
            cpu::ProcessorReportText(cpu::ProcessorWindowHeading(record), record);
        const size_t third = report.find("\r\n", report.find("\r\n", report.find("\r\n") + 2) + 2);
        EXPECT_EQ(report.substr(third + 2, 77), c.line + "\r\n");
    }
}

TEST(ProcessorReportTest, AnOverlayLongerThanTheRuleLengthensTheLine) {
    CCpuInfo record;
    cpu::ProcessorReportHeading heading = cpu::ProcessorWindowHeading(record);
    heading.processorGroup = std::string(80, 'P');
    const std::string report = cpu::ProcessorReportText(heading, record);
    EXPECT_NE(report.find("\r\n== " + std::string(80, 'P') + " \r\n"), std::string::npos);
}

// The heading comes from the window's fields as they stand: within the
// first second the frequency field is still empty, and a name edited in
// the window replaces the record's name (but not the caption's).
TEST(ProcessorReportTest, TheHeadingIsWhatTheWindowShows) {
    CCpuInfo record;
    ProbeStoreAndCopy("genuineintel0000633_p2_klamath.txt", 300.0, record);

    cpu::ProcessorReportHeading early = cpu::ProcessorWindowHeading(record);
    std::string report = cpu::ProcessorReportText(early, record);
    EXPECT_NE(report.find("\r\n          Frequency :: \r\n       L1 / L2 Cash :: "),
              std::string::npos);

    cpu::ProcessorReportHeading edited = AfterOneSecond(record);
    edited.name = "My own Pentium II  %s %n";
    report = cpu::ProcessorReportText(edited, record);
    EXPECT_NE(report.find("\r\n               Name :: My own Pentium II  %s %n\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\n  Intel-Pentium II Processor On Windows98"), std::string::npos);
    EXPECT_NE(report.find("\r\n          Frequency :: 300.000 MHz\r\n"), std::string::npos);
}

TEST(ProcessorReportTest, TheCaptionLosesItsLeadingBlanksButNothingElse) {
    CCpuInfo record;
    cpu::ProcessorReportHeading heading = cpu::ProcessorWindowHeading(record);
    heading.caption = " \t     Intel(R) Pentium(R) 4 CPU 1.60GHz On Windows 2000 (5.0.2195)  ";
    const std::string report = cpu::ProcessorReportText(heading, record);
    const std::string line2 =
        "  Intel(R) Pentium(R) 4 CPU 1.60GHz On Windows 2000 (5.0.2195)  \r\n";
    EXPECT_EQ(report.substr(std::string(kRule).size() + 2, line2.size()), line2);
}

TEST(ProcessorWindowTextsTest, FieldsOfTheWindow) {
    CCpuInfo record;
    ProbeStoreAndCopy("authenticamd0000612_k7_argon.txt", 0.0, record);
    EXPECT_EQ(cpu::ProcessorWindowCaption(record), "AMD-Athlon Processor On Windows98 (4.10.1998)");
    // MMX (23), SSE (25), 3DNow! (31) of the Athlon's 0xC0C1F9FF.
    EXPECT_EQ(cpu::FeatureSupportText(record.FeatureFlag, cpu::kMmxBit), "Supported");
    EXPECT_EQ(cpu::FeatureSupportText(record.FeatureFlag, cpu::kSseBit), "Not Supported");
    EXPECT_EQ(cpu::FeatureSupportText(record.FeatureFlag, cpu::k3DNowBit), "Supported");
    EXPECT_EQ(cpu::FeatureSupportText(0xFFFFFFFF, 32), "Not Supported");
    EXPECT_EQ(cpu::FrequencyText(0.0), "0.000 MHz");
    EXPECT_EQ(cpu::FrequencyText(2399.9996), "2400.000 MHz");
    EXPECT_EQ(cpu::FrequencyText(1e308).size(), 309u + 4 + 4);
}

}  // namespace
