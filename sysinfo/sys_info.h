// The system record: one machine apart from its processor (Windows version
// and memory, user and computer name, video card, visual-effect settings),
// plus the texts the user gives a stored record. Constructing one probes the
// running system; loading a stored record replaces every field, so a record
// made only to be loaded is made with ForLoading, which probes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/sys_platform.h"

class CSysInfo {
  public:
    // Bits of Setting above the processor count (bits 0-7).
    static constexpr uint32_t kSmoothScroll = 0x10000;
    static constexpr uint32_t kComboBoxAnimation = 0x20000;
    static constexpr uint32_t kListBoxSmoothScrolling = 0x40000;
    static constexpr uint32_t kFontSmoothing = 0x1000000;

    // Probes video card, platform, user and computer name and the settings
    // on the process-wide platform (or the one given).
    CSysInfo();
    explicit CSysInfo(sysinfo::SysPlatform& platform);
    // An empty record to fill from a stored one; ProbeSettings still reads the
    // process-wide platform.
    static CSysInfo ForLoading();
    virtual ~CSysInfo();
    CSysInfo(const CSysInfo&) = default;
    CSysInfo& operator=(const CSysInfo&) = default;

    // Walks the display-driver keys 0000, 0001, ... from index while they
    // have a description. Each key's entry ("description", or "description
    // NMB" where its INFO key gives the adapter memory) goes to list, in key
    // order, when a list is given, and the last one becomes text. Where the
    // walk finds no key (the NT family keeps no such keys) the primary
    // display adapter's name is the one entry. Returns 1 when the key at
    // index (or, failing that, the adapter) gave an entry, else 0.
    int ProbeVideoCard(std::string& text, int index, std::vector<std::string>* list);
    // "Windows%s%s(%d.%d.%d)  %dMB Mem"; sets PlatformID.
    void ProbePlatform(std::string& text);
    // Setting from the processor count and the four visual-effect settings.
    void ProbeSettings();

    std::string VideoCard;
    std::string PlatformInfo;
    std::string UserName;
    std::string PCName;
    std::string SystemName;  // registration name of a stored record
    std::string MEMO;        // may hold CR LF line breaks
    std::string Date;
    uint32_t Setting;
    int32_t PlatformID;  // 0 Win32s or unknown, 1 the 95 family, 2 NT

  private:
    struct Unprobed {};
    explicit CSysInfo(Unprobed);

    sysinfo::SysPlatform* m_pPlatform;
};

namespace sysinfo {

// Physical memory in MiB to the nearest whole number, halves going up.
int MemoryMegabytes(uint64_t totalPhysicalBytes);

}  // namespace sysinfo
