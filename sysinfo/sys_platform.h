// What the system record needs from the machine it runs on: the Windows
// version, physical memory, user and computer name, processor count, the
// visual-effect settings, the primary display adapter and a read-only view
// of the registry.
//
// As with the processor record (cpu/cpu_platform.h), the Windows build
// installs the real platform (sys_platform_win32.cpp) as the process-wide
// one before main runs; elsewhere it is a neutral one with an empty registry
// and empty answers, until a test installs its own.
#pragma once

#include <cstdint>
#include <string>

#include "cpu/windows_version.h"

namespace sysinfo {

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// The registry calls the probe makes, with the Win32 meaning: a value is
// raw bytes (a string need not end with a NUL), and a value larger than the
// caller's buffer is not read at all.
class RegistryReader {
  public:
    using Key = uintptr_t;  // an open key, meaningful to the reader only

    virtual ~RegistryReader() = default;
    // Opens root\path for reading; false when it does not exist.
    virtual bool OpenKey(RegistryRoot root, const std::string& path, Key& key) = 0;
    // Reads value name of an open key into data. On entry size is the
    // buffer's capacity; on success it is the number of bytes written. A
    // missing value, or one larger than the buffer, gives false.
    virtual bool QueryValue(Key key, const char* name, void* data, uint32_t& size) = 0;
    virtual void CloseKey(Key key) = 0;
};

// SystemParametersInfoA actions the Setting word asks.
constexpr uint32_t kSpiGetFontSmoothing = 0x004A;
constexpr uint32_t kSpiGetComboBoxAnimation = 0x1004;
constexpr uint32_t kSpiGetListBoxSmoothScrolling = 0x1006;

class SysPlatform {
  public:
    virtual ~SysPlatform() = default;

    // GetVersionExA.
    virtual cpu::OsVersionInfo VersionInfo() = 0;
    // The installed physical memory in bytes: ullTotalPhys of
    // GlobalMemoryStatusEx where the system has it, else dwTotalPhys of
    // GlobalMemoryStatus (which stops short of 4 GiB).
    virtual uint64_t TotalPhysicalMemory() = 0;
    // GetUserNameA and GetComputerNameA; false when the call fails.
    virtual bool UserName(std::string& name) = 0;
    virtual bool ComputerName(std::string& name) = 0;
    // dwNumberOfProcessors of GetSystemInfo.
    virtual uint32_t ProcessorCount() = 0;
    // SystemParametersInfoA(action, 0, &value, 0); false when the system
    // does not answer the action.
    virtual bool SystemParameter(uint32_t action, uint32_t& value) = 0;
    // The description of the primary display adapter; false when there is
    // none.
    virtual bool DisplayAdapterName(std::string& name) = 0;
    virtual RegistryReader& Registry() = 0;

    // The platform that default-constructed records use.
    static SysPlatform& Current();
    // Installs a platform as the process-wide one (nullptr: the neutral one)
    // and returns the one it replaces. The caller keeps ownership.
    static SysPlatform* SetCurrent(SysPlatform* platform);
};

// A registry without keys.
class EmptyRegistry : public RegistryReader {
  public:
    bool OpenKey(RegistryRoot, const std::string&, Key&) override { return false; }
    bool QueryValue(Key, const char*, void*, uint32_t&) override { return false; }
    void CloseKey(Key) override {}
};

// Every query fails or answers 0; one processor.
class NeutralSysPlatform : public SysPlatform {
  public:
    cpu::OsVersionInfo VersionInfo() override { return {}; }
    uint64_t TotalPhysicalMemory() override { return 0; }
    bool UserName(std::string&) override { return false; }
    bool ComputerName(std::string&) override { return false; }
    uint32_t ProcessorCount() override { return 1; }
    bool SystemParameter(uint32_t, uint32_t&) override { return false; }
    bool DisplayAdapterName(std::string&) override { return false; }
    RegistryReader& Registry() override { return m_registry; }

  private:
    EmptyRegistry m_registry;
};

// Installs a platform for the lifetime of the object and then puts the
// previous one back.
class ScopedSysPlatform {
  public:
    explicit ScopedSysPlatform(SysPlatform& platform)
        : m_pPrevious(SysPlatform::SetCurrent(&platform)) {}
    ~ScopedSysPlatform() { SysPlatform::SetCurrent(m_pPrevious); }
    ScopedSysPlatform(const ScopedSysPlatform&) = delete;
    ScopedSysPlatform& operator=(const ScopedSysPlatform&) = delete;

  private:
    SysPlatform* m_pPrevious;
};

}  // namespace sysinfo
