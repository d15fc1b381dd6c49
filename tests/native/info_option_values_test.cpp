// What the options dialog makes of the texts typed into its two boxes.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "bench/option_values.h"

namespace {

TEST(OptionValuesTest, TextsAreReadLikeAtoi) {
    struct Case {
        const char* text;
        int32_t value;
    } const cases[] = {
        {"10000", 10000},
        {"100", 100},
        {"", 0},
        {"abc", 0},
        {"12ab", 12},
        {"  42", 42},
        {"\t7", 7},
        {"+15", 15},
        {"-300", -300},
        {"- 3", 0},
        {"1 000", 1},
        {"0x10", 0},
        {"00040", 40},
        {"２０００", 0},
        {"99999", 99999},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"99999999999999999999", INT32_MAX},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bench::ParseLeadingInt(c.text), c.value);
    }
}

TEST(OptionValuesTest, ValuesAreClampedNeverRefused) {
    struct Case {
        const char* text;
        int32_t loop;
        int32_t graph;
    } const cases[] = {
        {"100", 5000, 2000},     {"", 5000, 2000},        {"x", 5000, 2000},
        {"-5", 5000, 2000},      {"4999", 5000, 4999},    {"5000", 5000, 5000},
        {"10000", 10000, 10000}, {"15000", 15000, 15000}, {"20000", 20000, 20000},
        {"20001", 20001, 20000}, {"40000", 40000, 20000}, {"50000", 50000, 20000},
        {"50001", 50000, 20000}, {"99999", 50000, 20000}, {"1999", 5000, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bench::LoopCountFromText(c.text), c.loop);
        EXPECT_EQ(bench::GraphMaxFromText(c.text), c.graph);
    }
}

TEST(OptionValuesTest, EveryListEntryFitsItsBoxAndIsInRange) {
    for (const char* choice : bench::kLoopChoices) {
        SCOPED_TRACE(choice);
        EXPECT_LE(std::string(choice).size(), static_cast<size_t>(bench::kOptionMaxChars));
        EXPECT_EQ(bench::LoopCountFromText(choice), bench::ParseLeadingInt(choice));
    }
    for (const char* choice : bench::kGraphChoices) {
        SCOPED_TRACE(choice);
        EXPECT_LE(std::string(choice).size(), static_cast<size_t>(bench::kOptionMaxChars));
        EXPECT_EQ(bench::GraphMaxFromText(choice), bench::ParseLeadingInt(choice));
    }
}

}  // namespace
