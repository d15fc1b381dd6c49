// The Windows version text and platform family of every version the names
// know, and of those newer than the names.
#include <gtest/gtest.h>

#include "cpu/cpu_platform.h"
#include "cpu/windows_version.h"

namespace {

TEST(CpuWindowsVersionTest, TextsForEveryRowAndThreshold) {
    const uint32_t ws = cpu::kProductWorkstation;
    const uint32_t dc = cpu::kProductDomainController;
    const uint32_t sv = cpu::kProductServer;
    struct Row {
        uint32_t platformId;
        uint32_t major;
        uint32_t minor;
        uint32_t build;
        const char* csd;
        uint32_t product;
        const char* text;
        int32_t family;
    };
    const Row kRows[] = {
        {0, 3, 10, 0, "", ws, "Windows3.1 (3.10.0)", 0},
        {1, 4, 0, 950, "", ws, "Windows95 (4.0.950)", 1},
        {1, 4, 0, 0x040007CD, " B", ws, "Windows95  B(4.0.1997)", 1},
        {1, 4, 10, 0x040A07CE, "", ws, "Windows98 (4.10.1998)", 1},  // high bits ignored
        {1, 4, 10, 1999, " A", ws, "Windows98  A(4.10.1999)", 1},
        {1, 4, 10, 2000, "", ws, "Windows2000 (4.10.2000)", 1},
        {1, 4, 10, 2222, "", ws, "Windows2000 (4.10.2222)", 1},
        // Minor version 90 is Windows Me, whatever its build says.
        {1, 4, 90, 0x045A0BB8, "", ws, "WindowsMe (4.90.3000)", 1},
        {1, 4, 90, 1998, "", ws, "WindowsMe (4.90.1998)", 1},
        {2, 3, 51, 1057, "Service Pack 5", ws, "WindowsNT3.51 Service Pack 5(3.51.1057)", 2},
        {2, 4, 0, 1381, "Service Pack 6", ws, "WindowsNT4.0 Service Pack 6(4.0.1381)", 2},
        {2, 4, 0, 1381, "Service Pack 6", sv, "WindowsNT4.0 Service Pack 6(4.0.1381)", 2},
        {2, 5, 0, 2195, "", ws, "Windows2000 (5.0.2195)", 2},
        {2, 5, 0, 2195, "", sv, "Windows2000 (5.0.2195)", 2},
        {2, 5, 1, 2600, "Service Pack 3", ws, "WindowsXP Service Pack 3(5.1.2600)", 2},
        {2, 5, 1, 2600, "", sv, "WindowsXP (5.1.2600)", 2},
        {2, 5, 2, 3790, "Service Pack 2", ws, "WindowsXP Service Pack 2(5.2.3790)", 2},
        {2, 5, 2, 3790, "Service Pack 2", sv, "WindowsServer2003 Service Pack 2(5.2.3790)", 2},
        {2, 5, 2, 3790, "", dc, "WindowsServer2003 (5.2.3790)", 2},
        {2, 6, 0, 6002, "Service Pack 2", ws, "WindowsVista Service Pack 2(6.0.6002)", 2},
        {2, 6, 0, 6002, "Service Pack 2", sv, "WindowsServer2008 Service Pack 2(6.0.6002)", 2},
        {2, 6, 1, 7601, "Service Pack 1", ws, "Windows7 Service Pack 1(6.1.7601)", 2},
        {2, 6, 1, 7601, "Service Pack 1", sv, "WindowsServer2008R2 Service Pack 1(6.1.7601)", 2},
        {2, 6, 2, 9200, "", ws, "Windows8 (6.2.9200)", 2},
        {2, 6, 2, 9200, "", dc, "WindowsServer2012 (6.2.9200)", 2},
        {2, 6, 3, 9600, "", ws, "Windows8.1 (6.3.9600)", 2},
        {2, 6, 3, 9600, "", sv, "WindowsServer2012R2 (6.3.9600)", 2},
        {2, 10, 0, 21999, "", ws, "Windows10 (10.0.21999)", 2},
        {2, 10, 0, 22000, "", ws, "Windows11 (10.0.22000)", 2},
        {2, 10, 0, 14393, "", sv, "WindowsServer2016 (10.0.14393)", 2},
        {2, 10, 0, 17762, "", sv, "WindowsServer2016 (10.0.17762)", 2},
        {2, 10, 0, 17763, "", sv, "WindowsServer2019 (10.0.17763)", 2},
        {2, 10, 0, 20347, "", dc, "WindowsServer2019 (10.0.20347)", 2},
        {2, 10, 0, 20348, "", sv, "WindowsServer2022 (10.0.20348)", 2},
        {2, 10, 0, 26099, "", sv, "WindowsServer2022 (10.0.26099)", 2},
        {2, 10, 0, 26100, "", sv, "WindowsServer2025 (10.0.26100)", 2},
        {2, 10, 0, 26100, "", ws, "Windows11 (10.0.26100)", 2},
        // Versions newer than the names known here, or between them.
        {2, 11, 0, 30000, "", ws, "WindowsNT11.0 (11.0.30000)", 2},
        {2, 11, 0, 30000, "", sv, "WindowsNT11.0 (11.0.30000)", 2},
        {2, 6, 4, 9841, "", ws, "WindowsNT6.4 (6.4.9841)", 2},
        {2, 10, 1, 30000, "", ws, "WindowsNT10.1 (10.1.30000)", 2},
        {3, 1, 0, 0, "", ws, "Windows2000 (1.0.0)", 0},
    };
    for (const Row& row : kRows) {
        const cpu::OsVersionInfo version = {row.major,      row.minor, row.build,
                                            row.platformId, row.csd,   row.product};
        EXPECT_EQ(cpu::FormatWindowsVersion(version), row.text);
        EXPECT_EQ(cpu::PlatformFamily(version), row.family) << row.text;
    }
}

TEST(CpuWindowsVersionTest, PlatformTextIsTheTextOfItsVersion) {
    struct VersionPlatform : cpu::NeutralCpuPlatform {
        cpu::OsVersionInfo VersionInfo() override {
            return {5, 1, 2600, cpu::kPlatformNt, "Service Pack 3"};
        }
    } platform;
    EXPECT_EQ(cpu::FormatWindowsVersion(platform), "WindowsXP Service Pack 3(5.1.2600)");
    cpu::NeutralCpuPlatform neutral;
    EXPECT_EQ(cpu::FormatWindowsVersion(neutral), "Windows3.1 (0.0.0)");
    EXPECT_EQ(cpu::CountProcessors(neutral), 1);
}

}  // namespace
