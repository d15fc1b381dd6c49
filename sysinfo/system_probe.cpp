#include "sysinfo/system_probe.h"

#include <cstdio>
#include <cstring>

namespace {

using sysinfo::RegistryReader;
using sysinfo::RegistryRoot;

// The Windows 95/98 display-driver keys, numbered with four digits.
const char kDisplayKeyFormat[] = "System\\CurrentControlSet\\Services\\Class\\Display\\%04d";
constexpr int kDisplayKeyCount = 10000;
constexpr uint32_t kDescriptionSize = 128;
constexpr int kMegabyteShift = 20;

const char kDesktopKey[] = "Control Panel\\desktop";

// An open registry key, closed when the object goes.
class OpenedKey {
  public:
    OpenedKey(RegistryReader& registry, RegistryRoot root, const std::string& path)
        : m_registry(registry), m_open(registry.OpenKey(root, path, m_key)) {}
    ~OpenedKey() {
        if (m_open)
            m_registry.CloseKey(m_key);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    bool IsOpen() const { return m_open; }

    // A value of at most size bytes into data; size becomes the bytes read.
    bool Query(const char* name, unsigned char* data, uint32_t& size) {
        return m_open && m_registry.QueryValue(m_key, name, data, size);
    }

    // A 32-bit value, little-endian as the registry keeps it; a shorter one
    // leaves the missing high bytes 0.
    bool QueryDword(const char* name, uint32_t& value) {
        unsigned char bytes[4] = {0, 0, 0, 0};
        uint32_t size = sizeof bytes;
        if (!Query(name, bytes, size))
            return false;
        value = 0;
        for (uint32_t i = 0; i < size && i < sizeof bytes; ++i)
            value |= uint32_t{bytes[i]} << (8 * i);
        return true;
    }

  private:
    RegistryReader& m_registry;
    RegistryReader::Key m_key = 0;
    bool m_open;
};

std::string DisplayKeyPath(int index) {
    char path[96];
    std::snprintf(path, sizeof path, kDisplayKeyFormat, index);
    return path;
}

// The entry of display key index. False when the key is missing or has no
// description that fits its buffer; the description need not end in a NUL.
bool ReadDisplayKey(RegistryReader& registry, int index, std::string& entry) {
    std::string path = DisplayKeyPath(index);
    {
        OpenedKey key(registry, RegistryRoot::kLocalMachine, path);
        if (!key.IsOpen())
            return false;
        unsigned char description[kDescriptionSize] = {};
        uint32_t size = sizeof description;
        if (!key.Query("DriverDesc", description, size))
            return false;
        if (size > sizeof description)
            size = sizeof description;
        const void* end = std::memchr(description, '\0', size);
        size_t length =
            end ? static_cast<size_t>(static_cast<const unsigned char*>(end) - description) : size;
        entry.assign(reinterpret_cast<const char*>(description), length);
    }

    OpenedKey info(registry, RegistryRoot::kLocalMachine, path + "\\INFO");
    uint32_t memory = 0;
    if (info.QueryDword("VideoMemory", memory)) {
        char megabytes[16];
        std::snprintf(megabytes, sizeof megabytes, " %dMB",
                      static_cast<int>(memory >> kMegabyteShift));
        entry += megabytes;
    }
    return true;
}

}  // namespace

namespace sysinfo {

SystemProbe::SystemProbe() : SystemProbe(SysPlatform::Current()) {}

SystemProbe::SystemProbe(SysPlatform& platform) : m_platform(platform) {}

CSysInfo SystemProbe::RunningSystem() {
    CSysInfo record;
    ProbeVideoCard(record.VideoCard, 0, nullptr);
    ProbePlatform(record);
    if (!m_platform.UserName(record.UserName))
        record.UserName.clear();
    if (!m_platform.ComputerName(record.PCName))
        record.PCName.clear();
    ProbeSettings(record);
    return record;
}

int SystemProbe::ProbeVideoCard(std::string& text, int index, std::vector<std::string>* list) {
    if (index < 0 || index >= kDisplayKeyCount)
        return 0;
    RegistryReader& registry = m_platform.Registry();
    int found = 0;
    for (int i = index; i < kDisplayKeyCount; ++i) {
        std::string entry;
        if (!ReadDisplayKey(registry, i, entry))
            break;
        text = entry;
        if (list != nullptr)
            list->push_back(entry);
        ++found;
    }
    if (found == 0) {
        std::string adapter;
        if (!m_platform.DisplayAdapterName(adapter) || adapter.empty())
            return 0;
        text = adapter;
        if (list != nullptr)
            list->push_back(adapter);
    }
    return 1;
}

void SystemProbe::ProbePlatform(CSysInfo& record) {
    cpu::OsVersionInfo version = m_platform.VersionInfo();
    record.PlatformID = cpu::PlatformFamily(version);

    // No blank between the name and the service pack: "WindowsNT4.0Service
    // Pack 6(4.0.1381)".
    char windows[256];
    std::snprintf(windows, sizeof windows, "Windows%s%s(%d.%d.%d)",
                  cpu::WindowsVersionName(version).c_str(), version.csdVersion.c_str(),
                  static_cast<int>(version.majorVersion), static_cast<int>(version.minorVersion),
                  static_cast<int>(cpu::BuildOf(version)));
    char platform[300];
    std::snprintf(platform, sizeof platform, "%s  %dMB Mem", windows,
                  MemoryMegabytes(m_platform.TotalPhysicalMemory()));
    record.PlatformInfo = platform;
}

void SystemProbe::ProbeSettings(CSysInfo& record) {
    uint32_t bits = 0;
    {
        OpenedKey desktop(m_platform.Registry(), RegistryRoot::kCurrentUser, kDesktopKey);
        uint32_t smoothScroll = 0;
        if (desktop.QueryDword("SmoothScroll", smoothScroll) && smoothScroll != 0) {
            bits |= CSysInfo::kSmoothScroll;
        }
    }

    // A setting the running Windows does not answer leaves its bit clear.
    struct Query {
        uint32_t action;
        uint32_t bit;
    };
    const Query queries[] = {
        {sysinfo::kSpiGetComboBoxAnimation, CSysInfo::kComboBoxAnimation},
        {sysinfo::kSpiGetListBoxSmoothScrolling, CSysInfo::kListBoxSmoothScrolling},
        {sysinfo::kSpiGetFontSmoothing, CSysInfo::kFontSmoothing},
    };
    for (const Query& query : queries) {
        uint32_t value = 0;
        if (m_platform.SystemParameter(query.action, value) && value != 0)
            bits |= query.bit;
    }

    record.Setting = (m_platform.ProcessorCount() & 0xFF) | bits;
}

int MemoryMegabytes(uint64_t totalPhysicalBytes) {
    // Exact in a double up to 8 PiB; the result fits an int up to 2 PiB.
    return static_cast<int>(static_cast<double>(totalPhysicalBytes) / 1048576.0 + 0.5);
}

}  // namespace sysinfo
