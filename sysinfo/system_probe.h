// The probe of the running system: it reads the Windows version and memory,
// the user and computer name, the video card and the visual-effect settings
// on a platform and writes them into a system record. The record itself
// stays plain data; only the probe knows the machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/sys_info.h"
#include "sysinfo/sys_platform.h"

namespace sysinfo {

class SystemProbe {
  public:
    // Reads the process-wide platform (or the one given).
    SystemProbe();
    explicit SystemProbe(SysPlatform& platform);

    // The running system's record: video card, platform, user and computer
    // name and the settings; the user's texts stay empty.
    CSysInfo RunningSystem();

    // Walks the display-driver keys 0000, 0001, ... from index while they
    // have a description. Each key's entry ("description", or "description
    // NMB" where its INFO key gives the adapter memory) goes to list, in key
    // order, when a list is given, and the last one becomes text. Where the
    // walk finds no key (the NT family keeps no such keys) the primary
    // display adapter's name is the one entry. Returns 1 when the key at
    // index (or, failing that, the adapter) gave an entry, else 0.
    int ProbeVideoCard(std::string& text, int index, std::vector<std::string>* list);
    // "Windows%s%s(%d.%d.%d)  %dMB Mem" into the record's PlatformInfo, and
    // its PlatformID.
    void ProbePlatform(CSysInfo& record);
    // The record's Setting from the processor count and the four
    // visual-effect settings.
    void ProbeSettings(CSysInfo& record);

  private:
    SysPlatform& m_platform;
};

// Physical memory in MiB to the nearest whole number, halves going up.
int MemoryMegabytes(uint64_t totalPhysicalBytes);

}  // namespace sysinfo
