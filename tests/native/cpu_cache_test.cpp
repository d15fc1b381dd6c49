// Cache/TLB texts decided from a record's stored words and vendor alone, and
// the L2 size the standard path takes from the descriptor byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/cpuid_dump.h"

namespace {

CCpuInfo Record(const char* vendor) {
    static cpu::NeutralCpuPlatform none;
    CCpuInfo info(none);
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
        CCpuInfo info(platform);
        info.ProbeProcessor();
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

}  // namespace
