// velkora-compare: its command line, the record list and the baseline, code
// page 932 through iconv, reading data files, and the program's exit status
// and messages. Native only (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "tools/compare/compare_args.h"
#include "tools/compare/compare_input.h"
#include "tools/compare/cp932_codec.h"

namespace {

using compare_tool::CompareArgs;
using compare_tool::Format;

TEST(CompareToolTest, ParsesFilesRecordsBaselineAndOutputs) {
    CompareArgs args;
    std::string error;
    ASSERT_TRUE(compare_tool::ParseCompareArgs({"a.vlk", "--records", "1,3", "b.vlk", "--baseline",
                                                "2", "--csv", "-", "--html", "out.html"},
                                               args, error))
        << error;
    EXPECT_EQ(args.files, (std::vector<std::string>{"a.vlk", "b.vlk"}));
    EXPECT_EQ(args.records, "1,3");
    EXPECT_EQ(args.baseline, 1);
    ASSERT_EQ(args.outputs.size(), 2u);
    EXPECT_EQ(args.outputs[0].format, Format::kCsv);
    EXPECT_EQ(args.outputs[0].path, "-");
    EXPECT_EQ(args.outputs[1].format, Format::kHtml);
    EXPECT_EQ(args.outputs[1].path, "out.html");

    ASSERT_TRUE(compare_tool::ParseCompareArgs({"a.vlk"}, args, error));
    EXPECT_EQ(args.baseline, compare_tool::kDefaultBaseline);
    EXPECT_TRUE(args.outputs.empty()) << "Markdown to the standard output";
    ASSERT_TRUE(compare_tool::ParseCompareArgs({"--baseline", "reference", "a.vlk"}, args, error));
    EXPECT_EQ(args.baseline, compare::kReferenceBaseline);
    ASSERT_TRUE(compare_tool::ParseCompareArgs({"--help"}, args, error));
    EXPECT_TRUE(args.help);

    const struct {
        std::vector<std::string> args;
        const char* error;
    } bad[] = {
        {{}, "no data file given"},
        {{"--records", "1"}, "no data file given"},
        {{"a.vlk", "--records"}, "--records needs a value"},
        {{"a.vlk", "--records", "1", "--records", "2"}, "--records is given twice"},
        {{"a.vlk", "--baseline", "0"},
         "--baseline needs a record from 1 to 8 or \"reference\", "
         "not \"0\""},
        {{"a.vlk", "--baseline", "9"}, "--baseline needs a record from 1 to 8"},
        {{"a.vlk", "--baseline", "+1"}, "--baseline needs a record from 1 to 8"},
        {{"a.vlk", "--baseline", "1", "--baseline", "2"}, "--baseline is given twice"},
        {{"a.vlk", "--html", ""}, "--html needs a file name"},
        {{"a.vlk", "--pdf", "x"}, "unknown option --pdf"},
    };
    for (const auto& c : bad) {
        error.clear();
        EXPECT_FALSE(compare_tool::ParseCompareArgs(c.args, args, error)) << c.error;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(CompareToolTest, PicksRecordsByPositionRangeAndFileNumber) {
    const std::vector<int32_t> counts = {3, 5};  // positions 1-3 and 4-8
    std::vector<int> picks;
    std::string error;
    const struct {
        const char* list;
        std::vector<int> picks;
    } good[] = {
        {"", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"1,3,8", {0, 2, 7}},
        {"8,1", {7, 0}},
        {"2-4", {1, 2, 3}},
        {"2:1", {3}},
        {"1:3,2:5,5", {2, 7, 4}},
    };
    for (const auto& c : good) {
        EXPECT_TRUE(compare_tool::PickRecords(c.list, counts, picks, error)) << c.list << error;
        EXPECT_EQ(picks, c.picks) << c.list;
    }
    const struct {
        const char* list;
        const char* error;
    } bad[] = {
        {"0", "\"0\" is not a record position"},
        {"9", "\"9\": the files hold 8 records"},
        {"1,2-3,3", "record 3 is chosen twice"},
        {"1:1,1", "record 1 is chosen twice"},
        {"3:1", "\"3:1\": 2 files given"},
        {"1:4", "\"1:4\": file 1 holds 3 records"},
        {"4-2", "\"4-2\" is not a range"},
        {"1,", "\"\" is not a record position"},
        {"x", "\"x\" is not a record position"},
        {"1:", "\"1:\" is not FILE:N"},
        {"99999999999", "\"99999999999\" is not a record position"},
    };
    for (const auto& c : bad) {
        error.clear();
        EXPECT_FALSE(compare_tool::PickRecords(c.list, counts, picks, error)) << c.list;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.list << ": " << error;
    }

    int index = 0;
    EXPECT_TRUE(compare_tool::ResolveBaseline(compare_tool::kDefaultBaseline, 3, index, error));
    EXPECT_EQ(index, 0) << "the first chosen record";
    EXPECT_TRUE(compare_tool::ResolveBaseline(compare_tool::kDefaultBaseline, 1, index, error));
    EXPECT_EQ(index, compare::kReferenceBaseline) << "one record: against the reference";
    EXPECT_TRUE(compare_tool::ResolveBaseline(2, 3, index, error));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(compare_tool::ResolveBaseline(3, 3, index, error));
    EXPECT_EQ(error, "--baseline 4: only 3 records are chosen");
}

TEST(CompareToolTest, CodePage932ThroughIconv) {
    const compare_tool::Cp932Codec codec;
    const std::string kekka = "\x8C\x8B\x89\xCA";  // 結果
    EXPECT_EQ(codec.ToUtf16(kekka), u"結果");
    EXPECT_EQ(codec.FromUtf16(u"結果"), kekka);
    EXPECT_EQ(codec.ToUtf16("A\\~\xB1"), u"A\\~ｱ") << "ASCII as is, half-width katakana";
    EXPECT_EQ(codec.FromUtf16(u"ソ"), "\x83\x5C") << "a trail byte that reads as '\\'";
    EXPECT_EQ(codec.ToUtf16("a\x85\x40z"), u"a\uFFFDz") << "an unassigned pair is one character";
    EXPECT_EQ(codec.ToUtf16("a\x80z"), u"a\uFFFDz");
    EXPECT_EQ(codec.ToUtf16("ab\x8C"), u"ab\uFFFD") << "a lead byte cut at the end";
    EXPECT_EQ(codec.FromUtf16(u"é結\U0001F600!"), "?\x8C\x8B?!") << "no CP932 for them";
    EXPECT_EQ(codec.FromUtf16(std::u16string(u"a") + char16_t{0xD800}), "a?");
    EXPECT_EQ(codec.FromUtf16(std::u16string(u"a") + char16_t{0xDC00} + u"b"), "a?b");
    EXPECT_EQ(codec.ToUtf16(std::string(3000, 'x') + kekka), std::u16string(3000, u'x') + u"結果")
        << "longer than one round of iconv";
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(codec.IsLeadByte(static_cast<unsigned char>(b)),
                  (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
            << b;
}

// A scratch folder with a data file of two records named in CP932, one
// without records, and the velkora-compare program's runs over them.
class CompareToolFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/velkora-compare-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        records::IniFile file;  // bytes as they are: CP932
        for (int n = 1; n <= 2; ++n) {
            records::Record record;
            record.system.SystemName = n == 1 ? "\x8C\x8B\x89\xCA" : "Second";
            record.system.PlatformID = 2;
            record.timing.m_fTime[0] = n == 1 ? 2.0f : 1.0f;
            record.Save(file, n);
        }
        records::WriteRecordCount(file, 2);
        Write("two.vlk", file.Render());
        Write("none.vlk", "[VelkoraDataFile]\r\nVelkoraDataNum=0\r\n");
    }
    void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ + "/" + name, std::ios::binary) << bytes;
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    // Runs the program with arguments; its exit status, stdout and stderr.
    int Run(const std::string& arguments, std::string& out, std::string& err) {
        const std::string command = std::string(VELKORA_COMPARE_PROGRAM) + " " + arguments + " >" +
                                    Path("out.txt") + " 2>" + Path("err.txt");
        const int status = std::system(command.c_str());
        out = Read("out.txt");
        err = Read("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string folder_;
};

TEST_F(CompareToolFiles, ReadsStoredRecordsAndRefusesFilesWithout) {
    const compare_tool::Cp932Codec codec;
    compare_tool::DataFile data;
    std::string error;
    ASSERT_TRUE(compare_tool::ReadDataFile(Path("two.vlk"), codec, data, error)) << error;
    ASSERT_EQ(data.numbers.size(), 2u);
    EXPECT_EQ(data.Entry(0, codec).name, "結果");
    EXPECT_EQ(data.Entry(0, codec).origin, "two.vlk");
    EXPECT_EQ(data.Entry(1, codec).number, 2);

    compare_tool::DataFile other;
    EXPECT_FALSE(compare_tool::ReadDataFile(Path("none.vlk"), codec, other, error));
    EXPECT_EQ(error, Path("none.vlk") + " holds no stored records");
    EXPECT_FALSE(compare_tool::ReadDataFile(Path("gone.vlk"), codec, other, error));
    EXPECT_EQ(error, "cannot open " + Path("gone.vlk") + ": No such file or directory");
    EXPECT_FALSE(compare_tool::ReadDataFile(folder_, codec, other, error));
    EXPECT_EQ(error, folder_ + " is a folder, not a data file");

    // Beyond the comparison's limits, by size or by records: refused.
    const std::string tooLarge =
        " is larger than a comparison reads: up to 4 MB and 4000 records a file";
    std::string bigFile = "[VelkoraDataFile]\n" + std::string((4u << 20) + 1, ';');
    std::string manyRecords = "[VelkoraDataFile]\nVelkoraDataNum=4001\n";
    for (int n = 1; n <= 4001; ++n) {
        char header[32];
        std::snprintf(header, sizeof header, "[SystemInfo-DATA%03d]\n", n);
        manyRecords += header;
    }
    std::string manySections;
    for (int n = 0; n <= 16000; ++n)
        manySections += "[s" + std::to_string(n) + "]\n";
    for (const std::string* text : {&bigFile, &manyRecords, &manySections}) {
        Write("big.vlk", *text);
        EXPECT_FALSE(compare_tool::ReadDataFile(Path("big.vlk"), codec, other, error));
        EXPECT_EQ(error, Path("big.vlk") + tooLarge);
    }
}

TEST_F(CompareToolFiles, TheProgramPrintsMarkdownOrExitsWithTwoAndAReason) {
    std::string out, err;
    ASSERT_EQ(Run(Path("two.vlk"), out, err), 0) << err;
    EXPECT_NE(out.find("| Test | 結果 (two.vlk #1) (baseline) | Second (two.vlk #2) |"),
              std::string::npos)
        << out;
    EXPECT_EQ(err, "");

    ASSERT_EQ(Run(Path("two.vlk") + " --records 1:2 --html " + Path("page.html"), out, err), 0);
    EXPECT_EQ(out, "");
    EXPECT_NE(Read("page.html").find("<h1>Velkora comparison</h1>"), std::string::npos);

    const std::string before = Read("two.vlk");
    const struct {
        std::string arguments, message;
    } bad[] = {
        {"", "no data file given (see velkora-compare --help)"},
        {Path("gone.vlk"), "cannot open " + Path("gone.vlk") + ": No such file or directory"},
        {Path("none.vlk"), Path("none.vlk") + " holds no stored records"},
        {Path("two.vlk") + " --records 3", "--records: \"3\": the files hold 2 records"},
        {Path("two.vlk") + " --baseline 3", "--baseline 3: only 2 records are chosen"},
        {Path("two.vlk") + " " + Path("two.vlk") + " " + Path("two.vlk") + " " + Path("two.vlk") +
             " " + Path("two.vlk"),
         "10 records are chosen; at most 8 can be compared: choose them with --records (see "
         "--help)"},
        {Path("two.vlk") + " --csv " + Path("two.vlk"),
         Path("two.vlk") + " is one of the data files; it is never written"},
        {Path("two.vlk") + " --csv " + folder_ + "/no/such/folder.csv",
         "cannot write " + folder_ + "/no/such/folder.csv: No such file or directory"},
    };
    for (const auto& c : bad) {
        EXPECT_EQ(Run(c.arguments, out, err), 2) << c.arguments;
        EXPECT_EQ(err, "velkora-compare: " + c.message + "\n") << c.arguments;
    }
    EXPECT_EQ(Read("two.vlk"), before);
}

}  // namespace
