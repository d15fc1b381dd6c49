// The system record on the machine the tests run on, and the registry
// reader's Win32 semantics that the probe's tests assume of their fake.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "sysinfo/sys_info.h"
#include "sysinfo/sys_memory_win32.h"
#include "sysinfo/system_probe.h"

namespace {

// MemTotal of the host's /proc/meminfo in MiB, which Wine shows on its Z:
// drive; 0 when it cannot be read.
double HostMemoryMegabytes() {
    std::FILE* file = std::fopen("Z:\\proc\\meminfo", "r");
    if (file == nullptr)
        return 0;
    char line[256];
    double kilobytes = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::sscanf(line, "MemTotal: %lf kB", &kilobytes) == 1)
            break;
    }
    std::fclose(file);
    return kilobytes / 1024;
}

TEST(SysInfoMachineTest, PlatformTextOfTheRunningWindows) {
    CSysInfo info = sysinfo::SystemProbe().RunningSystem();
    // "Windows7Service Pack 1(6.1.7601)  NNNNNMB Mem" for Wine's Windows 7.
    const std::string prefix = "Windows7Service Pack 1(6.1.7601)  ";
    const std::string suffix = "MB Mem";
    const std::string& text = info.PlatformInfo;
    ASSERT_GT(text.size(), prefix.size() + suffix.size()) << text;
    EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
    EXPECT_EQ(text.compare(text.size() - suffix.size(), suffix.size(), suffix), 0) << text;
    std::string megabytes = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    for (char c : megabytes)
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << text;
    EXPECT_EQ(info.PlatformID, 2);

    // The whole installed memory, also past the 2 GB that the older call
    // reports to a 32-bit program.
    double host = HostMemoryMegabytes();
    ASSERT_GT(host, 0.0) << "Z:\\proc\\meminfo cannot be read";
    EXPECT_NEAR(std::stod(megabytes), host, host * 0.03) << text;
    std::printf("[ platform ] %s (host MemTotal %.0f MB)\n[ video    ] %s\n", text.c_str(), host,
                info.VideoCard.c_str());
}

// Stand-ins for GlobalMemoryStatusEx.
BOOL WINAPI FailingMemoryStatus(MEMORYSTATUSEX*) {
    return FALSE;
}

BOOL WINAPI SixGigabytes(MEMORYSTATUSEX* status) {
    if (status->dwLength != sizeof *status)
        return FALSE;
    status->ullTotalPhys = 6ull << 30;
    return TRUE;
}

TEST(SysInfoMachineTest, MemoryFromTheExtendedCallOrFromTheOlderOne) {
    sysinfo::GlobalMemoryStatusExProc extended = sysinfo::FindGlobalMemoryStatusEx();
    ASSERT_NE(extended, nullptr) << "Wine's kernel32 has GlobalMemoryStatusEx";
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    MEMORYSTATUS older = {};
    older.dwLength = sizeof older;
    GlobalMemoryStatus(&older);

    EXPECT_EQ(sysinfo::TotalPhysicalBytes(extended), status.ullTotalPhys);
    EXPECT_EQ(sysinfo::SysPlatform::Current().TotalPhysicalMemory(), status.ullTotalPhys);
    EXPECT_EQ(sysinfo::TotalPhysicalBytes(SixGigabytes), 6ull << 30);
    // Without the extended call (or when it fails), the older one answers.
    EXPECT_EQ(sysinfo::TotalPhysicalBytes(nullptr), older.dwTotalPhys);
    EXPECT_EQ(sysinfo::TotalPhysicalBytes(FailingMemoryStatus), older.dwTotalPhys);
    std::printf("[ memory   ] extended %llu bytes, older call %lu bytes\n",
                static_cast<unsigned long long>(status.ullTotalPhys),
                static_cast<unsigned long>(older.dwTotalPhys));
}

TEST(SysInfoMachineTest, ManifestDeclaresVistaTo11) {
    // The program's resources are linked into this test program too.
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(nullptr, found);
    ASSERT_NE(loaded, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(loaded)),
                         SizeofResource(nullptr, found));
    for (const char* id : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",     // Vista
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos)
            << id;
    }
}

TEST(SysInfoMachineTest, NamesVideoCardAndSettings) {
    sysinfo::SystemProbe probe;
    CSysInfo info = probe.RunningSystem();
    EXPECT_FALSE(info.UserName.empty());
    EXPECT_FALSE(info.PCName.empty());
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    EXPECT_EQ(info.Setting & 0xFF, system.dwNumberOfProcessors & 0xFF);
    EXPECT_EQ(info.Setting & ~(0xFFu | CSysInfo::kSmoothScroll | CSysInfo::kComboBoxAnimation |
                               CSysInfo::kListBoxSmoothScrolling | CSysInfo::kFontSmoothing),
              0u);

    // Wine keeps no display-driver keys of the 95 family: the primary
    // adapter is the one entry.
    std::vector<std::string> list;
    std::string text;
    EXPECT_EQ(probe.ProbeVideoCard(text, 0, &list), 1);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.back(), text);
    EXPECT_EQ(info.VideoCard, text);
}

class SysInfoRegistryTest : public ::testing::Test {
  protected:
    const char* kPath = "Software\\Velkora tests\\Display\\0000";

    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &m_key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(m_key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kPath);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velkora tests\\Display");
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velkora tests");
    }
    void SetValue(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    HKEY m_key = nullptr;
};

TEST_F(SysInfoRegistryTest, ValueLargerThanTheBufferIsNotRead) {
    SetValue("Fits", REG_SZ, std::string(127, 'F') + '\0');
    SetValue("TooLong", REG_SZ, std::string(128, 'T') + '\0');
    SetValue("Unterminated", REG_BINARY, std::string(128, 'U'));
    SetValue("Memory", REG_DWORD, std::string("\x00\x00\x80\x00", 4));

    sysinfo::RegistryReader& registry = sysinfo::SysPlatform::Current().Registry();
    sysinfo::RegistryReader::Key key = 0;
    ASSERT_TRUE(registry.OpenKey(sysinfo::RegistryRoot::kCurrentUser, kPath, key));
    char buffer[128];
    uint32_t size = sizeof buffer;
    EXPECT_TRUE(registry.QueryValue(key, "Fits", buffer, size));
    EXPECT_EQ(size, 128u);
    size = sizeof buffer;
    EXPECT_FALSE(registry.QueryValue(key, "TooLong", buffer, size));
    size = sizeof buffer;
    EXPECT_TRUE(registry.QueryValue(key, "Unterminated", buffer, size));
    EXPECT_EQ(std::string(buffer, size), std::string(128, 'U'));
    uint32_t memory = 0;
    size = sizeof memory;
    EXPECT_TRUE(registry.QueryValue(key, "Memory", &memory, size));
    EXPECT_EQ(memory, 8u << 20);
    size = sizeof buffer;
    EXPECT_FALSE(registry.QueryValue(key, "Missing", buffer, size));
    registry.CloseKey(key);
    EXPECT_FALSE(registry.OpenKey(sysinfo::RegistryRoot::kCurrentUser,
                                  "Software\\Velkora tests\\Display\\0001", key));
}

}  // namespace
