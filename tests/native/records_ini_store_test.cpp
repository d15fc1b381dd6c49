#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "records/atomic_file.h"
#include "records/ini_store.h"
#include "records_fake_codepage.h"

namespace {

using records::IniFile;

// A byte string literal with its embedded NULs.
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

// A file the way users and older versions leave them: comments, duplicates,
// odd spacing, quotes, broken headers.
const char kOddFile[] =
    "; results of the lab machines key=value\r\n"
    "[Options]\r\n"
    "  Loop = 20000  \r\n"
    "graph=3000\r\n"
    "GRAPH=9999\r\n"
    "plain line without equals\r\n"
    ";Loop=1\r\n"
    "[options]\r\n"
    "Extra=1\r\n"
    "[Quoted]\r\n"
    "double=\"  padded  \"\r\n"
    "single='x'\r\n"
    "mismatched=\"x'\r\n"
    "lonequote=\"\r\n"
    "inner=a\"b\"\r\n"
    "empty=\r\n"
    "emptyquotes=\"\"\r\n"
    "[ Spaced Name ]\r\n"
    "key with spaces = v\r\n"
    "[a]b]\r\n"
    "k=last bracket\r\n"
    "[unterminated\r\n"
    "u=in the section before\r\n"
    "[Tabs]\r\n"
    "\tk\t=\tv\t\r\n"
    "\x0bvt\x0c=\x0bw\x0c\r\n";

TEST(IniReadTest, ReadsFilesTheWayThePlatformReadsThem) {
    IniFile file;
    file.Parse(kOddFile);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Options", "Loop", "20000"},
        {"OPTIONS", "loop", "20000"},       // names match without regard to case
        {" options\t", " LOOP ", "20000"},  // blanks around asked-for names are ignored
        {"Options", "graph", "3000"},       // the first of duplicate keys
        {"Options", "Extra", "DEF"},        // only the first of duplicate sections
        {"Options", "plain line without equals", "DEF"},
        {"Options", ";Loop", "DEF"},         // comment lines are no keys
        {"Quoted", "double", "  padded  "},  // quotes removed, blanks inside kept
        {"Quoted", "single", "x"},
        {"Quoted", "mismatched", "\"x'"},
        {"Quoted", "lonequote", "\""},
        {"Quoted", "inner", "a\"b\""},
        {"Quoted", "empty", ""},
        {"Quoted", "emptyquotes", ""},
        {"Spaced Name", "key with spaces", "v"},
        {"a]b", "k", "last bracket"},           // the last ']' ends the name
        {"a]b", "u", "in the section before"},  // '[' without ']' is no header
        {"unterminated", "u", "DEF"},
        {"Tabs", "k", "v"},
        {"Tabs", "vt", "w"},  // 0x0B and 0x0C are blanks too
        {"Missing", "k", "DEF"},
        {"Options", "missing", "DEF"},
        {"", "Loop", "DEF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(file.GetString(c.section, c.key, "DEF"), c.expected)
            << "[" << c.section << "] " << c.key;
    EXPECT_TRUE(file.HasSection("a]b"));
    EXPECT_FALSE(file.HasSection("unterminated"));
    // Like the platform, a default loses its trailing blanks.
    EXPECT_EQ(file.GetString("Missing", "k", " x  "), " x");
}

TEST(IniReadTest, CrLfCrAndLfAllEndLines) {
    const char* files[] = {
        "[S]\r\nk=1\r\nm=2\r\n",     "[S]\nk=1\nm=2\n", "[S]\rk=1\rm=2\r",
        "[S]\r\nk=1\nm=2",  // mixed, no line end at the end
        "\n\r\n[S]\r\rk=1\n\nm=2\r",
    };
    for (const char* text : files) {
        IniFile file;
        file.Parse(text);
        EXPECT_EQ(file.GetString("S", "k", ""), "1") << text;
        EXPECT_EQ(file.GetString("S", "m", ""), "2") << text;
        EXPECT_EQ(file.Render(), text);
    }
}

TEST(IniReadTest, IntegersAreReadLikeThePlatformDoes) {
    struct Case {
        const char* value;
        uint32_t expected;
    } cases[] = {
        {"12", 12},
        {"-12abc", 4294967284u},  // -12 in 32 bits
        {"4294967295", 4294967295u},
        {"4294967296", 0},  // low 32 bits
        {"99999999999999999999", 1661992959u},
        {"-2147483649", 2147483647u},
        {"+7", 7},
        {"abc", 0},        // text without digits
        {"", 77},          // empty value: the default
        {"\"\"", 77},      // empty after the quotes
        {"\"  12\"", 12},  // blanks inside quotes are skipped
        {"1e3", 1},
        {"12 34", 12},
        {"- 5", 0},
        {"--5", 0},
        {"08", 8},  // no octal without its prefix
        {"0x10", 16},
        {"0X10", 0},  // prefixes are lower case only
        {"0xFFFFFFFF", 4294967295u},
        {"0xfg", 15},
        {"0b101", 5},
        {"0b2", 0},
        {"0o17", 15},
        {"-0x10", 4294967280u},
        // Only the first 29 characters count.
        {"00000000000000000000000000000123", 0},
        {"0000000000000000000000000001234", 12},
    };
    for (const Case& c : cases) {
        IniFile file;
        file.Parse(std::string("[S]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(file.GetInt("S", "k", 77), c.expected) << c.value;
        EXPECT_EQ(file.GetInt("S", "missing", 77), 77u);
    }
}

TEST(IniReadTest, TextReadsAreCutTo199Bytes) {
    std::string quoted = "\"" + std::string(300, 'q') + "\"";
    IniFile file;
    file.Parse("[S]\r\nlong=" + std::string(250, 'x') + "\r\nquoted=" + quoted +
               "\r\nexact=" + std::string(199, 'e') + "\r\n");
    EXPECT_EQ(file.GetString("S", "long", ""), std::string(199, 'x'));
    EXPECT_EQ(file.GetString("S", "quoted", ""), std::string(199, 'q'));
    EXPECT_EQ(file.GetString("S", "exact", ""), std::string(199, 'e'));
    EXPECT_EQ(file.GetString("S", "long", "", 10), std::string(9, 'x'));
    EXPECT_EQ(file.GetString("S", "long", "", 0), "");
    EXPECT_EQ(file.GetString("S", "missing", std::string(300, 'd')), std::string(199, 'd'));
}

TEST(IniDoubleByteTest, CutsNamesAndCaseNeverSplitACharacter) {
    records_test::FakeCodePage932 cp932;
    IniFile file(cp932);
    const std::string a = "\x82\xA0";  // あ
    std::string hiragana;
    for (int i = 0; i < 120; ++i)
        hiragana += a;
    file.Parse(
        "[S]\r\n"
        "mixed=" +
        std::string(198, 'm') + a +
        "z\r\n"
        "kana=" +
        hiragana +
        "\r\n"
        "\x83\x61=small\r\n"  // ヂ: second byte 'a'
        "\x81\x40k=wide blank\r\n"
        "[\x83\x5D]\r\n"  // ゾ: second byte ']'
        "z=1\r\n"
        "[\x83\x5D\r\n"  // no ']' of its own: an ordinary line
        "y=2\r\n");
    EXPECT_EQ(file.GetString("S", "mixed", ""), std::string(198, 'm'));
    EXPECT_EQ(file.GetString("S", "kana", ""), hiragana.substr(0, 198));
    EXPECT_EQ(file.GetString("S", "\x83\x61", ""), "small");
    EXPECT_EQ(file.GetString("S", "\x83\x41", "DEF"), "DEF");  // ア is not ヂ
    EXPECT_EQ(file.GetString("S", "k", "DEF"), "DEF");         // the ideographic space is no blank
    EXPECT_EQ(file.GetString("\x83\x5D", "z", ""), "1");
    EXPECT_EQ(file.GetString("\x83\x5D", "y", ""), "2");
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

TEST(IniWriteTest, WritesChangeOnlyTheLinesTheyMust) {
    struct Case {
        const char* name;
        const char* before;
        std::vector<Write> writes;
        const char* after;
    } cases[] = {
        {"new file", "", {{"S", "k", "v"}}, "[S]\r\nk=v\r\n"},
        {"value replaced, key spelling and spacing kept",
         "[S]\r\n\tKey = old  \r\n",
         {{"s", "KEY", "new"}},
         "[S]\r\n\tKey = new\r\n"},
        {"new key before the blank line that ends the section",
         "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n",
         {{"S", "c", "3"}},
         "[S]\r\na=1\r\nc=3\r\n\r\n[T]\r\nb=2\r\n"},
        {"new key before a comment about the next section",
         "[S]\r\na=1\r\nx\r\n; T follows\r\n[T]\r\n",
         {{"S", "c", "3"}},
         "[S]\r\na=1\r\nx\r\nc=3\r\n; T follows\r\n[T]\r\n"},
        {"comment lookalike left alone",
         "[S]\r\n;k=1\r\n",
         {{"S", "k", "2"}},
         "[S]\r\nk=2\r\n;k=1\r\n"},
        {"last line without line end", "[S]\na=1", {{"S", "b", "2"}}, "[S]\na=1\r\nb=2\r\n"},
        {"header without line end", "[S]", {{"S", "b", "2"}}, "[S]\r\nb=2\r\n"},
        {"new section at the end",
         "x=1",
         {{"S", "k", "v"}, {"T", "k", "w"}},
         "x=1\r\n[S]\r\nk=v\r\n[T]\r\nk=w\r\n"},
        {"first of duplicates written",
         "[S]\r\na=1\r\na=0\r\n[s]\r\na=2\r\n",
         {{"S", "A", "9"}, {"S", "b", "8"}},
         "[S]\r\na=9\r\na=0\r\nb=8\r\n[s]\r\na=2\r\n"},
        {"value ends at its first line break",
         "[S]\r\n",
         {{"S", "k", "a\r\n[X]\r\nk=evil"}, {"S", "m", "b\nc"}},
         "[S]\r\nk=a\r\nm=b\r\n"},
        {"line ends of untouched lines kept",
         "[S]\rk=1\r",
         {{"S", "k", "2"}, {"S", "n", "3"}},
         "[S]\rk=2\rn=3\r\n"},
        {"names asked for with blanks", "[S]\r\nk=1\r\n", {{" S\t", " k ", "v"}}, "[S]\r\nk=v\r\n"},
        {"empty value", "[S]\r\nk=1\r\n", {{"S", "k", ""}}, "[S]\r\nk=\r\n"},
        {"key that was empty", "[S]\r\nk =  \r\n", {{"S", "k", "v"}}, "[S]\r\nk =  v\r\n"},
    };
    for (const Case& c : cases) {
        IniFile file;
        file.Parse(c.before);
        for (const Write& w : c.writes)
            EXPECT_TRUE(file.SetString(w.section, w.key, w.value));
        EXPECT_EQ(file.Render(), c.after) << c.name;
        // What was written reads back.
        IniFile reread;
        reread.Parse(file.Render());
        for (const Write& w : c.writes) {
            std::string value = w.value;
            value = value.substr(0, value.find_first_of("\r\n"));
            EXPECT_EQ(reread.GetString(w.section, w.key, "DEF"), value) << c.name;
        }
    }
}

TEST(IniWriteTest, NamesThatCouldNotBeReadBackAreRefused) {
    const Write refused[] = {
        {"", "k", "v"},    {" ", "k", "v"},  {"S", "", "v"},       {"S", "a=b", "v"},
        {"S", "[k]", "v"}, {"S", ";k", "v"}, {"S\r\nT", "k", "v"}, {"S", "k\nx", "v"},
    };
    for (const Write& w : refused) {
        IniFile file;
        file.Parse("[S]\r\n");
        EXPECT_FALSE(file.SetString(w.section, w.key, w.value)) << w.section << "/" << w.key;
        EXPECT_EQ(file.Render(), "[S]\r\n");
        EXPECT_FALSE(file.IsModified());
    }
}

TEST(IniWriteTest, WritingTheSameValueChangesNothing) {
    IniFile file;
    file.Parse("[S]\r\nk = 1\r\n");
    EXPECT_TRUE(file.SetString("S", "k", "1"));
    EXPECT_FALSE(file.IsModified());
    EXPECT_TRUE(file.SetString("S", "k", "2"));
    EXPECT_TRUE(file.IsModified());
}

TEST(IniWriteTest, RemovingASectionTakesItsLinesAndEveryDuplicate) {
    struct Case {
        const char* name;
        const char* before;
        std::vector<Write> writes;  // after the removal of "B"
        const char* after;
    } cases[] = {
        {"lines up to the next header; written again at the end",
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n\r\n; about C\r\n[C]\r\nc=3",
         {{"b", "b", "4"}},
         "[A]\r\na=1\r\n[C]\r\nc=3\r\n[b]\r\nb=4\r\n"},
        {"last section without line end", "x\n[A]\na=1\n[b]\nb=2", {}, "x\n[A]\na=1\n"},
        {"later duplicates, other duplicates kept",
         "[B]\r\nb=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n[b]\r\nb=3\r\n[]\r\nx=4\r\n[C]\r\n",
         {},
         "[C]\r\nc=3\r\n[]\r\nx=4\r\n[C]\r\n"},
        {"the section holding a duplicate keeps its keys",
         "[B]\r\n[C]\r\nc=1\r\nnote\r\n[B]\r\nb=2\r\n",
         {{"C", "c", "9"}, {"C", "d", "2"}},
         "[C]\r\nc=9\r\nnote\r\nd=2\r\n"},
    };
    for (const Case& c : cases) {
        IniFile file;
        file.Parse(c.before);
        EXPECT_TRUE(file.RemoveSection(" b ")) << c.name;
        EXPECT_FALSE(file.RemoveSection("B")) << c.name;
        for (const Write& w : c.writes)
            EXPECT_TRUE(file.SetString(w.section, w.key, w.value));
        EXPECT_EQ(file.Render(), c.after) << c.name;
        IniFile reread;
        reread.Parse(file.Render());
        EXPECT_EQ(reread.HasSection("B"), file.HasSection("B")) << c.name;
    }
    // Thousands of removals keep the index of the sections right.
    IniFile many;
    for (int i = 0; i < 3000; ++i)
        many.SetString(std::to_string(i), "k", "v");
    for (int i = 0; i < 3000; i += 3)
        many.RemoveSection(std::to_string(i));
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(many.HasSection(std::to_string(i)), i % 3 != 0) << i;
}

std::string Utf16Bytes(std::u16string_view units, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : units) {
        char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        bytes += littleEndian ? lo : hi;
        bytes += littleEndian ? hi : lo;
    }
    return bytes;
}

TEST(IniEncodingTest, UnicodeFilesAreReadInAnsiAndKeepTheirEncoding) {
    records_test::FakeCodePage932 cp932;
    const std::u16string text = u"[S]\r\nName=\u3042\u30BD\r\nOther=\u4E00\r\n";
    struct Case {
        std::string bytes;
        IniFile::Encoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBF[S]\r\nName=\xE3\x81\x82\xE3\x82\xBD\r\nOther=\xE4\xB8\x80\r\n",
         IniFile::Encoding::kUtf8},
        {Utf16Bytes(text, true), IniFile::Encoding::kUtf16LE},
        {Utf16Bytes(text, false), IniFile::Encoding::kUtf16BE},
    };
    for (const Case& c : cases) {
        IniFile file(cp932);
        file.Parse(c.bytes);
        EXPECT_EQ(file.GetEncoding(), c.encoding);
        EXPECT_EQ(file.Render(), c.bytes);
        EXPECT_EQ(file.GetString("s", "NAME", ""), "\x82\xA0\x83\x5C");
        EXPECT_EQ(file.GetString("S", "Other", ""), "?");  // not in the code page
        // A write in ANSI lands in the file's encoding; the rest stays.
        EXPECT_TRUE(file.SetString("S", "New", "\x82\xA0!"));
        EXPECT_TRUE(file.SetString("T", "\x83\x5D", "1"));
        IniFile reread(cp932);
        reread.Parse(file.Render());
        EXPECT_EQ(reread.GetEncoding(), c.encoding);
        EXPECT_EQ(reread.GetString("S", "new", ""), "\x82\xA0!");
        EXPECT_EQ(reread.GetString("T", "\x83\x5D", ""), "1");
        EXPECT_EQ(reread.GetString("S", "Other", ""), "?");
        const std::u16string expected = text + u"New=\u3042!\r\n[T]\r\n\u30BE=1\r\n";
        if (c.encoding == IniFile::Encoding::kUtf8)
            EXPECT_EQ(file.Render(), c.bytes + "New=\xE3\x81\x82!\r\n[T]\r\n\xE3\x82\xBE=1\r\n");
        else
            EXPECT_EQ(file.Render(),
                      Utf16Bytes(expected, c.encoding == IniFile::Encoding::kUtf16LE));
    }
}

TEST(IniEncodingTest, UntouchedFilesRenderByteForByte) {
    const std::string files[] = {
        "",
        "\r\n\r\n",
        "[",
        "]",
        "=",
        "[]\r\n=x\r\n[ ]\r\n",
        BYTES("[S]\r\nk=a\0b\r\n"),
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF[S]\r\nbad=\xC3\x28\xFF\r\n",
        "\xFF\xFE",
        BYTES("\xFF\xFE[\0S\0]\0\r\0\n\0"),
        // Lone surrogates and an odd last byte.
        BYTES("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x00\xD8\x41\0\x00\xDC\r"),
        BYTES("\xFE\xFF\0[\0S\0]\xD8\x3D\xDE\x00"),
        "no header\nkey=value\r[S]\n\n\n",
    };
    for (const std::string& bytes : files) {
        IniFile file;
        file.Parse(bytes);
        EXPECT_EQ(file.Render(), bytes);
    }
}

TEST(IniScaleTest, ThousandsOfRecordsReadBackEveryKey) {
    constexpr int kRecords = 3000, kKeys = 41;
    IniFile file;
    char section[32], key[32], value[32];
    for (int r = 0; r < kRecords; ++r) {
        for (int k = 0; k < kKeys; ++k) {
            std::snprintf(section, sizeof section, "Record-%03d", r);
            std::snprintf(key, sizeof key, "Key %d", k);
            std::snprintf(value, sizeof value, "%d.%d", r, k);
            ASSERT_TRUE(file.SetString(section, key, value));
        }
    }
    IniFile reread;
    reread.Parse(file.Render());
    EXPECT_EQ(reread.Render(), file.Render());
    // Change every tenth record in place, then check all keys.
    for (int r = 0; r < kRecords; r += 10) {
        std::snprintf(section, sizeof section, "RECORD-%03d", r);
        reread.SetString(section, "key 40", "changed");
    }
    for (int r = 0; r < kRecords; ++r) {
        std::snprintf(section, sizeof section, "Record-%03d", r);
        for (int k = 0; k < kKeys; ++k) {
            std::snprintf(key, sizeof key, "Key %d", k);
            std::snprintf(value, sizeof value, "%d.%d", r, k);
            std::string expected = (r % 10 == 0 && k == 40) ? "changed" : value;
            ASSERT_EQ(reread.GetString(section, key, ""), expected) << section << " " << key;
        }
    }
}

// ---------------------------------------------------------------------------
// The file on disk

class IniDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::filesystem::temp_directory_path() / (std::string("velkora-ini-") + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "bench.vlk";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    int FolderEntries() const {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            (void)entry;
            ++n;
        }
        return n;
    }

    static std::string ReadBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path folder_, path_;
};

TEST_F(IniDiskTest, MissingFileLoadsEmptyAndTheFirstSaveCreatesIt) {
    IniFile file;
    ASSERT_TRUE(file.Load(path_.native()));
    EXPECT_EQ(file.GetInt("VelkoraDataFile", "VelkoraDataNum", 0), 0u);
    EXPECT_TRUE(file.Save());  // nothing changed: nothing written
    EXPECT_FALSE(std::filesystem::exists(path_));
    file.SetString("VelkoraDataFile", "VelkoraDataNum", "3");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(path_), "[VelkoraDataFile]\r\nVelkoraDataNum=3\r\n");
    EXPECT_EQ(FolderEntries(), 1) << "no temporary file stays behind";
    EXPECT_FALSE(file.IsModified());
}

TEST_F(IniDiskTest, SaveKeepsEverythingElseOfTheFile) {
    const std::string before = "; mine\n[Keep]\nodd  =  spacing\n\n[S]\nk=1\n";
    WriteBytes(path_, before);
    IniFile file;
    ASSERT_TRUE(file.Load(path_.native()));
    file.SetString("S", "k", "2");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(path_), "; mine\n[Keep]\nodd  =  spacing\n\n[S]\nk=2\n");
}

TEST_F(IniDiskTest, FailedSaveLeavesTheFileAndRevertBringsBackWhatItHolds) {
    WriteBytes(path_, "[S]\r\nk=old\r\n");
    IniFile file;
    ASSERT_TRUE(file.Load(path_.native()));
    file.SetString("S", "k", "new");
    // With the folder gone for a moment the save fails.
    const std::filesystem::path away = folder_.string() + "-away";
    std::filesystem::rename(folder_, away);
    EXPECT_FALSE(file.Save());
    std::filesystem::rename(away, folder_);
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=old\r\n");
    EXPECT_EQ(FolderEntries(), 1);
    EXPECT_TRUE(file.IsModified());
    EXPECT_EQ(file.GetString("S", "k", ""), "new");
    file.Revert();
    EXPECT_EQ(file.GetString("S", "k", ""), "old");
    EXPECT_FALSE(file.IsModified());

    // Once the way is free, the next operation saves.
    file.SetString("S", "k", "newer");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=newer\r\n");
    file.SetString("S", "k", "lost");
    file.Revert();  // back to what the last save wrote
    EXPECT_EQ(file.GetString("S", "k", ""), "newer");
}

TEST_F(IniDiskTest, UnreadableFileFailsToLoadAndIsNeverOverwritten) {
    // A folder in the data file's place cannot be read as a file.
    std::filesystem::create_directory(path_);
    IniFile file;
    EXPECT_FALSE(file.Load(path_.native()));
    file.SetString("S", "k", "v");
    EXPECT_FALSE(file.Save());
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

#ifndef _WIN32
// What a crash or an attacker may leave at the old fixed temporary name
// neither blocks the save nor is written through. (The Windows side has its
// own test: links and read-only files behave differently there.)
TEST_F(IniDiskTest, StaleTemporaryFilesAndLinksNeitherBlockNorRedirectTheSave) {
    WriteBytes(path_, "[S]\r\nk=old\r\n");
    const std::string stale = path_.string() + ".tmp", victim = (folder_ / "victim").string();
    WriteBytes(stale, "stale");
    std::filesystem::permissions(stale, std::filesystem::perms::owner_read);
    WriteBytes(victim, "victim");
    std::filesystem::create_symlink(victim, path_.string() + ".link.tmp");
    IniFile file;
    ASSERT_TRUE(file.Load(path_.native()));
    for (const char* value : {"1", "2"}) {
        file.SetString("S", "k", value);
        ASSERT_TRUE(file.Save());
        EXPECT_EQ(ReadBytes(path_), std::string("[S]\r\nk=") + value + "\r\n");
    }
    EXPECT_EQ(ReadBytes(stale), "stale");
    EXPECT_EQ(ReadBytes(victim), "victim");
    EXPECT_EQ(FolderEntries(), 4);
}

#endif

TEST_F(IniDiskTest, SaveIntoAMissingFolderFails) {
    IniFile file;
    const std::filesystem::path path = folder_ / "no such folder" / "bench.vlk";
    ASSERT_TRUE(file.Load(path.native()));
    file.SetString("S", "k", "v");
    EXPECT_FALSE(file.Save());
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
