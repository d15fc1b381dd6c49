// The record book over a data file on the disk: start-up, a second running
// copy saving while a dialog is open, saves that fail, a record that
// vanished before its delete, and imports into a file with gaps.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/atomic_file.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_book.h"
#include "records/record_commands.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

using records::BookOutcome;
using records::Change;
using records::IniFile;
using records::ListUpdate;
using records::RecordBook;

// Records 1..names.size() named as given ("" leaves that number a gap),
// with the count claimed.
void Fill(IniFile& file, const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty())
            continue;
        records::Record record;
        record.system.SystemName = names[i];
        record.system.MEMO = "memo of " + names[i];
        record.timing.m_fTime[0] = static_cast<float>(i + 1);
        record.Save(file, static_cast<int32_t>(i) + 1);
    }
    records::WriteRecordCount(file, static_cast<int32_t>(names.size()));
}

// Imports into the book a file holding the records named.
BookOutcome Import(RecordBook& book, const std::vector<std::string>& names) {
    IniFile source;
    Fill(source, names);
    return book.Import(source);
}

std::vector<std::string> ListedNames(const RecordBook& book) {
    std::vector<std::string> names;
    for (const records::StoredName& s : book.Listed())
        names.push_back(std::to_string(s.number) + ":" + s.name);
    return names;
}

class RecordBookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::filesystem::temp_directory_path() / (std::string("velkora-book-") + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        // The data file lies beside the program: bench.exe -> bench.vlk.
        exe_ = (folder_ / "bench.exe").native();
        path_ = (folder_ / "bench.vlk").native();
    }
    void TearDown() override {
        std::filesystem::path away = folder_;
        std::filesystem::remove_all(away += "-away");
        std::filesystem::remove_all(folder_);
    }

    void Write(const std::vector<std::string>& names) {
        IniFile file;
        Fill(file, names);
        file.SetString("Keep", "mine", "1");
        ASSERT_TRUE(records::ReplaceFileAtomically(path_, file.Render()));
    }
    // What the file holds: "n:name" for each stored record.
    std::vector<std::string> Stored() const {
        IniFile file;
        EXPECT_TRUE(file.Load(path_));
        std::vector<std::string> names;
        for (const records::StoredName& s :
             records::ReadSystemNames(file, records::StoredRecordCount(file)))
            names.push_back(std::to_string(s.number) + ":" + s.name);
        return names;
    }
    std::string Bytes() const {
        IniFile file;
        file.Load(path_);
        return file.Render();
    }
    // Another running copy of the program changes the file.
    void OtherCopy(const std::function<void(IniFile&)>& change) {
        IniFile file;
        ASSERT_TRUE(file.Load(path_));
        change(file);
        ASSERT_TRUE(file.Save());
    }
    static void AddsNamed(IniFile& file, const std::string& name) {
        records::Record record;
        record.system.SystemName = name;
        records::AddRecord(file, records::StoredRecordCount(file), record);
    }
    // The book as the window has it after start-up.
    RecordBook Opened() {
        RecordBook book;
        CSysInfo system;
        records::DataFileOptions options;
        EXPECT_EQ(book.Open(exe_, system, CCpuInfo(), CMarkResult(), options), Change::kSaved);
        return book;
    }
    // The delete dialog's form of a record FileOf writes.
    static records::RecordForm ShownForm(const std::string& name) {
        CSysInfo system;
        IniFile file;
        Fill(file, {name});
        records::LoadSection(file, 1, system);
        return records::StoredRecordForm(system);
    }

    std::filesystem::path folder_;
    records::FilePath exe_, path_;
};

TEST_F(RecordBookTest, OpenListsTheStoredRecordsAndWritesThisSystem) {
    Write({"R1", "", "R3"});
    RecordBook book;
    CSysInfo system;
    CMarkResult times;
    times.m_fTime[2] = 4.5f;
    records::DataFileOptions options;
    ASSERT_EQ(book.Open(exe_, system, CCpuInfo(), times, options), Change::kSaved);
    EXPECT_EQ(book.Path(), path_);
    EXPECT_EQ(ListedNames(book), (std::vector<std::string>{"1:R1", "3:R3"}));
    EXPECT_EQ(book.ListedRecord(2), 3);
    EXPECT_EQ(book.ListedRecord(3), 0);
    IniFile file;
    ASSERT_TRUE(book.Load(file));
    const records::Record stored = book.ShownRecord(file, 0);
    EXPECT_EQ(stored.system.SystemName, records::kThisSystemName);
    EXPECT_EQ(stored.timing.m_fTime[2], 4.5f);
    EXPECT_EQ(file.GetString("Keep", "mine", ""), "1") << "the rest of the file stays";
}

// The file changes between the dialog's opening and its answer: the answer
// applies to the file as it is then, and the list follows it.
TEST_F(RecordBookTest, AnAddAppliesToTheFileAsItIsAfterTheAnswer) {
    struct Case {
        const char* what;
        std::function<void(IniFile&)> otherCopy;
        ListUpdate list;
        std::vector<std::string> stored;
    } cases[] = {
        {"nothing changed", nullptr, ListUpdate::kAppend, {"1:R1", "2:R2", "3:ours"}},
        {"another copy added",
         [](IniFile& f) { AddsNamed(f, "theirs"); },
         ListUpdate::kRelist,
         {"1:R1", "2:R2", "3:theirs", "4:ours"}},
        {"another copy deleted",
         [](IniFile& f) { records::DeleteRecord(f, 2, 1); },
         ListUpdate::kRelist,
         {"1:R2", "2:ours"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write({"R1", "R2"});
        RecordBook book = Opened();
        records::Record record;
        records::RecordForm form;
        ASSERT_TRUE(book.ProposeRecord(std::tm{}, record, form));
        if (c.otherCopy)
            OtherCopy(c.otherCopy);
        record.system.SystemName = "ours";
        const BookOutcome outcome = book.Add(record);
        EXPECT_EQ(outcome.change, Change::kSaved);
        EXPECT_EQ(outcome.list, c.list);
        EXPECT_EQ(Stored(), c.stored);
        EXPECT_EQ(ListedNames(book), c.stored) << "the list is what the file holds";
        if (c.list == ListUpdate::kAppend) {
            ASSERT_EQ(outcome.appended.size(), 1u);
            EXPECT_EQ(outcome.appended[0].number, 3);
        }
    }
}

TEST_F(RecordBookTest, ADeleteRemovesOnlyTheRecordTheUserSaw) {
    struct Case {
        const char* what;
        std::function<void(IniFile&)> otherCopy;
        Change change;
        std::vector<std::string> stored;
    } cases[] = {
        {"nothing changed", nullptr, Change::kSaved, {"1:R1", "2:R3"}},
        {"another copy added",
         [](IniFile& f) { AddsNamed(f, "theirs"); },
         Change::kSaved,
         {"1:R1", "2:R3", "3:theirs"}},
        {"another copy deleted it: nothing is deleted",
         [](IniFile& f) { records::DeleteRecord(f, 3, 2); },
         Change::kUnchanged,
         {"1:R1", "2:R3"}},
        {"another copy deleted one below it: nothing is deleted",
         [](IniFile& f) { records::DeleteRecord(f, 3, 1); },
         Change::kUnchanged,
         {"1:R2", "2:R3"}},
        {"another copy deleted it and all above: nothing is deleted",
         [](IniFile& f) { records::DeleteRecord(f, records::DeleteRecord(f, 3, 3), 2); },
         Change::kUnchanged,
         {"1:R1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write({"R1", "R2", "R3"});
        RecordBook book = Opened();
        records::RecordForm shown;
        ASSERT_EQ(book.ProposeDelete(2, shown), RecordBook::Proposal::kShow);
        EXPECT_EQ(shown.systemName, "R2");
        if (c.otherCopy)
            OtherCopy(c.otherCopy);
        const BookOutcome outcome = book.Delete(2, shown);
        EXPECT_EQ(outcome.change, c.change);
        EXPECT_EQ(outcome.list, ListUpdate::kRelist) << "the list shows what the file holds";
        EXPECT_EQ(Stored(), c.stored);
        EXPECT_EQ(ListedNames(book), c.stored);
    }
}

TEST_F(RecordBookTest, ARecordGoneBeforeTheDialogIsNotOffered) {
    Write({"R1", "R2", "R3"});
    RecordBook book = Opened();
    OtherCopy([](IniFile& f) { records::DeleteRecord(f, 3, 3); });
    const std::string before = Bytes();
    records::RecordForm form;
    EXPECT_EQ(book.ProposeDelete(3, form), RecordBook::Proposal::kVanished);
    EXPECT_EQ(ListedNames(book), (std::vector<std::string>{"1:R1", "2:R2"}));
    EXPECT_EQ(Bytes(), before);
}

TEST_F(RecordBookTest, ImportsGoAfterTheLastRecordWhateverGapsLieBefore) {
    Write({"R1", "", "R3", "", ""});
    RecordBook book = Opened();
    // The count claimed (5) is cut to the last record there (3).
    BookOutcome outcome = Import(book, {"S1", "", "S3"});
    EXPECT_EQ(outcome.change, Change::kSaved);
    EXPECT_EQ(outcome.list, ListUpdate::kAppend);
    const std::vector<std::string> expected = {"1:R1", "3:R3", "4:S1", "5:S3"};
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(ListedNames(book), expected);
    ASSERT_EQ(outcome.appended.size(), 2u);
    EXPECT_EQ(outcome.appended[1].number, 5);

    // Another copy adds in between: the list is made anew.
    OtherCopy([](IniFile& f) { AddsNamed(f, "theirs"); });
    outcome = Import(book, {"T1"});
    EXPECT_EQ(outcome.list, ListUpdate::kRelist);
    EXPECT_EQ(ListedNames(book), Stored());
    EXPECT_EQ(Stored().back(), "7:T1");

    const std::string before = Bytes();
    EXPECT_EQ(Import(book, {}).change, Change::kUnchanged) << "nothing to import";
    EXPECT_EQ(Bytes(), before);
}

// The file cannot be written: each operation says so (or leaves the file
// alone silently), keeps the list, and the file stays as it was.
TEST_F(RecordBookTest, WhatCannotBeSavedIsReportedAndChangesNothing) {
    const records::Record record;
    struct Operation {
        const char* what;
        std::function<Change(RecordBook&)> run;
        Change folderGone;  // the file reads as missing and its save fails
        Change directory;   // the data file's path is a directory
    } operations[] = {
        {"add", [&](RecordBook& b) { return b.Add(record).change; }, Change::kSaveFailed,
         Change::kUnreadable},
        // A missing file holds no record 1: nothing to delete.
        {"delete", [](RecordBook& b) { return b.Delete(1, ShownForm("R1")).change; },
         Change::kUnchanged, Change::kUnreadable},
        {"import", [](RecordBook& b) { return Import(b, {"S1"}).change; }, Change::kSaveFailed,
         Change::kUnreadable},
        {"a run's times", [](RecordBook& b) { return b.SaveThisSystem(CMarkResult()); },
         Change::kSaveFailed, Change::kSaveFailed},
        {"the count at the end", [](RecordBook& b) { return b.WriteTrustedCount(); },
         Change::kSaveFailed, Change::kUnchanged},
    };
    const std::vector<std::string> listed = {"1:R1", "2:R2"};
    for (const Operation& op : operations) {
        SCOPED_TRACE(op.what);
        Write({"R1", "R2"});
        RecordBook book = Opened();
        const std::string before = Bytes();
        std::filesystem::path away = folder_;
        away += "-away";
        std::filesystem::rename(folder_, away);
        EXPECT_EQ(op.run(book), op.folderGone);
        std::filesystem::rename(away, folder_);
        EXPECT_EQ(Bytes(), before);
        if (op.folderGone == Change::kSaveFailed) {
            EXPECT_EQ(ListedNames(book), listed);
        }

        book = Opened();
        std::filesystem::remove(path_);
        std::filesystem::create_directory(path_);
        EXPECT_EQ(op.run(book), op.directory);
        EXPECT_EQ(ListedNames(book), listed);
        EXPECT_TRUE(std::filesystem::is_empty(path_)) << "nothing written into it";
        std::filesystem::remove(path_);
    }
}

TEST_F(RecordBookTest, StartUpOverAnUnreadableFileListsNothingAndWritesNothing) {
    std::filesystem::create_directory(path_);
    RecordBook book;
    CSysInfo system;
    records::DataFileOptions options;
    options.loop = 1;
    EXPECT_EQ(book.Open(exe_, system, CCpuInfo(), CMarkResult(), options), Change::kSaveFailed);
    EXPECT_EQ(options.loop, bench::kDefaultLoop) << "the defaults";
    EXPECT_TRUE(book.Listed().empty());
    records::Record record;
    records::RecordForm form;
    EXPECT_FALSE(book.ProposeRecord(std::tm{}, record, form));
    records::RecordForm shown;
    EXPECT_EQ(book.ProposeDelete(1, shown), RecordBook::Proposal::kUnreadable);
}

TEST_F(RecordBookTest, TheOwnFileIsKnownHoweverItsPathIsSpelled) {
    Write({"R1"});
    const RecordBook book = Opened();
    const std::filesystem::path link = folder_ / "link.vlk";
    std::filesystem::create_hard_link(path_, link);
    EXPECT_TRUE(book.IsOwnFile(path_));
    EXPECT_TRUE(book.IsOwnFile((folder_ / "." / "bench.vlk").native()));
    EXPECT_TRUE(book.IsOwnFile(link.native()));
    EXPECT_FALSE(book.IsOwnFile((folder_ / "other.vlk").native()));
    EXPECT_FALSE(book.IsOwnFile(folder_.native()));
}

}  // namespace
