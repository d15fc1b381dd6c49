// The system record: one machine apart from its processor (Windows version
// and memory, user and computer name, video card, visual-effect settings),
// plus the texts the user gives a stored record. It is plain data: a
// default-constructed record is empty, sysinfo::SystemProbe fills one from
// the running system and the record I/O from a stored one.
#pragma once

#include <cstdint>
#include <string>

class CSysInfo {
  public:
    // Bits of Setting above the processor count (bits 0-7).
    static constexpr uint32_t kSmoothScroll = 0x10000;
    static constexpr uint32_t kComboBoxAnimation = 0x20000;
    static constexpr uint32_t kListBoxSmoothScrolling = 0x40000;
    static constexpr uint32_t kFontSmoothing = 0x1000000;

    std::string VideoCard;
    std::string PlatformInfo;
    std::string UserName;
    std::string PCName;
    std::string SystemName;  // registration name of a stored record
    std::string MEMO;        // may hold CR LF line breaks
    std::string Date;
    uint32_t Setting = 0;
    int32_t PlatformID = 0;  // 0 Win32s or unknown, 1 the 95 family, 2 NT
};
