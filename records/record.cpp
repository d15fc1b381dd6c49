#include "records/record.h"

#include "records/ini_store.h"
#include "records/record_sections.h"

namespace records {

void Record::Load(const IniFile& file, int32_t n) {
    LoadSection(file, n, system);
    LoadSection(file, n, processor);
    LoadSection(file, n, timing);
}

void Record::Save(IniFile& file, int32_t n) const {
    SaveSection(file, n, system);
    SaveSection(file, n, processor);
    SaveSection(file, n, timing);
}

}  // namespace records
