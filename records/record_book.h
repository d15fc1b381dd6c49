// The program's data file as the main window works with it: its path, the
// times "This System" shows, and the stored records the system selector
// lists. Every user operation is one load of the file, the store operation
// and one save; the file is read again after a dialog's answer, since
// another running copy of the program may have changed it meanwhile.
//
// The book shows nothing: each operation returns what happened, and the
// window turns that into its messages and its selector.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "records/data_file.h"
#include "records/file_path.h"
#include "records/record.h"
#include "records/record_commands.h"

class CCpuInfo;
class CSysInfo;

namespace records {

class IniFile;

// The name record 0 and the selector's first entry carry.
constexpr char kThisSystemName[] = "This System";

// What a file that cannot be read means to an operation: reported at once
// for operations that add, delete or import records; other operations run on
// the defaults and their save, which the store refuses, fails; the record
// count written at the end leaves such a file alone, silently.
enum class Unreadable { kReportAtOnce, kReportOnSave, kLeaveAlone };

// How a change of the file ended. kUnreadable and kSaveFailed are the two
// the user is told of (the file cannot be written); after kSaveFailed the
// store has been reverted to what the file holds.
enum class Change { kSaved, kUnchanged, kUnreadable, kSaveFailed };
inline bool MustReport(Change change) {
    return change == Change::kUnreadable || change == Change::kSaveFailed;
}

// How the selector follows an operation: it keeps its entries, gets
// entries appended after those it lists, or lists the book's records anew.
enum class ListUpdate { kKeep, kAppend, kRelist };

struct BookOutcome {
    Change change = Change::kUnchanged;
    ListUpdate list = ListUpdate::kKeep;
    std::vector<StoredName> appended;  // for kAppend
};

class RecordBook {
  public:
    const FilePath& Path() const { return path_; }
    void SetPath(const FilePath& path) { path_ = path; }
    // The times "This System" shows: zeros at start, each run's afterwards,
    // whether or not saving them succeeded.
    const CMarkResult& ThisSystem() const { return thisSystem_; }

    // Reads the file only: one that cannot be read gives the defaults, and
    // its content stays safe, since the store then refuses to overwrite it.
    bool Load(IniFile& file) const;
    // Loads the file into file, runs operation and saves when it returns
    // true; a save that fails reverts the store to what the file holds.
    Change Update(IniFile& file, Unreadable unreadable,
                  const std::function<bool(IniFile&)>& operation) const;
    // Record n as the window shows it: the file's sections, and for "This
    // System" (0) the times kept in ThisSystem.
    Record ShownRecord(const IniFile& file, int32_t n) const;

    // Start-up: the path beside the executable (none without one, so every
    // load fails and nothing is written), the stored records listed, and
    // record 0 rewritten as the running system (system named "This System")
    // with the times given. options are the file's (defaults when it cannot
    // be read).
    Change Open(const FilePath& executablePath, CSysInfo& system, const CCpuInfo& processor,
                const CMarkResult& times, DataFileOptions& options);
    // A run's times: kept whatever happens, and saved as record 0's.
    Change SaveThisSystem(const CMarkResult& times);
    // The count the file's records support, written at the end, never a
    // count kept since start-up.
    Change WriteTrustedCount() const;

    // The selector's entries after "This System": the stored records that
    // the file held when last listed, numbered and named as there.
    const std::vector<StoredName>& Listed() const { return listed_; }
    // The record number of selector entry i (0 for "This System" and for an
    // entry the book does not list).
    int32_t ListedRecord(int entry) const;
    // The file's records listed anew.
    void Relist(const IniFile& file);

    // ADD: the new record (record 0 with the times shown) and its
    // proposal, from the file as it is before the dialog; false when the
    // file cannot be read (nothing can be written to it).
    bool ProposeRecord(const std::tm& now, Record& record, RecordForm& form) const;
    // Adds the record after the file's own count, read after the answer.
    BookOutcome Add(const Record& record);

    // DEL: the form of stored record k from the file as it is before the
    // dialog. kVanished when the file holds fewer records than k: the book
    // is relisted and nothing is deleted.
    enum class Proposal { kShow, kUnreadable, kVanished };
    Proposal ProposeDelete(int32_t k, RecordForm& form);
    // Deletes record k if the file still holds the record the user saw
    // there (its texts the same as shown); otherwise nothing is deleted and
    // the book is relisted.
    BookOutcome Delete(int32_t k, const RecordForm& shown);

    // Appends the records of source after the file's own count; kUnchanged
    // when it holds none.
    BookOutcome Import(const IniFile& source);
    // Whether path names the book's own file, however spelled.
    bool IsOwnFile(const FilePath& path) const;

  private:
    // The selector after a change from count before: appended when it
    // listed that count, else listed anew from file; count after is kept.
    void FollowChange(const IniFile& file, int32_t before, int32_t after,
                      std::vector<StoredName> appended, BookOutcome& outcome);
    void List(const IniFile& file, int32_t count);

    FilePath path_;
    CMarkResult thisSystem_;
    std::vector<StoredName> listed_;
    int32_t listedCount_ = 0;  // the count the selector lists up to
};

}  // namespace records
