// The system record on the machine the tests run on, and the registry
// reader's Win32 semantics that the probe's tests assume of their fake.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "sysinfo/sys_info.h"

namespace {

TEST(SysInfoMachineTest, PlatformTextOfTheRunningWindows) {
    CSysInfo info;
    // "Windows2000Service Pack 1(6.1.7601)  NNNNMB Mem" for Wine's Windows 7.
    const std::string prefix = "Windows2000Service Pack 1(6.1.7601)  ";
    const std::string suffix = "MB Mem";
    const std::string& text = info.PlatformInfo;
    ASSERT_GT(text.size(), prefix.size() + suffix.size()) << text;
    EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
    EXPECT_EQ(text.compare(text.size() - suffix.size(), suffix.size(), suffix), 0) << text;
    std::string megabytes = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    for (char c : megabytes)
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << text;
    EXPECT_GT(std::stoi(megabytes), 0);
    EXPECT_EQ(info.PlatformID, 2);
    std::printf("[ platform ] %s\n[ video    ] %s\n", text.c_str(), info.VideoCard.c_str());
}

TEST(SysInfoMachineTest, NamesVideoCardAndSettings) {
    CSysInfo info;
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
    EXPECT_EQ(info.ProbeVideoCard(text, 0, &list), 1);
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
