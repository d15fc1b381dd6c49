#include "records/record.h"

#include "records/ini_store.h"

namespace records {

void Record::Load(const IniFile& file, int32_t n) {
    system.LoadRecord(file, n);
    processor.LoadRecord(file, n);
    timing.LoadRecord(file, n);
}

void Record::Save(IniFile& file, int32_t n) const {
    system.SaveRecord(file, n);
    processor.SaveRecord(file, n);
    timing.SaveRecord(file, n);
}

}  // namespace records
