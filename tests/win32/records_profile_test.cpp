// The data-file store against the platform's own private-profile functions:
// files written or edited for them read the same through the store, and
// files the store writes read the same through them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "bench/catalogue.h"
#include "bench/mark_result.h"
#include "records/atomic_file.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"

namespace {

using records::IniFile;

#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

// The store's own path for one of the ANSI paths this test hands the
// platform's profile functions.
records::FilePath Wide(const std::string& ansi) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, MAX_PATH);
    return wide;
}

class RecordsProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char name[64];
        std::snprintf(name, sizeof name, "velkora-profile-%lu", GetCurrentProcessId());
        folder_ = std::string(temp) + name;
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    void TearDown() override {
        for (const std::string& path : created_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    int TemporaryFiles() const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*.tmp").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        int n = 0;
        do
            ++n;
        while (FindNextFileA(search, &found));
        FindClose(search);
        return n;
    }

    // A new file name for every file: the platform caches a parsed file by
    // name and modification time, which two quick writes can share.
    std::string NewPath() {
        char name[32];
        std::snprintf(name, sizeof name, "\\case%03d.ini", counter_++);
        created_.push_back(folder_ + name);
        return created_.back();
    }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    static std::string ReadBytes(const std::string& path) {
        std::string bytes;
        records::ReadWholeFile(Wide(path), bytes, 1 << 20);
        return bytes;
    }

    static std::string PlatformGet(const std::string& path, const char* section, const char* key,
                                   const char* def = "DEF") {
        char buffer[records::kTextBufferSize];
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer, sizeof buffer, path.c_str());
        return std::string(buffer, n);
    }

    static UINT PlatformGetInt(const std::string& path, const char* section, const char* key) {
        return GetPrivateProfileIntA(section, key, 77, path.c_str());
    }

    static bool CodePage932() { return GetACP() == 932; }

    std::string folder_;
    std::vector<std::string> created_;
    int counter_ = 0;
};

struct Query {
    const char* section;
    const char* key;
};

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<Query> queries;
    bool needs932;
};

TEST_F(RecordsProfileTest, FilesForThePlatformReadTheSameThroughTheStore) {
    const std::string quoted300 = "\"" + std::string(300, 'q') + "\"";
    const FileCase cases[] = {
        {"case and blanks",
         "[Options]\r\n  Loop = 20000  \r\n\tGraph\t=\t3000\t\r\n\x0bVt\x0c=\x0bw\x0c\r\n",
         {{"OPTIONS", "loop"}, {" options ", " GRAPH\t"}, {"Options", "vt"}, {"Opt", "Loop"}},
         false},
        {"quotes",
         "[Q]\r\nd=\"  padded  \"\r\ns='x'\r\nm=\"x'\r\nl=\"\r\ni=a\"b\"\r\ne=\r\nq=\"\"\r\n"
         "n=\"12\"\r\n",
         {{"Q", "d"},
          {"Q", "s"},
          {"Q", "m"},
          {"Q", "l"},
          {"Q", "i"},
          {"Q", "e"},
          {"Q", "q"},
          {"Q", "n"}},
         false},
        {"duplicates and comments",
         "; top\r\n[S]\r\na=1\r\nA=2\r\n;b=3\r\nplain line\r\n[s]\r\nc=4\r\na=5\r\n",
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "plain line"}, {"S", "missing"}},
         false},
        {"headers",
         "[a]b]\r\nk=1\r\n[unterminated\r\nu=2\r\n[ spaced ]\r\nk=3\r\n",
         {{"a]b", "k"}, {"a]b", "u"}, {"unterminated", "u"}, {"spaced", "k"}},
         false},
        {"line ends", "[S]\rk=1\rm=2", {{"S", "k"}, {"S", "m"}}, false},
        {"line ends LF", "[S]\nk=1\nm=2\n", {{"S", "k"}, {"S", "m"}}, false},
        {"long values",
         "[L]\r\nv=" + std::string(300, 'v') + "\r\nq=" + quoted300 +
             "\r\ne=" + std::string(199, 'e') + "\r\nm=" + std::string(198, 'm') + ":;" +
             std::string(50, 'n') + "\r\n",
         {{"L", "v"}, {"L", "q"}, {"L", "e"}, {"L", "m"}},
         false},
        {"integers",
         "[I]\r\na=4294967295\r\nb=4294967296\r\nc=-12abc\r\nd=-2147483649\r\ne=+7\r\n"
         "f=abc\r\ng=\r\nh=0x683\r\ni=0X10\r\nj=0b101\r\nk=0o17\r\nl=99999999999999999999\r\n"
         "m=1e3\r\nn=\"  12\"\r\no=0000000000000000000000000001234\r\np=2147483648\r\n",
         {{"I", "a"},
          {"I", "b"},
          {"I", "c"},
          {"I", "d"},
          {"I", "e"},
          {"I", "f"},
          {"I", "g"},
          {"I", "h"},
          {"I", "i"},
          {"I", "j"},
          {"I", "k"},
          {"I", "l"},
          {"I", "m"},
          {"I", "n"},
          {"I", "o"},
          {"I", "p"},
          {"I", "missing"}},
         false},
        {"code page 932 names and values",
         "[\x83\x66\x81\x5B\x83\x5E]\r\n\x96\xBC\x91\x4F=\x82\xA0\x82\xA2\x82\xA4\r\n"
         "\x83\x61=small\r\n[\x83\x5D]\r\nz=1\r\n",
         {{"\x83\x66\x81\x5B\x83\x5E", "\x96\xBC\x91\x4F"},
          {"\x83\x66\x81\x5B\x83\x5E", "\x83\x61"},
          {"\x83\x66\x81\x5B\x83\x5E", "\x83\x41"},
          {"\x83\x5D", "z"}},
         true},
        {"UTF-8 with byte-order mark",
         "\xEF\xBB\xBF[S]\r\nName=\xE3\x81\x82\xE3\x82\xBD\r\nN=5\r\n",
         {{"S", "name"}, {"S", "N"}},
         true},
        {"UTF-16 with byte-order mark",
         BYTES("\xFF\xFE[\0S\0]\0\r\0\n\0N\0a\0m\0e\0=\0\x42\x30\xBD\x30\r\0\n\0N\0="
               "\0\x35\0\r\0\n\0"),
         {{"S", "name"}, {"S", "N"}},
         true},
    };
    for (const FileCase& c : cases) {
        // The Windows tests run under the Japanese locale (tools/test sets it).
        ASSERT_TRUE(!c.needs932 || CodePage932()) << "the Japanese ANSI code page";
        const std::string path = NewPath();
        WriteBytes(path, c.bytes);
        IniFile file;
        ASSERT_TRUE(file.Load(Wide(path)));
        for (const Query& q : c.queries) {
            EXPECT_EQ(file.GetString(q.section, q.key, "DEF"), PlatformGet(path, q.section, q.key))
                << c.name << ": [" << q.section << "] " << q.key;
            EXPECT_EQ(file.GetInt(q.section, q.key, 77), PlatformGetInt(path, q.section, q.key))
                << c.name << ": [" << q.section << "] " << q.key;
        }
    }
}

TEST_F(RecordsProfileTest, DefaultsLoseTheirTrailingBlanksLikeThePlatformsDo) {
    const std::string path = NewPath();
    WriteBytes(path, "[S]\r\n");
    IniFile file;
    ASSERT_TRUE(file.Load(Wide(path)));
    for (const char* def : {"", "0.0", " x  ", "x\t", "  "})
        EXPECT_EQ(file.GetString("S", "missing", def), PlatformGet(path, "S", "missing", def))
            << "'" << def << "'";
}

struct WriteOp {
    const char* section;
    const char* key;
    std::string value;
};

// The same writes through the platform into one file and through the store
// into another: each file reads the same through both readers.
TEST_F(RecordsProfileTest, WritesOfEitherSideReadTheSameThroughBoth) {
    const std::string initial =
        "; kept\r\n[SystemInfo-DATA001]\r\nSystemName=Old\r\n\r\n[Dup]\r\nk=1\r\n[dup]\r\nk=2\r\n";
    std::vector<WriteOp> ops = {
        {"SystemInfo-DATA001", "SYSTEMNAME", "P at 700MHz System(2)"},
        {"systeminfo-data001", "MEMO", "line 1:;line 2"},
        {"SystemInfo-DATA001", "Setting", "4294967295"},
        {"SystemInfo-DATA001", "PlatformID", "2"},
        {"InfoCPU-DATA001", "Signature", "1667"},
        {"InfoCPU-DATA001", "CashFlagEAX", "3221225473"},
        {"InfoCPU-DATA001", "Frequency", "699.600000"},
        {"Dup", "K", "3"},
        {"Dup", "new", "4"},
        {"Pad", "padded", "  spaced value  "},
        {"Pad", "quoted", "\"in quotes\""},
        {"Long", "memo", std::string(150, 'a') + ":;" + std::string(150, 'b')},
        {"VelkoraDataFile", "VelkoraDataNum", "1000"},
    };
    ASSERT_TRUE(CodePage932()) << "the Japanese ANSI code page";
    ops.push_back({"SystemInfo-DATA002", "SystemName", "\x83\x65\x83\x58\x83\x67"});
    ops.push_back({"\x83\x66\x81\x5B\x83\x5E", "\x96\xBC\x91\x4F", "\x82\xA0"});

    const std::string platformPath = NewPath(), storePath = NewPath();
    WriteBytes(platformPath, initial);
    WriteBytes(storePath, initial);
    for (const WriteOp& op : ops)
        ASSERT_TRUE(
            WritePrivateProfileStringA(op.section, op.key, op.value.c_str(), platformPath.c_str()));
    IniFile store;
    ASSERT_TRUE(store.Load(Wide(storePath)));
    for (const WriteOp& op : ops)
        ASSERT_TRUE(store.SetString(op.section, op.key, op.value));
    ASSERT_TRUE(store.Save());

    IniFile fromPlatform, fromStore;
    ASSERT_TRUE(fromPlatform.Load(Wide(platformPath)));
    ASSERT_TRUE(fromStore.Load(Wide(storePath)));
    std::vector<Query> queries = {
        {"SystemInfo-DATA001", "SystemName"}, {"Dup", "k"}, {"dup", "new"}, {"Missing", "k"}};
    for (const WriteOp& op : ops)
        queries.push_back({op.section, op.key});
    for (const Query& q : queries) {
        const std::string expected = PlatformGet(platformPath, q.section, q.key);
        EXPECT_EQ(PlatformGet(storePath, q.section, q.key), expected) << q.section << "/" << q.key;
        EXPECT_EQ(fromPlatform.GetString(q.section, q.key, "DEF"), expected)
            << q.section << "/" << q.key;
        EXPECT_EQ(fromStore.GetString(q.section, q.key, "DEF"), expected)
            << q.section << "/" << q.key;
        const UINT number = PlatformGetInt(platformPath, q.section, q.key);
        EXPECT_EQ(PlatformGetInt(storePath, q.section, q.key), number);
        EXPECT_EQ(fromStore.GetInt(q.section, q.key, 77), number);
    }
    // The store kept what it had no reason to touch.
    const std::string written = ReadBytes(storePath);
    EXPECT_EQ(written.compare(0, 8, "; kept\r\n"), 0);
    EXPECT_NE(written.find("\r\n\r\n[Dup]\r\nk=3\r\nnew=4\r\n[dup]\r\nk=2\r\n"), std::string::npos)
        << written;
}

TEST_F(RecordsProfileTest, TimingRecordsCrossBetweenPlatformAndStore) {
    // Written key by key the way the platform functions would.
    const std::string platformPath = NewPath();
    const std::string section = records::TimingSectionName(7);
    for (int i = 0; i < bench::kTestCount; ++i) {
        std::string key;
        GetTestName(i, key);
        char value[32];
        std::snprintf(value, sizeof value, "%f", 0.25 * i + 0.5);
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value, platformPath.c_str());
    }
    IniFile file;
    ASSERT_TRUE(file.Load(Wide(platformPath)));
    CMarkResult loaded;
    records::LoadSection(file, 7, loaded);
    for (int i = 0; i < bench::kTestCount; ++i)
        EXPECT_EQ(loaded.m_fTime[i], 0.25f * i + 0.5f) << i;

    // Saved by the store as record 1000, read by the platform.
    const std::string storePath = NewPath();
    IniFile store;
    ASSERT_TRUE(store.Load(Wide(storePath)));
    records::SaveSection(store, 1000, loaded);
    ASSERT_TRUE(store.Save());
    for (int i = 0; i < bench::kTestCount; ++i) {
        std::string key;
        GetTestName(i, key);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%f", 0.25 * i + 0.5);
        EXPECT_EQ(PlatformGet(storePath, "Velkora-DATA1000", key.c_str()), expected);
    }
}

TEST_F(RecordsProfileTest, FailedReplacementLeavesTheFileAndNoTemporary) {
    const std::string path = NewPath();
    WriteBytes(path, "[S]\r\nk=old\r\n");
    IniFile file;
    ASSERT_TRUE(file.Load(Wide(path)));
    file.SetString("S", "k", "new");

    // Held open without delete sharing: the file cannot be replaced.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.Save());
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=old\r\n");
    EXPECT_EQ(TemporaryFiles(), 0) << "the temporary file is removed";

    // A read-only data file is not replaced either.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(file.Save());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=old\r\n");

    ASSERT_TRUE(file.Save());
    EXPECT_EQ(PlatformGet(path, "S", "k"), "new");
}

TEST_F(RecordsProfileTest, AStaleReadOnlyTemporaryFileDoesNotBlockSaving) {
    const std::string path = NewPath(), stale = path + ".tmp";
    created_.push_back(stale);
    WriteBytes(stale, "stale");
    SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_READONLY);
    IniFile file;
    ASSERT_TRUE(file.Load(Wide(path)));
    file.SetString("S", "k", "v");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(PlatformGet(path, "S", "k"), "v");
    EXPECT_EQ(ReadBytes(stale), "stale");
    EXPECT_EQ(TemporaryFiles(), 1);
}

// A folder whose name no ANSI code page spells whole, and the file in it
// known by its identity however its path is spelt.
TEST_F(RecordsProfileTest, AnyFolderNameHoldsTheDataFileAndKnowsItsOwnFile) {
    const records::FilePath sub = Wide(folder_) + L"\\caf\u00e9 \u2713 \u7d50\u679c";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    const records::FilePath path = sub + L"\\bench.vlk";
    {
        IniFile file;
        ASSERT_TRUE(file.Load(path));
        file.SetString("S", "k", "v");
        ASSERT_TRUE(file.Save());
    }
    wchar_t value[16] = {};
    GetPrivateProfileStringW(L"S", L"k", L"DEF", value, 16, path.c_str());
    EXPECT_STREQ(value, L"v");
    IniFile reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_EQ(reread.GetString("S", "k", ""), "v");

    wchar_t shortPath[MAX_PATH] = {};
    const DWORD shortLength = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    ASSERT_GT(shortLength, 0u);
    ASSERT_LT(shortLength, static_cast<DWORD>(MAX_PATH));
    records::FilePath otherCase = path, dotted = sub + L"\\.\\bench.vlk";
    for (wchar_t& c : otherCase)
        c = static_cast<wchar_t>(towupper(c));
    const records::FilePath spellings[] = {path, shortPath, otherCase, dotted};
    for (const records::FilePath& same : spellings)
        EXPECT_TRUE(records::IsSameFile(same, path)) << &same - spellings;
    const records::FilePath other = sub + L"\\other.vlk";
    WriteBytes(folder_ + "\\other.vlk", "x");
    created_.push_back(folder_ + "\\other.vlk");
    EXPECT_FALSE(records::IsSameFile(Wide(folder_ + "\\other.vlk"), path));
    EXPECT_FALSE(records::IsSameFile(other, path)) << "a file that does not exist";
    EXPECT_FALSE(records::IsSameFile(records::FilePath(), path));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(sub.c_str());
}

}  // namespace
