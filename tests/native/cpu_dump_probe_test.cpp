// The probe fed with what real processors answered to CPUID. The expected
// values are worked out by hand from the identification rules (vendor path,
// signature key, descriptor bytes, extended-leaf fields), not taken from the
// program's output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/cpu_info.h"
#include "cpu/cpuid_dump.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"

namespace {

struct ProbedDump {
    explicit ProbedDump(const std::string& file) {
        std::string error;
        EXPECT_TRUE(dump.Load(VELKORA_SOURCE_DIR "/tests/data/cpuid-dumps/" + file, error))
            << error;
        cpu::DumpCpuPlatform platform(dump);
        cpu::ProcessorProbe probe(platform);
        EXPECT_EQ(probe.ProbeProcessor(), 1);
        const CCpuInfo& probed = probe.Record();
        info.CopyFrom(probed);
        leavesRead = platform.LeavesRead();
    }

    cpu::CpuidDump dump;
    CCpuInfo info;
    std::vector<uint32_t> leavesRead;
};

struct Expected {
    const char* file;
    const char* vendor;
    uint32_t signature;
    const char* name;  // " Processor" follows
    const char* codeName;
    uint32_t featureFlag;
    uint32_t cache[4];  // CashFlagEAX, EBX, ECX, EDX
    uint32_t l2;
    const char* summary;  // cache item 255
};

// clang-format off
const Expected kDumps[] = {
    // Intel: descriptor bytes of leaf 2; keys on the edges of the table.
    {"genuineintel0000480_486.txt", "GenuineIntel", 0x480, "Intel-Pentium (or before)", "", 0x3,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel0000517_p5.txt", "GenuineIntel", 0x517, "Intel-Pentium (or before)", "", 0x1BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel0000525_p54c.txt", "GenuineIntel", 0x525, "Intel-Pentium (or before)", "", 0x1BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel000052c_p54c.txt", "GenuineIntel", 0x52C, "Intel-Pentium (or before)", "", 0x1BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel0000543_p55c.txt", "GenuineIntel", 0x543, "Intel-MMX Pentium", "P55C", 0x8003BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel0000582_p55c_tillamook.txt", "GenuineIntel", 0x582, "Intel-(Unknown)", "", 0x8001BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Non"},
    {"genuineintel0000617_p6.txt", "GenuineIntel", 0x617, "Intel-Pentium Pro", "", 0xFBFF,
        {0x03020101, 0, 0, 0x06040A42}, 256, "I-8K,D-8K / 256KBytes"},
    {"genuineintel0000619_p6.txt", "GenuineIntel", 0x619, "Intel-Pentium Pro", "", 0xFBFF,
        {0x03020101, 0, 0, 0x06040A42}, 256, "I-8K,D-8K / 256KBytes"},
    // Type bits 01 (OverDrive) stay in the signature but not in the key.
    {"genuineintel0000632_p2od.txt", "GenuineIntel", 0x1632, "Intel-Pentium II", "Klamath", 0x0183FBFF,
        {0x03020101, 0, 0, 0x0C040843}, 512, "I-16K,D-16K / 512KBytes"},
    {"genuineintel0000633_p2_klamath.txt", "GenuineIntel", 0x633, "Intel-Pentium II", "Klamath", 0x0080FBFF,
        {0x03020101, 0, 0, 0x0C040843}, 512, "I-16K,D-16K / 512KBytes"},
    {"genuineintel0000651_p2_covington.txt", "GenuineIntel", 0x651, "Intel-Pentium II", "Deschutes", 0x0183F9FF,
        {0x03020101, 0, 0, 0x0C040840}, 0, "I-16K,D-16K / Non"},
    {"genuineintel0000660_p2_mendocino.txt", "GenuineIntel", 0x660, "Intel-Celeron", "Mendocino", 0x0183F9FF,
        {0x03020101, 0, 0, 0x0C040841}, 128, "I-16K,D-16K / 128KBytes"},
    {"intel-pentium-ii-dixon.txt", "GenuineIntel", 0x66A, "Intel-Celeron", "PPGA-Mendocino", 0x0183F9FF,
        {0x03020101, 0, 0, 0x0C040842}, 256, "I-16K,D-16K / 256KBytes"},
    {"intel-pentium-iii-katmai.txt", "GenuineIntel", 0x673, "Intel-Pentium III", "Katmai", 0x0387F9FF,
        {0x03020101, 0, 0, 0x0C040843}, 512, "I-16K,D-16K / 512KBytes"},
    {"genuineintel0000686_p3_coppermine.txt", "GenuineIntel", 0x686, "Intel-Pentium III", "Coppermine", 0x0383F9FF,
        {0x03020101, 0, 0, 0x0C040841}, 128, "I-16K,D-16K / 128KBytes"},
    // 0x82: the 8-way 256 KB L2.
    {"intel-pentium-iii-coppermine.txt", "GenuineIntel", 0x68A, "Intel-Pentium III", "Coppermine", 0x0383FBFF,
        {0x03020101, 0, 0, 0x0C040882}, 256, "I-16K,D-16K / 256KBytes"},
    // Intel processors the table does not know show their whole brand
    // string, without the blanks around it (those inside stay).
    {"intel-celeron-processor-600mhz.txt", "GenuineIntel", 0x695, "Intel-(Unknown)",
        "Intel(R) Celeron(R) processor            600MHz", 0xA7E9FBBF, {0x02B3B001, 0, 0, 0x2C043040}, 0, "I-0K,D-0K / Non"},
    {"intel-pentium-4-cpu-1.60ghz.txt", "GenuineIntel", 0xF24, "Intel-(Unknown)",
        "Intel(R) Pentium(R) 4 CPU 1.60GHz", 0x3FEBFBFF, {0x665B5001, 0, 0, 0x007B7040}, 0, "I-0K,D-0K / Non"},
    // Present-day Intel: the low twelve bits (0x6A7, 0x672, 0x662) would
    // read as P6-family parts; the extended model bits say otherwise. Leaf
    // 2 names no L1 sizes (descriptor 0x00, or 0xFF "see leaf 4"), so the
    // caches come from leaf 4: ways x partitions x line size x sets.
    // i7-2600: L1I 8 x 1 x 64 x 64, L1D 8 x 1 x 64 x 64, L2 8 x 1 x 64 x 512.
    {"intel-core-i7-2600-cpu.txt", "GenuineIntel", 0x6A7, "Intel-(Unknown)",
        "Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz", 0xBFEBFBFF, {0x76035A01, 0, 0, 0x00CA0000}, 256,
        "I-32K,D-32K / 256KBytes"},
    // L1I 8 x 1 x 64 x 64, L1D 12 x 1 x 64 x 64, L2 10 x 1 x 64 x 2048.
    {"12th-gen-intel-core-i5-12400.txt", "GenuineIntel", 0x672, "Intel-(Unknown)",
        "12th Gen Intel(R) Core(TM) i5-12400", 0xBFEBFBFF, {0x00FEFF01, 0, 0, 0}, 1280,
        "I-32K,D-48K / 1280KBytes"},
    // L1I 16 x 1 x 64 x 64, L1D 12 x 1 x 64 x 64, L2 12 x 1 x 64 x 4096.
    {"intel-core-ultra-7-265k.txt", "GenuineIntel", 0x662, "Intel-(Unknown)",
        "Intel(R) Core(TM) Ultra 7 265K", 0xBFEBFBFF, {0x00FEFF01, 0, 0, 0}, 3072,
        "I-64K,D-48K / 3072KBytes"},
    // Cyrix and Rise take the standard path but are decoded the extended
    // way; 0x80 in leaf 2 EDX names no L2 cache. From signature 0x590 on
    // the extended reading expects an L2 leaf.
    {"cyrixinstead0000520_6x86.txt", "CyrixInstead", 0x520, "Cyrix-6x86", "", 0x105,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    {"cyrixinstead0000540_mediagxm.txt", "CyrixInstead", 0x540, "Cyrix-MediaGXm", "", 0x00808131,
        {0x7001, 0, 0, 0x80}, 0, "I-0K,D-0K / Unknown"},
    {"cyrixinstead0000600_mii.txt", "CyrixInstead", 0x600, "Cyrix-MII", "", 0x0080A135,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / 0KBytes"},
    {"riseriserise0000504_mp6.txt", "RiseRiseRise", 0x504, "Rise-mP6", "", 0x00800011,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    {"riseriserise0000521_mp6.txt", "RiseRiseRise", 0x521, "Rise-mP6-II", "", 0x00800011,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    // AMD: feature words ORed, caches from the extended leaves, the brand
    // string as code name.
    {"amd-k5-pr75.txt", "AuthenticAMD", 0x500, "AMD-K5", "", 0x3BF,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    {"authenticamd0000514_k5.txt", "AuthenticAMD", 0x514, "AMD-K5", "AMD-K5(tm) Processor", 0x21BF,
        {0, 0x04800000, 0x08040120, 0x10040120}, 0, "I-16K,D-8K / Unknown"},
    {"amd-k6.txt", "AuthenticAMD", 0x562, "AMD-K6", "AMD-K6tm w/ multimedia extensions", 0x008005BF,
        {0, 0x02800140, 0x20020220, 0x20020220}, 0, "I-32K,D-32K / Unknown"},
    {"amd-k6-little-foot.txt", "AuthenticAMD", 0x570, "AMD-K6", "AMD-K6tm w/ multimedia extensions", 0x008005BF,
        {0, 0x02800140, 0x20020220, 0x20020220}, 0, "I-32K,D-32K / Unknown"},
    {"amd-k6-2-chomper.txt", "AuthenticAMD", 0x580, "AMD-K6-2", "AMD-K6(tm) 3D processor", 0x808009BF,
        {0, 0x02800140, 0x20020220, 0x20020220}, 0, "I-32K,D-32K / Unknown"},
    {"amd-k6-iii-sharptooth.txt", "AuthenticAMD", 0x591, "AMD-K6-III", "AMD-K6(tm) 3D+ Processor", 0x808029BF,
        {0x01004220, 0x02800140, 0x20020220, 0x20020220}, 256, "I-32K,D-32K / 256KBytes"},
    {"authenticamd00005d0_k63plus.txt", "AuthenticAMD", 0x5D0, "AMD-K6-III", "AMD-K6(tm)-III Processor", 0xC08029BF,
        {0x01004220, 0x02800140, 0x20020220, 0x20020220}, 256, "I-32K,D-32K / 256KBytes"},
    {"authenticamd0000612_k7_argon.txt", "AuthenticAMD", 0x612, "AMD-Athlon", "AMD-K7(tm) Processor", 0xC0C1F9FF,
        {0x02002140, 0xFF18FF10, 0x40020140, 0x40020140}, 512, "I-64K,D-64K / 512KBytes"},
    {"amd-athlon-processor.txt", "AuthenticAMD", 0x622, "AMD-Athlon", "AMD Athlon(tm) Processor", 0xC1C3F9FF,
        {0x02002140, 0xFF18FF10, 0x40020140, 0x40020140}, 512, "I-64K,D-64K / 512KBytes"},
    // This Duron reports a 1 KB L2 in its extended leaf.
    {"amd-duron-spitfire.txt", "AuthenticAMD", 0x630, "AMD-Athlon", "AMD Duron(tm) processor", 0xC1C7F9FF,
        {0x00018140, 0xFF18FF10, 0x40020140, 0x40020140}, 1, "I-64K,D-64K / 1KBytes"},
    // Extended families: named by the low twelve bits (0xFF0, 0xF20, ...).
    {"amd-athlon-64-processor-3200+.txt", "AuthenticAMD", 0x20FF0, "AMD-(Unknown)",
        "AMD Athlon(tm) 64 Processor 3200+", 0xE7DBFBFF,
        {0x02008140, 0xFF20FF20, 0x40020140, 0x40020140}, 512, "I-64K,D-64K / 512KBytes"},
    {"amd-fx-8350-eight-core-processor.txt", "AuthenticAMD", 0x600F20, "AMD-(Unknown)",
        "AMD FX(tm)-8350 Eight-Core Processor", 0x3FDBFBFF,
        {0x08008140, 0xFF40FF30, 0x10040140, 0x40020140}, 2048, "I-64K,D-16K / 2048KBytes"},
    {"amd-ryzen-5-3600-6-core-processor.txt", "AuthenticAMD", 0x870F10, "AMD-(Unknown)",
        "AMD Ryzen 5 3600 6-Core Processor", 0x3FDBFBFF,
        {0x02006140, 0xFF40FF40, 0x20080140, 0x20080140}, 512, "I-32K,D-32K / 512KBytes"},
    {"amd-ryzen-9-5900x-12-core-processor.txt", "AuthenticAMD", 0xA20F10, "AMD-(Unknown)",
        "AMD Ryzen 9 5900X 12-Core Processor", 0x3FDBFBFF,
        {0x02006140, 0xFF40FF40, 0x20080140, 0x20080140}, 512, "I-32K,D-32K / 512KBytes"},
    {"amd-ryzen-7-7700x-8-core-processor.txt", "AuthenticAMD", 0xA60F12, "AMD-(Unknown)",
        "AMD Ryzen 7 7700X 8-Core Processor", 0x3FDBFBFF,
        {0x04006140, 0xFF48FF40, 0x20080140, 0x20080140}, 1024, "I-32K,D-32K / 1024KBytes"},
    // Centaur: IDT WinChip and the VIA processor that kept the vendor id.
    {"centaurhauls0000541_winchipc6.txt", "CentaurHauls", 0x541, "IDT-Winchip C6", "", 0x008001B5,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    {"centaurhauls0000587_winchip2a.txt", "CentaurHauls", 0x587, "IDT-Winchip2A", "IDT WinChip 2-3D", 0x808001B5,
        {0, 0x08800880, 0x20040120, 0x20020120}, 0, "I-32K,D-32K / Unknown"},
    {"via-samuel.txt", "CentaurHauls", 0x660, "IDT-(Unknown)", "VIA Samuel", 0x808031B5,
        {0, 0x08800880, 0x40040120, 0x40040120}, 0, "I-64K,D-64K / 0KBytes"},
    // Vendors outside the table: only leaf 0 is read, the name stays empty.
    {"geode_by_nsc0000540_geode_gx1.txt", "Geode by NSC", 0, "", "", 0,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
    {"sis_sis_sis_0000505_sis550.txt", "SiS SiS SiS ", 0, "", "", 0,
        {0, 0, 0, 0}, 0, "I-0K,D-0K / Unknown"},
};
// clang-format on

TEST(CpuDumpProbeTest, RealProcessorsAreIdentifiedAsTheRulesSay) {
    for (const Expected& e : kDumps) {
        SCOPED_TRACE(e.file);
        ProbedDump probed(e.file);
        const CCpuInfo& info = probed.info;
        EXPECT_EQ(cpu::FixedText(info.VendorName), e.vendor);
        EXPECT_EQ(info.Signature, e.signature);
        EXPECT_EQ(cpu::FixedText(info.ProcessorName), std::string(e.name) + " Processor");
        EXPECT_EQ(cpu::FixedText(info.CodeName), e.codeName);
        EXPECT_EQ(info.FeatureFlag, e.featureFlag);
        EXPECT_EQ(info.CashFlagEAX, e.cache[0]);
        EXPECT_EQ(info.CashFlagEBX, e.cache[1]);
        EXPECT_EQ(info.CashFlagECX, e.cache[2]);
        EXPECT_EQ(info.CashFlagEDX, e.cache[3]);
        EXPECT_EQ(info.L2CashSize, e.l2);
        EXPECT_EQ(info.CacheItemText(255), e.summary);
    }
}

TEST(CpuDumpProbeTest, CacheAndTlbTextsOfRealProcessors) {
    const char* const kTlb4K32 = "4KB pages TLB(4-way set associative, 32entries)";
    const char* const kTlb4M2 = "4MB pages TLB(fully associative, 2entries)";
    const char* const kTlb4K64 = "4KB pages TLB(4-way set associative, 64entries)";
    const char* const kTlb4M8 = "4MB pages TLB(4-way set associative, 8entries)";
    const char* const kL1Intel16K = "16KB size(4-way set associative, 32byte line size)";
    const char* const kL1Amd64K =
        "64KB size(2-way set associative, 1lines per Tag, 64byte line size)";
    struct Texts {
        const char* file;
        const char* items[7];  // codes 1, 2, 3, 4, 5, 6, 16
    };
    // clang-format off
    const Texts kTexts[] = {
        {"genuineintel0000617_p6.txt", {kTlb4K32, kTlb4M2,
            "8KB size(2-way set associative, 32byte line size)", kTlb4K64, kTlb4M8,
            "8KB size(4-way set associative, 32byte line size)",
            "256KBytes(4-way set associative, 32byte line size)"}},
        {"intel-pentium-iii-coppermine.txt", {kTlb4K32, kTlb4M2, kL1Intel16K, kTlb4K64, kTlb4M8,
            kL1Intel16K, "256KBytes(8-way set associative, 32byte line size)"}},
        {"intel-pentium-4-cpu-1.60ghz.txt", {"Unknown", "Unknown", "Unknown", "Unknown", "Unknown",
            "Null", "Non L2 cache"}},
        {"authenticamd0000514_k5.txt", {"TLB(0-way set associative, 0entries)", "",
            "16KB size(4-way set associative, 1lines per Tag, 32byte line size)",
            "TLB(4-way set associative, 128entries)", "",
            "8KB size(4-way set associative, 1lines per Tag, 32byte line size)", "Unknown"}},
        {"amd-k6-iii-sharptooth.txt", {"TLB(1-way set associative, 64entries)", "",
            "32KB size(2-way set associative, 2lines per Tag, 32byte line size)",
            "TLB(2-way set associative, 128entries)", "",
            "32KB size(2-way set associative, 2lines per Tag, 32byte line size)",
            "256KB size(4-way set associative, 2lines per Tag, 32byte line size)"}},
        {"amd-duron-spitfire.txt", {"TLB(255-way set associative, 16entries)", "", kL1Amd64K,
            "TLB(255-way set associative, 24entries)", "", kL1Amd64K,
            "1KB size(8-way set associative, 1lines per Tag, 64byte line size)"}},
        {"cyrixinstead0000540_mediagxm.txt", {"TLB(0-way set associative, 0entries)", "",
            "0KB size(0-way set associative, 0lines per Tag, 128byte line size)",
            "TLB(0-way set associative, 0entries)", "",
            "0KB size(0-way set associative, 0lines per Tag, 0byte line size)", "Unknown"}},
    };
    // clang-format on
    const int codes[] = {1, 2, 3, 4, 5, 6, 16};
    for (const Texts& t : kTexts) {
        ProbedDump probed(t.file);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(probed.info.CacheItemText(codes[i]), t.items[i]) << t.file << " " << codes[i];
        }
    }
}

TEST(CpuDumpProbeTest, PresentDayIntelCachesComeFromTheDeterministicCacheLeaf) {
    const char* const kL1Eight32K =
        "32KB size(8-way set associative, 1lines per Tag, 64byte line size)";
    const char* const kL1Twelve48K =
        "48KB size(12-way set associative, 1lines per Tag, 64byte line size)";
    const char* const kTlb4K64 = "4KB pages TLB(4-way set associative, 64entries)";
    struct Leaf4 {
        const char* file;
        const char* items[7];  // codes 1, 2, 3, 4, 5, 6, 16: TLBs still from leaf 2
        uint32_t words[6];     // L1I EBX and sets, L1D EBX and sets, L2 EBX and sets
    };
    // clang-format off
    const Leaf4 kLeaf4[] = {
        {"intel-core-i7-2600-cpu.txt", {"Unknown", kTlb4K64, kL1Eight32K, "Unknown", "Unknown",
            kL1Eight32K, "256KB size(8-way set associative, 1lines per Tag, 64byte line size)"},
            {0x01C0003F, 64, 0x01C0003F, 64, 0x01C0003F, 512}},
        {"12th-gen-intel-core-i5-12400.txt", {"Unknown", "Unknown", kL1Eight32K, "Null", "Null",
            kL1Twelve48K, "1280KB size(10-way set associative, 1lines per Tag, 64byte line size)"},
            {0x01C0003F, 64, 0x02C0003F, 64, 0x0240003F, 2048}},
        {"intel-core-ultra-7-265k.txt", {"Unknown", "Unknown",
            "64KB size(16-way set associative, 1lines per Tag, 64byte line size)", "Null", "Null",
            kL1Twelve48K, "3072KB size(12-way set associative, 1lines per Tag, 64byte line size)"},
            {0x03C0003F, 64, 0x02C0003F, 64, 0x02C0003F, 4096}},
    };
    // clang-format on
    const int codes[] = {1, 2, 3, 4, 5, 6, 16};
    for (const Leaf4& e : kLeaf4) {
        SCOPED_TRACE(e.file);
        ProbedDump probed(e.file);
        const CCpuInfo& info = probed.info;
        EXPECT_EQ(info.CashLeaf4, 1u);
        const uint32_t words[6] = {info.L1ICash.EBX,  info.L1ICash.Sets, info.L1DCash.EBX,
                                   info.L1DCash.Sets, info.L2Cash.EBX,   info.L2Cash.Sets};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(words[i], e.words[i]) << "word " << i;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(info.CacheItemText(codes[i]), e.items[i]) << "code " << codes[i];
    }
    // Every other dump either names its caches in leaf 2 or has no leaf 4.
    for (const Expected& e : kDumps) {
        bool leaf4 = false;
        for (const Leaf4& present : kLeaf4)
            leaf4 = leaf4 || std::string(present.file) == e.file;
        EXPECT_EQ(ProbedDump(e.file).info.CashLeaf4, leaf4 ? 1u : 0u) << e.file;
    }
}

TEST(CpuDumpProbeTest, EachPathReadsItsLeavesOnceInOrder) {
    using Leaves = std::vector<uint32_t>;
    EXPECT_EQ(ProbedDump("genuineintel0000686_p3_coppermine.txt").leavesRead, (Leaves{0, 1, 2}));
    // Old Intel processors answer leaf 0x80000000 with leaf-2 data: no brand.
    EXPECT_EQ(ProbedDump("intel-pentium-ii-dixon.txt").leavesRead, (Leaves{0, 1, 2}));
    // Leaves above the highest that leaf 0 or 0x80000000 announces are not
    // read: no leaf 2 here, no 0x80000006 on the K6-2, no extended leaves
    // on the K5, whose leaf 0x80000000 answers zeros.
    EXPECT_EQ(ProbedDump("genuineintel0000517_p5.txt").leavesRead, (Leaves{0, 1}));
    EXPECT_EQ(ProbedDump("intel-pentium-4-cpu-1.60ghz.txt").leavesRead,
              (Leaves{0, 1, 2, 0x80000000, 0x80000002, 0x80000003, 0x80000004}));
    EXPECT_EQ(
        ProbedDump("amd-k6-2-chomper.txt").leavesRead,
        (Leaves{0, 1, 0x80000000, 0x80000001, 0x80000005, 0x80000002, 0x80000003, 0x80000004}));
    EXPECT_EQ(ProbedDump("amd-k5-pr75.txt").leavesRead, (Leaves{0, 1, 0x80000000}));
    EXPECT_EQ(ProbedDump("sis_sis_sis_0000505_sis550.txt").leavesRead, (Leaves{0}));
    // Leaf 4 once per sub-leaf, up to the first of cache type 0 (sub-leaf 4).
    EXPECT_EQ(ProbedDump("intel-core-i7-2600-cpu.txt").leavesRead,
              (Leaves{0, 1, 2, 4, 4, 4, 4, 4, 0x80000000, 0x80000002, 0x80000003, 0x80000004}));
}

}  // namespace
