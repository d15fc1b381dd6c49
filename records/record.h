// One record of the data file as one object: the system, processor and
// timing sections that share its number (0 = the running system, 1..N =
// stored records). Its parts start empty and probe nothing; Load fills them
// from the store.
#pragma once

#include <cstdint>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "sysinfo/sys_info.h"

namespace records {

class IniFile;

struct Record {
    CSysInfo system;
    CCpuInfo processor;
    CMarkResult timing;

    // The three sections of record n, in the order system, processor,
    // timing.
    void Load(const IniFile& file, int32_t n);
    void Save(IniFile& file, int32_t n) const;
};

}  // namespace records
