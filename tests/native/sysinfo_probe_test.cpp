// The system probe on a made-up machine: version and memory text, the
// Setting word, user and computer name, and the video card walk over a fake
// registry.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sysinfo/sys_info.h"
#include "sysinfo/system_probe.h"

namespace {

using sysinfo::RegistryRoot;

// Keys by root and path, values as raw bytes, with the Win32 rule that a
// value larger than the caller's buffer is not read.
class FakeRegistry : public sysinfo::RegistryReader {
  public:
    void Set(RegistryRoot root, const std::string& path, const std::string& name,
             const std::string& bytes) {
        m_keys[{root, path}][name] = bytes;
    }
    void SetDword(RegistryRoot root, const std::string& path, const std::string& name,
                  uint32_t value) {
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        Set(root, path, name, bytes);
    }
    void AddKey(RegistryRoot root, const std::string& path) { m_keys[{root, path}]; }

    bool OpenKey(RegistryRoot root, const std::string& path, Key& key) override {
        auto found = m_keys.find({root, path});
        if (found == m_keys.end())
            return false;
        m_open.push_back(&found->second);
        key = m_open.size();
        ++openCount;
        return true;
    }
    bool QueryValue(Key key, const char* name, void* data, uint32_t& size) override {
        const auto& values = *m_open.at(key - 1);
        auto found = values.find(name);
        if (found == values.end() || found->second.size() > size)
            return false;
        std::memcpy(data, found->second.data(), found->second.size());
        size = static_cast<uint32_t>(found->second.size());
        return true;
    }
    void CloseKey(Key) override { ++closeCount; }

    int openCount = 0;
    int closeCount = 0;

  private:
    std::map<std::pair<RegistryRoot, std::string>, std::map<std::string, std::string>> m_keys;
    std::vector<const std::map<std::string, std::string>*> m_open;
};

class FakeSysPlatform : public sysinfo::SysPlatform {
  public:
    cpu::OsVersionInfo VersionInfo() override { return version; }
    uint64_t TotalPhysicalMemory() override { return memory; }
    bool UserName(std::string& name) override {
        name = user;
        return !user.empty();
    }
    bool ComputerName(std::string& name) override {
        name = computer;
        return !computer.empty();
    }
    uint32_t ProcessorCount() override { return processors; }
    bool SystemParameter(uint32_t action, uint32_t& value) override {
        auto found = parameters.find(action);
        if (found == parameters.end())
            return false;
        value = found->second;
        return true;
    }
    bool DisplayAdapterName(std::string& name) override {
        name = adapter;
        return !adapter.empty();
    }
    sysinfo::RegistryReader& Registry() override { return registry; }

    cpu::OsVersionInfo version{4, 10, 0x040A07CE, cpu::kPlatformWindows, ""};
    uint64_t memory = 66584576;  // 63.5 MiB
    std::string user = "taro";
    std::string computer = "PC-98";
    uint32_t processors = 1;
    std::map<uint32_t, uint32_t> parameters;
    std::string adapter;
    FakeRegistry registry;
};

const char kDisplay[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";

std::string Key(const char* number) {
    return std::string(kDisplay) + number;
}

TEST(SysInfoTest, PlatformTextAndId) {
    struct Case {
        cpu::OsVersionInfo version;
        uint64_t memory;
        const char* text;
        int32_t id;
    };
    const Case kCases[] = {
        {{4, 10, 0x040A07CE, 1, ""}, 66584576, "Windows98(4.10.1998)  64MB Mem", 1},
        {{4, 0, 1381, 2, "Service Pack 6"},
         134217728,
         "WindowsNT4.0Service Pack 6(4.0.1381)  128MB Mem",
         2},
        {{6, 1, 7601, 2, "Service Pack 1"},
         0x7FFF0000,
         "Windows7Service Pack 1(6.1.7601)  2048MB Mem",
         2},
        // Wine's Windows 7 on this machine: 24683748 kB, past 32 bits.
        {{6, 1, 7601, 2, "Service Pack 1"},
         24683748ull * 1024,
         "Windows7Service Pack 1(6.1.7601)  24105MB Mem",
         2},
        {{10, 0, 26100, 2, "", cpu::kProductServer},
         1ull << 40,
         "WindowsServer2025(10.0.26100)  1048576MB Mem",
         2},
        {{4, 90, 0x045A0BB8, 1, " "}, 134217728, "WindowsMe (4.90.3000)  128MB Mem", 1},
        {{4, 0, 0x04000395, 1, " C"}, 33554432, "Windows95 C(4.0.917)  32MB Mem", 1},
        {{3, 10, 0, 0, ""}, 8388608, "Windows3.1(3.10.0)  8MB Mem", 0},
        {{7, 0, 1, 5, ""}, 0, "Windows2000(7.0.1)  0MB Mem", 0},
    };
    for (const Case& c : kCases) {
        FakeSysPlatform platform;
        platform.version = c.version;
        platform.memory = c.memory;
        sysinfo::SystemProbe infoProbe(platform);
        CSysInfo info = infoProbe.RunningSystem();
        EXPECT_EQ(info.PlatformInfo, c.text);
        EXPECT_EQ(info.PlatformID, c.id) << c.text;
    }
}

TEST(SysInfoTest, MemoryIsRoundedToTheNearestMegabyteHalvesUp) {
    const std::pair<uint64_t, int> kCases[] = {
        {0, 0},
        {524287, 0},
        {524288, 1},
        {1048576, 1},
        {66584575, 63},
        {66584576, 64},
        {0xFFFFFFFF, 4096},
        {0x100000000, 4096},
        {24683748ull * 1024, 24105},            // 24105.2 MiB
        {(24105ull << 20) + (1 << 19), 24106},  // a half goes up
        {(1ull << 42) - 1, 4194304},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(sysinfo::MemoryMegabytes(c.first), c.second) << c.first;
}

TEST(SysInfoTest, SettingWordHoldsProcessorsAndTheFourEffects) {
    const char kDesktop[] = "Control Panel\\desktop";
    struct Case {
        uint32_t processors;
        bool smoothScroll;
        std::map<uint32_t, uint32_t> parameters;
        uint32_t setting;
    };
    const Case kCases[] = {
        {8, true, {{0x1004, 1}, {0x1006, 1}, {0x004A, 1}}, 0x01070008},
        {256, false, {{0x1004, 0}, {0x1006, 0}, {0x004A, 0}}, 0},
        {2, false, {{0x1004, 7}}, 0x00020002},  // any nonzero answer; unanswered stay clear
        {1, true, {{0x1006, 1}}, 0x00050001},
        {3, false, {{0x004A, 2}}, 0x01000003},
    };
    for (const Case& c : kCases) {
        FakeSysPlatform platform;
        platform.processors = c.processors;
        platform.parameters = c.parameters;
        platform.registry.SetDword(RegistryRoot::kCurrentUser, kDesktop, "SmoothScroll",
                                   c.smoothScroll ? 1 : 0);
        sysinfo::SystemProbe infoProbe(platform);
        CSysInfo info = infoProbe.RunningSystem();
        EXPECT_EQ(info.Setting, c.setting) << std::hex << c.setting;
    }
    // A missing key or value leaves bit 16 clear; ProbeSettings recomputes.
    FakeSysPlatform platform;
    platform.registry.AddKey(RegistryRoot::kCurrentUser, kDesktop);
    sysinfo::SystemProbe infoProbe(platform);
    CSysInfo info = infoProbe.RunningSystem();
    EXPECT_EQ(info.Setting, 1u);
    platform.registry.Set(RegistryRoot::kCurrentUser, kDesktop, "SmoothScroll", "\x01");
    infoProbe.ProbeSettings(info);
    EXPECT_EQ(info.Setting, 0x10001u);
}

TEST(SysInfoTest, NamesAndUserTextsOfANewRecord) {
    FakeSysPlatform platform;
    sysinfo::SystemProbe infoProbe(platform);
    CSysInfo info = infoProbe.RunningSystem();
    EXPECT_EQ(info.UserName, "taro");
    EXPECT_EQ(info.PCName, "PC-98");
    EXPECT_EQ(info.SystemName, "");
    EXPECT_EQ(info.MEMO, "");
    EXPECT_EQ(info.Date, "");
    platform.user.clear();
    platform.computer.clear();
    sysinfo::SystemProbe namelessProbe(platform);
    CSysInfo nameless = namelessProbe.RunningSystem();
    EXPECT_EQ(nameless.UserName, "");
    EXPECT_EQ(nameless.PCName, "");
}

TEST(SysInfoTest, VideoWalkListsEveryDescribedKeyAndKeepsTheLast) {
    const RegistryRoot hklm = RegistryRoot::kLocalMachine;
    FakeSysPlatform platform;
    platform.registry.Set(hklm, Key("0000"), "DriverDesc", std::string("A\0", 2));
    platform.registry.Set(hklm, Key("0001"), "DriverDesc", std::string("B\0", 2));
    platform.registry.SetDword(hklm, Key("0001\\INFO"), "VideoMemory", 8 << 20);
    sysinfo::SystemProbe infoProbe(platform);
    CSysInfo info = infoProbe.RunningSystem();
    EXPECT_EQ(info.VideoCard, "B 8MB");

    std::vector<std::string> list;
    std::string text = "kept";
    EXPECT_EQ(infoProbe.ProbeVideoCard(text, 0, &list), 1);
    EXPECT_EQ(list, (std::vector<std::string>{"A", "B 8MB"}));
    EXPECT_EQ(text, "B 8MB");
    EXPECT_EQ(infoProbe.ProbeVideoCard(text, 1, &list), 1);  // from key 0001 on
    EXPECT_EQ(list.back(), "B 8MB");
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(platform.registry.openCount, platform.registry.closeCount);
}

TEST(SysInfoTest, VideoEntriesFromDescriptionsAndMemory) {
    const RegistryRoot hklm = RegistryRoot::kLocalMachine;
    const std::string full(128, 'D');
    const std::string e127(127, 'E');
    struct Case {
        const char* name;
        std::string description;  // raw bytes; "-" for no DriverDesc value
        std::string memory;       // raw VideoMemory bytes; "-" for no INFO key
        std::string entry;        // empty: the key is not found
    };
    const Case kCases[] = {
        {"memory cut to whole MB", std::string("S3 Trio64V+\0", 12),
         std::string("\xFF\xFF\xFF\x00", 4), "S3 Trio64V+ 15MB"},
        {"missing INFO key", "Matrox Millennium", "-", "Matrox Millennium"},
        {"oversized VideoMemory", "Voodoo", std::string(8, '\x01'), "Voodoo"},
        {"short VideoMemory", "Rage", std::string("\x00\x00\x20", 3), "Rage 2MB"},
        {"unterminated description filling the buffer", full, "-", full},
        {"terminator past the buffer", full + '\0', "-", ""},
        {"127 characters and terminator", e127 + '\0', "-", e127},
        {"no DriverDesc", "-", std::string("\x00\x00\x80\x00", 4), ""},
    };
    for (const Case& c : kCases) {
        FakeSysPlatform platform;
        platform.registry.AddKey(hklm, Key("0000"));
        if (c.description != "-") {
            platform.registry.Set(hklm, Key("0000"), "DriverDesc", c.description);
        }
        if (c.memory != "-") {
            platform.registry.Set(hklm, Key("0000\\INFO"), "VideoMemory", c.memory);
        }
        sysinfo::SystemProbe infoProbe(platform);
        CSysInfo info = infoProbe.RunningSystem();
        std::vector<std::string> list;
        std::string text = "kept";
        bool found = !c.entry.empty();
        EXPECT_EQ(infoProbe.ProbeVideoCard(text, 0, &list), found ? 1 : 0) << c.name;
        EXPECT_EQ(text, found ? c.entry : "kept") << c.name;
        EXPECT_EQ(list, found ? std::vector<std::string>{c.entry} : std::vector<std::string>{})
            << c.name;
    }
}

TEST(SysInfoTest, VideoWalkFallsBackToTheDisplayAdapterAndIsBounded) {
    FakeSysPlatform platform;
    platform.adapter = "Wine Adapter";
    std::vector<std::string> list;
    sysinfo::SystemProbe infoProbe(platform);
    CSysInfo info = infoProbe.RunningSystem();
    EXPECT_EQ(info.VideoCard, "Wine Adapter");
    EXPECT_EQ(infoProbe.ProbeVideoCard(info.VideoCard, 0, &list), 1);
    EXPECT_EQ(list, std::vector<std::string>{"Wine Adapter"});

    FakeSysPlatform bare;  // no display keys, no adapter
    sysinfo::SystemProbe emptyProbe(bare);
    CSysInfo empty = emptyProbe.RunningSystem();
    EXPECT_EQ(empty.VideoCard, "");
    std::string text = "kept";
    EXPECT_EQ(emptyProbe.ProbeVideoCard(text, 0, nullptr), 0);
    EXPECT_EQ(text, "kept");

    // Keys 0000 to 9999 all present: the walk stops where the numbers end.
    FakeSysPlatform crowded;
    for (int i = 0; i < 10000; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        crowded.registry.Set(RegistryRoot::kLocalMachine, Key(number), "DriverDesc", number);
    }
    sysinfo::SystemProbe manyProbe(crowded);
    CSysInfo many = manyProbe.RunningSystem();
    EXPECT_EQ(many.VideoCard, "9999");
    list.clear();
    EXPECT_EQ(manyProbe.ProbeVideoCard(text, 9998, &list), 1);
    EXPECT_EQ(list, (std::vector<std::string>{"9998", "9999"}));
}

TEST(SysInfoTest, DefaultProbesUseTheInstalledPlatform) {
    {
        FakeSysPlatform platform;
        platform.user = "installed";
        sysinfo::ScopedSysPlatform installed(platform);
        EXPECT_EQ(sysinfo::SystemProbe().RunningSystem().UserName, "installed");
    }
    CSysInfo neutral = sysinfo::SystemProbe().RunningSystem();  // nothing installed natively
    EXPECT_EQ(neutral.PlatformInfo, "Windows3.1(0.0.0)  0MB Mem");
    EXPECT_EQ(neutral.VideoCard, "");
    EXPECT_EQ(neutral.Setting, 1u);
    EXPECT_EQ(neutral.PlatformID, 0);
}

}  // namespace
