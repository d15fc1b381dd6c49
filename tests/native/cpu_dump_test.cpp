// Reading recorded CPUID dumps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "cpu/cpuid_dump.h"

namespace {

TEST(CpuidDumpTest, ReadsLeavesSkippingCommentsBlankLinesAndCarriageReturns) {
    cpu::CpuidDump dump;
    std::string error;
    ASSERT_TRUE(
        dump.Parse("# recorded somewhere\r\n"
                   "00000000 00000002 756E6547 6C65746E 49656E69\r\n"
                   "\r\n"
                   "  80000001\t00000000 00000000 00000121 2c100000  \n"
                   "# the end",
                   error))
        << error;
    EXPECT_EQ(dump.LeafCount(), 2u);
    EXPECT_EQ(dump.Leaf(0).ebx, 0x756E6547u);
    EXPECT_EQ(dump.Leaf(0).ecx, 0x6C65746Eu);
    EXPECT_EQ(dump.Leaf(0x80000001).edx, 0x2C100000u);
    cpu::CpuidResult absent = dump.Leaf(2);  // not listed: zeros
    EXPECT_EQ(absent.eax | absent.ebx | absent.ecx | absent.edx, 0u);
}

TEST(CpuidDumpTest, SixNumberLinesGiveTheSubLeavesOfALeaf) {
    cpu::CpuidDump dump;
    std::string error;
    ASSERT_TRUE(
        dump.Parse("00000004 1C004121 01C0003F 0000003F 00000000\n"
                   "00000004 00000001 1C004122 01C0003F 0000003F 00000000\n"
                   "00000004 00000003 1C03C163 03C0003F 00001FFF 00000006\n",
                   error))
        << error;
    EXPECT_EQ(dump.LeafCount(), 3u);
    EXPECT_EQ(dump.Leaf(4).eax, 0x1C004121u);
    EXPECT_EQ(dump.Leaf(4, 1).eax, 0x1C004122u);
    EXPECT_EQ(dump.Leaf(4, 3).ecx, 0x1FFFu);
    EXPECT_EQ(dump.Leaf(4, 3).edx, 6u);
    EXPECT_EQ(dump.Leaf(4, 2).eax, 0u) << "a sub-leaf not listed answers zeros";

    cpu::DumpCpuPlatform platform(dump);
    EXPECT_EQ(platform.CpuidSubLeaf(4, 1).ebx, 0x01C0003Fu);
    EXPECT_EQ(platform.Cpuid(4).eax, 0x1C004121u);
    // A platform that knows only sub-leaf 0 ends every sub-leaf list there.
    cpu::NeutralCpuPlatform neutral;
    EXPECT_EQ(neutral.CpuidSubLeaf(4, 1).eax, 0u);
}

TEST(CpuidDumpTest, UnlistedLeavesAboveTheHighestAnswerAsTheVendorDoes) {
    const cpu::CpuidResult kLeaf1 = {0x543, 1, 2, 0x8003BF};
    struct Case {
        const char* vendor;
        uint32_t maxBasic;     // leaf 0 EAX
        uint32_t maxExtended;  // leaf 0x80000000 EAX; 0: not listed
        uint32_t leaf;
        cpu::CpuidResult answer;
    };
    // Listed: leaves 0 and 1, and 0x80000000 where given.
    const Case kCases[] = {
        {"GenuineIntel", 1, 0, 2, kLeaf1},  // above leaf 0 EAX: the highest basic leaf
        {"GenuineIntel", 3, 0, 2, {}},      // in range, not listed
        {"GenuineIntel", 1, 0, 0x80000000, kLeaf1},
        {"GenuineIntel", 1, 0x03020101, 0x80000003, kLeaf1},  // no 0x8000xxxx maximum
        {"GenuineIntel", 1, 0x80000004, 0x80000003, {}},
        {"GenuineIntel", 1, 0x80000004, 0x80000005, kLeaf1},
        {"GenuineIntel", 0, 0, 1, kLeaf1},  // listed leaves answer as listed
        {"AuthenticAMD", 1, 0, 2, {}},
        {"AuthenticAMD", 1, 0x80000004, 0x80000005, {}},
    };
    auto words = [](const cpu::CpuidResult& r) {
        return std::make_tuple(r.eax, r.ebx, r.ecx, r.edx);
    };
    for (const Case& c : kCases) {
        uint32_t vendor[3];
        std::memcpy(vendor, c.vendor, sizeof vendor);
        cpu::CpuidDump dump;
        dump.SetLeaf(0, {c.maxBasic, vendor[0], vendor[2], vendor[1]});
        dump.SetLeaf(1, kLeaf1);
        if (c.maxExtended != 0)
            dump.SetLeaf(0x80000000, {c.maxExtended, 0, 0, 0});
        cpu::DumpCpuPlatform platform(dump);
        EXPECT_EQ(words(platform.Cpuid(c.leaf)), words(c.answer))
            << c.vendor << " " << c.maxBasic << " " << std::hex << c.maxExtended << " " << c.leaf;
    }
}

TEST(CpuidDumpTest, RefusesMalformedDumpsAndSaysWhere) {
    const std::pair<const char*, const char*> kCases[] = {
        {"00000000 00000002 756E6547 6C65746E\n", "line 1: expected"},  // four fields
        {"# c\n00000000 00000002 756E6547 6C65746E 49656E69 0\n", "line 2: expected"},
        {"00000000 0000002 756E6547 6C65746E 49656E69\n", "line 1: expected"},    // 7 digits
        {"00000000 000000002 756E6547 6C65746E 49656E69\n", "line 1: expected"},  // 9 digits
        {"00000000 0000000G 756E6547 6C65746E 49656E69\n", "line 1: expected"},
        {"00000001 00000000 00000000 00000000 00000000\n"
         "00000001 00000000 00000000 00000000 00000000\n",
         "line 2: leaf listed twice"},
        {"00000004 00000000 1C004121 01C0003F 0000003F 00000000\n"
         "00000004 1C004121 01C0003F 0000003F 00000000\n",
         "line 2: leaf listed twice"},  // sub-leaf 0 in both forms
        {"00000004 00000001 1C004122 01C0003F 0000003F 00000000 00000000\n",
         "line 1: expected"},  // seven fields
        {"# only a comment\n\n", "no CPUID leaves"},
        {"", "no CPUID leaves"},
    };
    for (const auto& c : kCases) {
        cpu::CpuidDump dump;
        dump.SetLeaf(7, {1, 2, 3, 4});
        std::string error;
        EXPECT_FALSE(dump.Parse(c.first, error)) << c.first;
        EXPECT_EQ(error.rfind(c.second, 0), 0u) << error;
        EXPECT_EQ(dump.LeafCount(), 1u);  // a failed parse leaves the dump as it was
    }
}

TEST(CpuidDumpTest, MissingFileIsNamedInTheError) {
    cpu::CpuidDump dump;
    std::string error;
    std::string path = VELKORA_SOURCE_DIR "/tests/data/cpuid-dumps/no-such-processor.txt";
    EXPECT_FALSE(dump.Load(path, error));
    EXPECT_NE(error.find("no-such-processor.txt"), std::string::npos) << error;
    EXPECT_EQ(dump.LeafCount(), 0u);
}

}  // namespace
