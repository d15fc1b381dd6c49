// A processor whose caches come from the deterministic cache leaf, through
// every way a record travels: saved and loaded, copied as text and imported,
// and a file without the new keys read as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "cpu/cpuid_dump.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

using records::IniFile;

// What the processor window and the main window show of a record.
std::vector<std::string> Texts(const CCpuInfo& info) {
    std::vector<std::string> texts = {cpu::FixedText(info.CodeName), info.SummaryText(),
                                      info.L2SizeText()};
    for (int code : {1, 2, 3, 4, 5, 6, 16, 255})
        texts.push_back(info.CacheItemText(code));
    return texts;
}

CCpuInfo ProbedI7() {
    cpu::CpuidDump dump;
    std::string error;
    EXPECT_TRUE(
        dump.Load(VELKORA_SOURCE_DIR "/tests/data/cpuid-dumps/intel-core-i7-2600-cpu.txt", error))
        << error;
    cpu::DumpCpuPlatform platform(dump);
    cpu::ProcessorProbe probe(platform);
    probe.ProbeProcessor();
    CCpuInfo probed = probe.Record();
    probed.Frequency = 3392.7;
    CCpuInfo record;
    record.CopyFrom(probed);
    return record;
}

TEST(CpuRecordCachesTest, Leaf4RecordKeepsItsTextsThroughFileTextAndImport) {
    const CCpuInfo probed = ProbedI7();
    const std::vector<std::string> shown = Texts(probed);
    ASSERT_EQ(probed.CashLeaf4, 1u);
    EXPECT_EQ(shown[1], "Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz at 3393MHz");
    EXPECT_EQ(shown.back(), "I-32K,D-32K / 256KBytes");

    // Saved and loaded again.
    IniFile file;
    records::SaveSection(file, 0, probed);
    EXPECT_EQ(file.GetString("InfoCPU-DATA000", "L2CashSets", ""), "512");
    CCpuInfo loaded;
    records::LoadSection(file, 0, loaded);
    EXPECT_EQ(Texts(loaded), shown);

    // Copied as text: the new keys follow MultiProcessor.
    std::string text;
    records::AppendHeaderText(text);
    CSysInfo system;
    system.SystemName = "i7";
    records::AppendSectionText(text, system);
    records::AppendSectionText(text, probed);
    CMarkResult timing;
    records::AppendSectionText(text, timing);
    const std::string keys =
        "\tMultiProcessor = 1\r\n\tCashLeaf4 = 1\r\n\tL1ICashEBX = 29360191\r\n"
        "\tL1ICashSets = 64\r\n\tL1DCashEBX = 29360191\r\n\tL1DCashSets = 64\r\n"
        "\tL2CashEBX = 29360191\r\n\tL2CashSets = 512\r\n\r\n[Velkora-DATA001]";
    EXPECT_NE(text.find(keys), std::string::npos) << text;

    // The text saved as a file and dropped on another data file.
    IniFile pasted;
    ASSERT_TRUE(pasted.Parse(text));
    IniFile target;
    int32_t count = 0;
    EXPECT_EQ(records::ImportRecords(pasted, target, count), std::vector<std::string>{"i7"});
    CCpuInfo imported;
    records::LoadSection(target, 1, imported);
    EXPECT_EQ(Texts(imported), shown);
}

TEST(CpuRecordCachesTest, SectionsWithoutTheNewKeysReadAsBeforeAndStaleKeysGo) {
    // A record written before the keys existed: a Pentium III of 1999.
    IniFile file;
    ASSERT_TRUE(file.Parse(
        "[InfoCPU-DATA001]\r\nProcessorName=Intel-Pentium III Processor\r\n"
        "CodeName=Coppermine\r\nVendorName=GenuineIntel\r\nSignature=1670\r\n"
        "Frequency=700.0\r\nCashFlagEAX=50462977\r\nCashFlagEDX=201590849\r\nL2CashSize=128\r\n"));
    CCpuInfo old;
    records::LoadSection(file, 1, old);
    EXPECT_EQ(old.CashLeaf4, 0u);
    EXPECT_EQ(old.CacheItemText(3), "16KB size(4-way set associative, 32byte line size)");
    EXPECT_EQ(old.CacheItemText(255), "I-16K,D-16K / 128KBytes");

    // Saved over a section that held a leaf-4 record, it takes its place
    // whole: nothing of the other record's caches stays.
    records::SaveSection(file, 2, ProbedI7());
    records::SaveSection(file, 2, old);
    CCpuInfo reread;
    records::LoadSection(file, 2, reread);
    EXPECT_EQ(Texts(reread), Texts(old));
}

}  // namespace
