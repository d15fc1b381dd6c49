// The running system as the system record sees it.

#include <windows.h>

#include <cstring>

#include "sysinfo/sys_memory_win32.h"
#include "sysinfo/sys_platform.h"

namespace sysinfo {

namespace {

constexpr DWORD kNameBufferSize = 200;
constexpr DWORD kMaxDisplayDevices = 64;

template <size_t N>
std::string BoundedText(const char (&buffer)[N]) {
    const void* end = std::memchr(buffer, '\0', N);
    return std::string(buffer, end ? static_cast<const char*>(end) - buffer : N);
}

class Win32Registry : public RegistryReader {
  public:
    bool OpenKey(RegistryRoot root, const std::string& path, Key& key) override {
        HKEY parent = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        HKEY opened = nullptr;
        if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
            return false;
        }
        key = reinterpret_cast<Key>(opened);
        return true;
    }

    bool QueryValue(Key key, const char* name, void* data, uint32_t& size) override {
        // ERROR_MORE_DATA when the value is larger than the buffer.
        DWORD bytes = size;
        LONG result = RegQueryValueExA(reinterpret_cast<HKEY>(key), name, nullptr, nullptr,
                                       static_cast<BYTE*>(data), &bytes);
        if (result != ERROR_SUCCESS || bytes > size)
            return false;
        size = bytes;
        return true;
    }

    void CloseKey(Key key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

class Win32SysPlatform : public SysPlatform {
  public:
    cpu::OsVersionInfo VersionInfo() override { return cpu::QueryRunningWindowsVersion(); }

    uint64_t TotalPhysicalMemory() override {
        static const GlobalMemoryStatusExProc memoryStatusEx = FindGlobalMemoryStatusEx();
        return TotalPhysicalBytes(memoryStatusEx);
    }

    bool UserName(std::string& name) override {
        char buffer[kNameBufferSize] = {};
        DWORD size = kNameBufferSize;
        if (!GetUserNameA(buffer, &size))
            return false;
        name = BoundedText(buffer);
        return true;
    }

    bool ComputerName(std::string& name) override {
        char buffer[kNameBufferSize] = {};
        DWORD size = kNameBufferSize;
        if (!GetComputerNameA(buffer, &size))
            return false;
        name = BoundedText(buffer);
        return true;
    }

    uint32_t ProcessorCount() override {
        SYSTEM_INFO info;
        std::memset(&info, 0, sizeof info);
        GetSystemInfo(&info);
        return info.dwNumberOfProcessors;
    }

    bool SystemParameter(uint32_t action, uint32_t& value) override {
        UINT answer = 0;
        if (!SystemParametersInfoA(action, 0, &answer, 0))
            return false;
        value = answer;
        return true;
    }

    bool DisplayAdapterName(std::string& name) override {
        for (DWORD i = 0; i < kMaxDisplayDevices; ++i) {
            DISPLAY_DEVICEA device;
            std::memset(&device, 0, sizeof device);
            device.cb = sizeof device;
            if (!EnumDisplayDevicesA(nullptr, i, &device, 0))
                break;
            if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
                name = BoundedText(device.DeviceString);
                return true;
            }
        }
        return false;
    }

    RegistryReader& Registry() override { return m_registry; }

  private:
    Win32Registry m_registry;
};

static_assert(sizeof(MEMORYSTATUS) == 32 || sizeof(void*) != 4,
              "the 32-bit program calls GlobalMemoryStatus with the 32-byte structure");

Win32SysPlatform g_win32Platform;

// Linked into every program of the Win32 layer as an object file of its own,
// so this runs before main and default-constructed records read the real
// system.
const bool g_installed = (SysPlatform::SetCurrent(&g_win32Platform), true);

}  // namespace

GlobalMemoryStatusExProc FindGlobalMemoryStatusEx() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr)
        return nullptr;
    return reinterpret_cast<GlobalMemoryStatusExProc>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GlobalMemoryStatusEx")));
}

uint64_t TotalPhysicalBytes(GlobalMemoryStatusExProc memoryStatusEx) {
    if (memoryStatusEx != nullptr) {
        MEMORYSTATUSEX status;
        std::memset(&status, 0, sizeof status);
        status.dwLength = sizeof status;
        if (memoryStatusEx(&status))
            return status.ullTotalPhys;
    }
    MEMORYSTATUS status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = sizeof status;  // 32
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

}  // namespace sysinfo
