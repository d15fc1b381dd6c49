// Cache/TLB texts decided from a record's stored words and vendor alone, and
// the L2 size the standard path takes from the descriptor byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cpu/cpu_info.h"
#include "cpu/processor_probe.h"
#include "cpu/cpuid_dump.h"

namespace {

CCpuInfo Record(const char* vendor) {
    CCpuInfo info;
    std::strncpy(info.VendorName, vendor, sizeof info.VendorName - 1);
    return info;
}

TEST(CpuCacheTest, DescriptorTableTextsAndSizes) {
    struct Row {
        uint32_t byte;
        const char* text;
        int size;
    };
    const Row kRows[] = {
        {0x00, "Null", 0},
        {0x01, "4KB pages TLB(4-way set associative, 32entries)", 4},
        {0x02, "4MB pages TLB(fully associative, 2entries)", 4096},
        {0x03, "4KB pages TLB(4-way set associative, 64entries)", 4},
        {0x04, "4MB pages TLB(4-way set associative, 8entries)", 4096},
        {0x05, "Unknown", 0},
        {0x06, "8KB size(4-way set associative, 32byte line size)", 8},
        {0x08, "16KB size(4-way set associative, 32byte line size)", 16},
        {0x0A, "8KB size(2-way set associative, 32byte line size)", 8},
        {0x0C, "16KB size(4-way set associative, 32byte line size)", 16},
        {0x40, "Non L2 cache", 0},
        {0x41, "128KBytes(4-way set associative, 32byte line size)", 128},
        {0x42, "256KBytes(4-way set associative, 32byte line size)", 256},
        {0x43, "512KBytes(4-way set associative, 32byte line size)", 512},
        {0x44, "1MBytes(4-way set associative, 32byte line size)", 1024},
        {0x45, "2MBytes(4-way set associative, 32byte line size)", 2048},
        {0x46, "Unknown", 0},
        {0x82, "256KBytes(8-way set associative, 32byte line size)", 256},
        {0xFF, "Unknown", 0},
    };
    for (const Row& row : kRows) {
        std::string text;
        EXPECT_EQ(CCpuInfo::DescriptorText(text, row.byte), row.size) << std::hex << row.byte;
        EXPECT_EQ(text, row.text) << std::hex << row.byte;
    }
}

TEST(CpuCacheTest, StandardPathTakesTheL2SizeOnlyFromL2Descriptors) {
    const std::pair<uint32_t, uint32_t> kCases[] = {
        {0x00, 0},    {0x40, 0}, {0x41, 128}, {0x42, 256}, {0x43, 512}, {0x44, 1024},
        {0x45, 2048}, {0x46, 0}, {0x50, 0},   {0x7F, 0},   {0x82, 256}, {0xFF, 0},
    };
    for (const auto& c : kCases) {
        cpu::CpuidDump dump;
        dump.SetLeaf(0, {2, 0x756E6547, 0x6C65746E, 0x49656E69});  // GenuineIntel
        dump.SetLeaf(2, {0x03020101, 0, 0, 0x0C040800 | c.first});
        cpu::DumpCpuPlatform platform(dump);
        cpu::ProcessorProbe probe(platform);
        probe.ProbeProcessor();
        const CCpuInfo& info = probe.Record();
        EXPECT_EQ(info.L2CashSize, c.second) << std::hex << c.first;
    }
}

TEST(CpuCacheTest, StandardSummaryUsesTheL1DescriptorSizes) {
    CCpuInfo info = Record("GenuineIntel");
    info.CashFlagEDX = 0x0C000800;
    info.L2CashSize = 512;
    EXPECT_EQ(info.CacheItemText(255), "I-16K,D-16K / 512KBytes");
    info.L2CashSize = 0;
    EXPECT_EQ(info.CacheItemText(255), "I-16K,D-16K / Non");
    EXPECT_EQ(info.L2SizeText(), "Non");
    EXPECT_EQ(info.CacheItemText(0), "");
    EXPECT_EQ(info.CacheItemText(7), "");
}

TEST(CpuCacheTest, EveryVendorButIntelIsDecodedTheExtendedWay) {
    for (const char* vendor : {"", "CyrixInstead", "RiseRiseRise", "genuineintel"}) {
        CCpuInfo info = Record(vendor);
        info.Signature = 0x520;
        info.CashFlagEAX = 0x03020101;  // descriptor bytes the standard path would show
        info.CashFlagEDX = 0x0C040843;
        EXPECT_EQ(info.CacheItemText(1), "TLB(0-way set associative, 0entries)") << vendor;
        EXPECT_EQ(info.CacheItemText(2), "") << vendor;
        EXPECT_EQ(info.CacheItemText(5), "") << vendor;
        EXPECT_EQ(info.CacheItemText(3),
                  "12KB size(4-way set associative, 8lines per Tag, 67byte line size)");
        EXPECT_EQ(info.CacheItemText(16), "Unknown");
    }
}

TEST(CpuCacheTest, ExtendedL2NeedsSignature0x590) {
    CCpuInfo info = Record("AuthenticAMD");
    info.CashFlagEAX = 0x01004220;
    info.CashFlagECX = 0x20020220;
    info.CashFlagEDX = 0x40020220;
    info.L2CashSize = 256;
    info.Signature = 0x58C;
    EXPECT_EQ(info.CacheItemText(16), "Unknown");
    EXPECT_EQ(info.L2SizeText(), "Unknown");
    EXPECT_EQ(info.CacheItemText(255), "I-64K,D-32K / Unknown");
    info.Signature = 0x590;
    EXPECT_EQ(info.CacheItemText(16),
              "256KB size(4-way set associative, 2lines per Tag, 32byte line size)");
    EXPECT_EQ(info.CacheItemText(255), "I-64K,D-32K / 256KBytes");
    // Fields print as they stand: associativity 0xFF is 255.
    info.CashFlagEBX = 0xFF20FF10;
    EXPECT_EQ(info.CacheItemText(4), "TLB(255-way set associative, 32entries)");
}

// Leaf 4 EAX of a cache: type 1 data, 2 instruction, 3 unified; level 1-3.
uint32_t CacheEax(uint32_t type, uint32_t level) {
    return type | (level << 5);
}

TEST(CpuCacheTest, Leaf4StandsInWhereLeaf2LeavesACacheSizeUnknown) {
    const uint32_t kL1 = 0x01C0003F;  // 8 ways, 1 partition, 64-byte lines
    struct Case {
        const char* name;
        const char* vendor;
        uint32_t maxLeaf;
        uint32_t leaf2Edx;
        std::vector<cpu::CpuidResult> subLeaves;
        uint32_t leaf4;        // CashLeaf4 after the probe
        const char* items[3];  // codes 3, 6, 16
        const char* summary;
    };
    const char* const k32K = "32KB size(8-way set associative, 1lines per Tag, 64byte line size)";
    const char* const k16KDescriptor = "16KB size(4-way set associative, 32byte line size)";
    const std::vector<cpu::CpuidResult> kL1Only = {
        {CacheEax(1, 1), kL1, 63, 0},
        {CacheEax(2, 1), kL1, 63, 0},
        {CacheEax(1, 2), kL1, 63, 0},  // a level-2 data cache is no unified L2
        {CacheEax(3, 3), kL1, 8191, 0}};
    // clang-format off
    const Case kCases[] = {
        {"leaf 2 names every size", "GenuineIntel", 4, 0x0C040843, kL1Only, 0,
            {k16KDescriptor, k16KDescriptor, "512KBytes(4-way set associative, 32byte line size)"},
            "I-16K,D-16K / 512KBytes"},
        {"no leaf 4", "GenuineIntel", 3, 0x0C040840, kL1Only, 0,
            {k16KDescriptor, k16KDescriptor, "Non L2 cache"}, "I-16K,D-16K / Non"},
        {"no L2 in either leaf", "GenuineIntel", 4, 0x0C040840, kL1Only, 1,
            {k32K, k32K, "Non"}, "I-32K,D-32K / Non"},
        {"leaf 4 lists nothing", "GenuineIntel", 0x16, 0, {}, 1,
            {"Non", "Non", "Non"}, "I-0K,D-0K / Non"},
        {"the first L2 listed counts", "GenuineIntel", 4, 0x00000042,
            {{CacheEax(3, 2), kL1, 255, 0}, {CacheEax(3, 2), kL1, 1023, 0}}, 1,
            {"Non", "Non", "128KB size(8-way set associative, 1lines per Tag, 64byte line size)"},
            "I-0K,D-0K / 128KBytes"},
        // Decoded the extended way from its leaf-2 words, as before.
        {"Cyrix keeps its words", "CyrixInstead", 4, 0, kL1Only, 0,
            {"0KB size(0-way set associative, 0lines per Tag, 0byte line size)",
             "0KB size(0-way set associative, 0lines per Tag, 0byte line size)",
             "0KB size(0-way set associative, 0lines per Tag, 1byte line size)"},
            "I-0K,D-0K / 0KBytes"},
    };
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        uint32_t vendor[3];
        std::memcpy(vendor, c.vendor, 12);
        cpu::CpuidDump dump;
        dump.SetLeaf(0, {c.maxLeaf, vendor[0], vendor[2], vendor[1]});
        dump.SetLeaf(1, {0x000506E3, 0, 0, 0});
        dump.SetLeaf(2, {0x00000001, 0, 0, c.leaf2Edx});
        for (uint32_t i = 0; i < c.subLeaves.size(); ++i)
            dump.SetSubLeaf(4, i, c.subLeaves[i]);
        cpu::DumpCpuPlatform platform(dump);
        cpu::ProcessorProbe probe(platform);
        probe.ProbeProcessor();
        const CCpuInfo& info = probe.Record();
        EXPECT_EQ(info.CashLeaf4, c.leaf4);
        EXPECT_EQ(info.CacheItemText(3), c.items[0]);
        EXPECT_EQ(info.CacheItemText(6), c.items[1]);
        EXPECT_EQ(info.CacheItemText(16), c.items[2]);
        EXPECT_EQ(info.CacheItemText(255), c.summary);
    }
}

TEST(CpuCacheTest, Leaf4SizeIsWaysTimesPartitionsTimesLineSizeTimesSets) {
    struct Case {
        uint32_t ebx;
        uint32_t sets;
        uint32_t kilobytes;
    };
    const Case kCases[] = {
        {0x01C0003F, 0, 0},                    // not reported
        {0x01C0003F, 64, 32},                  // 8 x 1 x 64 x 64
        {0x0240003F, 2048, 1280},              // 10 x 1 x 64 x 2048
        {0x00001001, 3, 0},                    // 1 x 2 x 2 x 3 bytes: under 1 KB
        {0x00000000, 0xFFFFFFFF, 4194303},     // one byte per set
        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},  // 2^32 bytes per set: pinned to 32 bits
    };
    for (const Case& c : kCases) {
        CCpuInfo::DeterministicCash cache;
        cache.EBX = c.ebx;
        cache.Sets = c.sets;
        EXPECT_EQ(CCpuInfo::DeterministicCashSize(cache), c.kilobytes) << std::hex << c.ebx;
    }
}

}  // namespace
