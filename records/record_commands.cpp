#include "records/record_commands.h"

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace records {

std::string FormatRecordDate(const std::tm& time) {
    char text[64];
    const size_t length = std::strftime(text, sizeof text, "%Y.%m/%d.%H:%M", &time);
    return std::string(text, length);
}

bool SameRecordForm(const RecordForm& a, const RecordForm& b) {
    return a.systemName == b.systemName && a.userName == b.userName && a.pcName == b.pcName &&
           a.memo == b.memo && a.date == b.date;
}

RecordForm NewRecordForm(const IniFile& file, int32_t count, const CSysInfo& system0,
                         const CCpuInfo& processor0, const std::tm& now) {
    RecordForm form;
    form.systemName = DefaultRecordName(file, count, processor0.SummaryText());
    form.userName = system0.UserName;
    form.pcName = system0.PCName;
    form.memo = system0.MEMO;
    form.date = FormatRecordDate(now);
    return form;
}

RecordForm StoredRecordForm(const CSysInfo& system) {
    RecordForm form;
    form.systemName = system.SystemName;
    form.userName = system.UserName;
    form.pcName = system.PCName;
    form.memo = system.MEMO;
    form.date = system.Date;
    return form;
}

void ApplyRecordForm(const RecordForm& form, CSysInfo& system) {
    system.SystemName = form.systemName;
    system.UserName = form.userName;
    system.PCName = form.pcName;
    system.MEMO = form.memo;
    system.Date = form.date;
}

std::string RecordClipboardText(const CSysInfo& system, const CCpuInfo& processor,
                                const CMarkResult& timing) {
    std::string text;
    AppendHeaderText(text);
    AppendSectionText(text, system);
    AppendSectionText(text, processor);
    AppendSectionText(text, timing);
    return text;
}

}  // namespace records
