// Damaged and hostile data files: reading stays linear in time and bounded
// in memory whatever a file holds, a value reads as it would be written, and
// records after a gap are neither hidden nor overwritten.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

// How much memory a parse takes is measured in a child process with a limit
// on its heap, or under AddressSanitizer (which reserves terabytes of address
// space, so no limit works) by the allocator's own count of live bytes.
#if defined(__SANITIZE_ADDRESS__)
#define VELKORA_COUNTED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELKORA_COUNTED_HEAP 1
#endif
#endif
#if !defined(VELKORA_COUNTED_HEAP) && defined(__linux__)
#define VELKORA_LIMITED_HEAP 1
#endif

#if defined(VELKORA_COUNTED_HEAP)
#include <sanitizer/allocator_interface.h>

#include <atomic>
#elif defined(VELKORA_LIMITED_HEAP)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#endif

namespace {

using records::IniFile;

std::string Repeat(const std::string& piece, size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        s += piece;
    return s;
}

// Long blank runs before duplicates: every duplicate once made the reader
// trim the first line of its name again.
std::string BlanksThenDuplicateKeys(size_t blanks, size_t duplicates) {
    return "[VelkoraDataFile]\r\nVelkoraDataNum=1\r\n[Velkora-DATA001]\r\n" +
           std::string(blanks, ' ') + "TreeView=1\r\n" + Repeat("TreeView=2\r\n", duplicates);
}

std::string BlanksThenDuplicateHeaders(size_t blanks, size_t duplicates) {
    return "[Velkora-DATA001]\r\n" + std::string(blanks, ' ') + "\r\nk=1\r\n" +
           Repeat("[Velkora-DATA001]\r\nk=2\r\n", duplicates);
}

// Without the reader's fix each of these takes minutes; ctest's limit on
// every test catches a return of that.
TEST(HostileFileTest, DuplicatesAfterLongBlankLinesReadInLinearTime) {
    IniFile keys;
    ASSERT_TRUE(keys.Parse(BlanksThenDuplicateKeys(size_t{4} << 20, 65536)));
    EXPECT_EQ(keys.GetString("Velkora-DATA001", "TreeView", ""), "1");
    keys.SetString("Velkora-DATA001", "TreeView", "3");
    keys.SetString("Velkora-DATA001", "ListView", "4");
    IniFile reread;
    ASSERT_TRUE(reread.Parse(keys.Render()));
    EXPECT_EQ(reread.GetString("Velkora-DATA001", "TreeView", ""), "3");
    EXPECT_EQ(reread.GetString("Velkora-DATA001", "ListView", ""), "4");

    IniFile headers;
    const std::string bytes = BlanksThenDuplicateHeaders(size_t{4} << 20, 65536);
    ASSERT_TRUE(headers.Parse(bytes));
    EXPECT_EQ(headers.GetString("velkora-data001", "k", ""), "1");
    EXPECT_EQ(headers.Render(), bytes);
    // A new key stays in the first section, before every duplicate.
    headers.SetString("Velkora-DATA001", "new", "5");
    ASSERT_TRUE(reread.Parse(headers.Render()));
    EXPECT_EQ(reread.GetString("Velkora-DATA001", "new", ""), "5");
}

TEST(HostileFileTest, ASectionLimitRefusesTheWholeFileBeyondIt) {
    IniFile file;
    file.LimitSections(2);
    ASSERT_TRUE(file.Parse("[a]\nk=1\n[b]\n[a]\n"));  // a duplicate is no new section
    EXPECT_FALSE(file.TooManySections());
    EXPECT_FALSE(file.Parse("[a]\nk=1\n[b]\n[c]\n"));
    EXPECT_TRUE(file.TooManySections());
    EXPECT_EQ(file.GetString("a", "k", "none"), "none");
    EXPECT_EQ(file.Render(), "");
}

TEST(HostileFileTest, AValueReadsAsItWouldBeWritten) {
    IniFile file;
    ASSERT_TRUE(file.Parse(std::string("[S]\r\nk=ab\0cd\r\nq=\"x\0y\"\r\n", 22)));
    EXPECT_EQ(file.GetString("S", "k", ""), "ab");
    EXPECT_EQ(file.GetString("S", "q", ""), "x");
    file.SetString("S", "k", file.GetString("S", "k", ""));
    EXPECT_EQ(file.GetString("S", "k", ""), "ab");
}

#if defined(VELKORA_COUNTED_HEAP)
std::atomic<long long> g_liveBytes{0}, g_peakBytes{0};

void OnAllocate(const volatile void*, size_t size) {
    const long long now = g_liveBytes += static_cast<long long>(size);
    long long peak = g_peakBytes;
    while (now > peak && !g_peakBytes.compare_exchange_weak(peak, now)) {
    }
}

void OnFree(const volatile void* block) {
    const void* p = const_cast<const void*>(block);
    if (p != nullptr && __sanitizer_get_ownership(p))
        g_liveBytes -= static_cast<long long>(__sanitizer_get_allocated_size(p));
}

// True when parsing bytes succeeds and the heap's peak during it stays
// within three bytes per input byte (the input itself is the fourth) plus a
// small constant.
bool ParsesWithinFourBytesPerByte(std::string bytes) {
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
    if (!hooked)
        return false;
    const long long limit = 3 * static_cast<long long>(bytes.size()) + (16LL << 20);
    const long long before = g_liveBytes;
    g_peakBytes = before;
    {
        IniFile file;
        if (!file.Parse(std::move(bytes)) || file.HasSection("never"))
            return false;
    }
    return g_peakBytes - before <= limit;
}
#elif defined(VELKORA_LIMITED_HEAP)
long DataSegmentBytes() {
    std::ifstream status("/proc/self/status");
    std::string field;
    long kb = 0;
    while (status >> field)
        if (field == "VmData:" && status >> kb)
            return kb * 1024;
    return -1;
}

// Parses bytes in a child process whose heap may grow by at most three
// bytes per input byte (the input itself is the fourth) plus a small
// constant: true when the parse succeeds within that.
bool ParsesWithinFourBytesPerByte(std::string bytes) {
    const long base = DataSegmentBytes();
    if (base < 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        const rlim_t limit = static_cast<rlim_t>(base) + 3 * bytes.size() + (rlim_t{16} << 20);
        rlimit data{limit, limit};
        setrlimit(RLIMIT_DATA, &data);
        try {
            IniFile file;
            file.Parse(std::move(bytes));
            _exit(file.HasSection("never") ? 2 : 0);
        } catch (...) {
            _exit(1);
        }
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
#endif

#if defined(VELKORA_COUNTED_HEAP) || defined(VELKORA_LIMITED_HEAP)
// head, then "<before>1<after>", "<before>2<after>"... up to size bytes.
std::string Numbered(const std::string& head, const std::string& before, const std::string& after,
                     size_t size) {
    std::string s = head;
    s.reserve(size);
    for (size_t n = 1;; ++n) {
        const std::string piece = before + std::to_string(n) + after;
        if (s.size() + piece.size() > size)
            return s;
        s += piece;
    }
}

TEST(HostileFileTest, ParsingCostsAtMostAboutFourBytesPerInputByte) {
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(std::string(size_t{48} << 20, '\n')))
        << "48 MB of line feeds";
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(Repeat("\r\n; a comment\r\n", size_t{1} << 20)));
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(BlanksThenDuplicateKeys(size_t{8} << 20, 1 << 20)));
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(BlanksThenDuplicateHeaders(1024, 1 << 20)));
    const size_t size = size_t{24} << 20;
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(Numbered("", "[a", "]\n", size))) << "bare headers";
    EXPECT_TRUE(ParsesWithinFourBytesPerByte(Numbered("[s]\n", "k", "=\n", size))) << "tiny keys";
}
#endif

// Records 1, 2, 4 and 5 of five: the gap reads as an empty record.
void MakeFileWithAGap(IniFile& file) {
    for (int n : {1, 2, 4, 5}) {
        CSysInfo sys;
        sys.SystemName = "R" + std::to_string(n);
        records::SaveSection(file, n, sys);
        CMarkResult times;
        times.m_fTime[0] = static_cast<float>(n);
        records::SaveSection(file, n, times);
    }
    records::WriteRecordCount(file, 5);
}

TEST(HostileFileTest, AGapInTheRecordsHidesNothingAfterIt) {
    IniFile file;
    MakeFileWithAGap(file);
    EXPECT_EQ(records::StoredRecordCount(file), 5);
    EXPECT_EQ(records::TrustedRecordCount(file, 3), 2) << "bounded by the claim";
    EXPECT_EQ(records::ReadSystemNames(file, 5),
              (std::vector<records::StoredName>{{1, "R1"}, {2, "R2"}, {4, "R4"}, {5, "R5"}}))
        << "a record no section has is not listed; the others keep their numbers";

    // Names are matched in any case; other spellings of a number are not
    // that record's sections.
    IniFile odd;
    ASSERT_TRUE(
        odd.Parse("[VelkoraDataFile]\nVelkoraDataNum=9\n[velkora-data007]\nx=1\n"
                  "[Velkora-DATA0008]\nx=1\n[Velkora-DATA9]\nx=1\n"));
    EXPECT_EQ(records::StoredRecordCount(odd), 7);

    // Adding after the gap keeps every record; importing the file keeps
    // the records after its gap and closes it up.
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    sys.SystemName = "new";
    EXPECT_EQ(records::AddRecord(file, records::StoredRecordCount(file), {sys, cpu, times}), 6);
    EXPECT_EQ(records::ReadSystemNames(file, 6).back(), (records::StoredName{6, "new"}));
    EXPECT_EQ(records::ReadSystemNames(file, 6)[2], (records::StoredName{4, "R4"}));

    // Deleting the records after the gap leaves no count that claims it.
    IniFile tail;
    MakeFileWithAGap(tail);
    EXPECT_EQ(records::DeleteRecord(tail, 5, 5), 4);
    EXPECT_EQ(records::DeleteRecord(tail, 4, 4), 2);
    EXPECT_EQ(records::ReadOptions(tail).recordCount, 2);

    IniFile source, target;
    MakeFileWithAGap(source);
    int32_t count = 0;
    EXPECT_EQ(records::ImportRecords(source, target, count),
              (std::vector<std::string>{"R1", "R2", "R4", "R5"}));
    EXPECT_EQ(count, 4);
}

}  // namespace
