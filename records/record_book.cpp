#include "records/record_book.h"

#include <utility>

#include "cpu/cpu_info.h"
#include "records/atomic_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace records {

bool RecordBook::Load(IniFile& file) const {
    return file.Load(path_);
}

Change RecordBook::Update(IniFile& file, Unreadable unreadable,
                          const std::function<bool(IniFile&)>& operation) const {
    if (!Load(file)) {
        if (unreadable == Unreadable::kLeaveAlone)
            return Change::kUnchanged;
        // Nothing can be written to a file that cannot be read.
        if (unreadable == Unreadable::kReportAtOnce)
            return Change::kUnreadable;
    }
    if (!operation(file))
        return Change::kUnchanged;
    if (file.Save())
        return Change::kSaved;
    file.Revert();
    return Change::kSaveFailed;
}

Record RecordBook::ShownRecord(const IniFile& file, int32_t n) const {
    Record record;
    record.Load(file, n);
    // The times of the last run, also when saving them failed.
    if (n == 0)
        record.timing = thisSystem_;
    return record;
}

Change RecordBook::Open(const FilePath& executablePath, CSysInfo& system, const CCpuInfo& processor,
                        const CMarkResult& times, DataFileOptions& options) {
    path_ = executablePath.empty() ? FilePath() : DataFilePath(executablePath);
    IniFile file;
    return Update(file, Unreadable::kReportOnSave, [&](IniFile& f) {
        options = ReadOptions(f);
        List(f, StoredRecordCount(f));
        // Record 0 is the running system, rewritten at every start.
        thisSystem_ = times;
        system.SystemName = kThisSystemName;
        SaveSection(f, 0, system);
        SaveSection(f, 0, processor);
        SaveSection(f, 0, thisSystem_);
        return true;
    });
}

Change RecordBook::SaveThisSystem(const CMarkResult& times) {
    thisSystem_ = times;
    IniFile file;
    return Update(file, Unreadable::kReportOnSave, [this](IniFile& f) {
        SaveSection(f, 0, thisSystem_);
        return true;
    });
}

Change RecordBook::WriteTrustedCount() const {
    IniFile file;
    return Update(file, Unreadable::kLeaveAlone, [](IniFile& f) {
        WriteRecordCount(f, StoredRecordCount(f));
        return true;
    });
}

int32_t RecordBook::ListedRecord(int entry) const {
    return entry >= 1 && static_cast<size_t>(entry) <= listed_.size() ? listed_[entry - 1].number
                                                                      : 0;
}

void RecordBook::Relist(const IniFile& file) {
    List(file, StoredRecordCount(file));
}

void RecordBook::List(const IniFile& file, int32_t count) {
    // A number no section has is not listed.
    listed_ = ReadSystemNames(file, count);
    listedCount_ = count;
}

void RecordBook::FollowChange(const IniFile& file, int32_t before, int32_t after,
                              std::vector<StoredName> appended, BookOutcome& outcome) {
    if (before == listedCount_) {
        listed_.insert(listed_.end(), appended.begin(), appended.end());
        outcome.list = ListUpdate::kAppend;
        outcome.appended = std::move(appended);
    } else {
        // Another copy has changed the file since the list was made.
        List(file, after);
        outcome.list = ListUpdate::kRelist;
    }
    listedCount_ = after;
}

bool RecordBook::ProposeRecord(const std::tm& now, Record& record, RecordForm& form) const {
    IniFile file;
    if (!Load(file))
        return false;
    // The new record is the running system as record 0 holds it, with the
    // times the window shows for it.
    record = ShownRecord(file, 0);
    form = NewRecordForm(file, StoredRecordCount(file), record.system, record.processor, now);
    return true;
}

BookOutcome RecordBook::Add(const Record& record) {
    // The count is the file's own, read for this operation: a count kept
    // since start-up, or since the dialog opened, may be stale and would
    // overwrite stored records.
    int32_t count = 0, added = 0;
    IniFile file;
    BookOutcome outcome;
    outcome.change = Update(file, Unreadable::kReportAtOnce, [&](IniFile& f) {
        count = StoredRecordCount(f);
        added = AddRecord(f, count, record);
        return true;
    });
    if (outcome.change == Change::kSaved)
        FollowChange(file, count, added, {{added, record.system.SystemName}}, outcome);
    return outcome;
}

RecordBook::Proposal RecordBook::ProposeDelete(int32_t k, RecordForm& form) {
    IniFile file;
    if (!Load(file))
        return Proposal::kUnreadable;
    if (k > StoredRecordCount(file)) {
        // The file holds fewer records than the selector lists: show what
        // it holds instead of deleting anything.
        Relist(file);
        return Proposal::kVanished;
    }
    CSysInfo system;
    LoadSection(file, k, system);
    form = StoredRecordForm(system);
    return Proposal::kShow;
}

BookOutcome RecordBook::Delete(int32_t k, const RecordForm& shown) {
    // Only the record the user saw is deleted, found again by its number
    // and its texts; when the file no longer holds it there, nothing is
    // deleted and the book lists what the file holds.
    int32_t left = 0;
    bool read = false, found = false;
    IniFile file;
    BookOutcome outcome;
    outcome.change = Update(file, Unreadable::kReportAtOnce, [&](IniFile& f) {
        read = true;
        const int32_t count = StoredRecordCount(f);
        if (k <= count) {
            CSysInfo system;
            LoadSection(f, k, system);
            found = SameRecordForm(StoredRecordForm(system), shown);
        }
        if (!found)
            return false;
        left = DeleteRecord(f, count, k);
        return true;
    });
    if (read && !found) {
        Relist(file);
        outcome.list = ListUpdate::kRelist;
    } else if (outcome.change == Change::kSaved) {
        // The records above the deleted one have moved down.
        List(file, left);
        outcome.list = ListUpdate::kRelist;
    }
    return outcome;
}

BookOutcome RecordBook::Import(const IniFile& source) {
    int32_t before = 0, count = 0;
    std::vector<std::string> names;
    IniFile file;
    BookOutcome outcome;
    outcome.change = Update(file, Unreadable::kReportAtOnce, [&](IniFile& f) {
        before = count = StoredRecordCount(f);
        names = ImportRecords(source, f, count);
        return !names.empty();
    });
    if (outcome.change != Change::kSaved)
        return outcome;
    std::vector<StoredName> appended;
    for (size_t i = 0; i < names.size(); ++i)
        appended.push_back({before + 1 + static_cast<int32_t>(i), names[i]});
    FollowChange(file, before, count, std::move(appended), outcome);
    return outcome;
}

bool RecordBook::IsOwnFile(const FilePath& path) const {
    // The same file on the disk, however the path spells it: a short name,
    // another letter case, a link.
    return NamesSameFile(path, path_);
}

}  // namespace records
