#include "numbers.h"
#include "codepage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zoltrek {
namespace {

struct TextCase {
    const char* text;
    double value;
};

TEST(TextToNum, ReadsTheLeadingNumber) {
    const TextCase cases[] = {
        {"84512", 84512}, {"84 512", 84512}, {" \t8\n4 5 1 2", 84512},
        {"41.5", 41.5},   {"41,5", 41.5},    {"84512,5", 84512.5},
        {"1.2.3", 1.2},   {"1,2.3", 1.2},    {"1.2,3", 1.2},
        {".5", 0.5},      {"5.", 5},         {",5", 0.5},
        {"-1.5", -1.5},   {"+7", 7},         {"- 1 2", -12},
        {"1e3", 1000},    {"2.5E-1", 0.25},  {"1e", 1},
        {"1e+", 1},       {"1 e 2", 100},    {"12abc", 12},
        {"12|5", 12},     {"abc", 0},        {"", 0},
        {"-", 0},         {".", 0},          {"1\r5", 1},
        {"0x1A", 0},      {"00042", 42},     {"1024,65", 1024.65},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToNum(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToNum, OutOfRangeGivesInfinityOrZero) {
    EXPECT_EQ(TextToNum("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToNum("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToNum("1e-999"), 0);
    EXPECT_EQ(TextToNum("1e99999999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToNum(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(TextToNum, NeverGivesNegativeZero) {
    for (const char* text : {"-", "-0", "-0.0", "-abc"})
        EXPECT_FALSE(std::signbit(TextToNum(text))) << text;
}

TEST(NumToText, GeneralFormWithTheLocaleSeparator) {
    struct Case {
        double value;
        char sep;
        const char* text;
    };
    const Case cases[] = {
        {820, '.', "820"},
        {84512.5, '.', "84512.5"},
        {84512.5, ',', "84512,5"},
        {0.5, ',', "0,5"},
        {0.1 + 0.2, '.', "0.3"},
        {-4, '.', "-4"},
        {-0.0, '.', "0"},
        {1024.65, '.', "1024.65"},
        {2.29, ',', "2,29"},
        {123456789012345678.0, '.', "1.23456789012346e+17"},
        {1.0 / 3, '.', "0.333333333333333"},
        {std::numeric_limits<double>::infinity(), '.', "\x97"},
        {-std::numeric_limits<double>::infinity(), '.', "\x97"},
        {std::nan(""), '.', "\x97"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumToText(c.value, c.sep), c.text) << c.value;
}

TEST(NumToListText, LeadingSpaceAndPointWithoutZero) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {84512, " 84512"},   {84512.5, " 84512.5"},
        {0.5, " .5"},        {-0.5, "-.5"},
        {-1000, "-1000"},    {0, " 0"},
        {100000, " 100000"}, {std::numeric_limits<double>::infinity(), " \x97"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumToListText(c.value), c.text) << c.value;
}

TEST(NumWithUnit, DashAloneWhenThereIsNoValue) {
    EXPECT_EQ(NumWithUnit(8, " km", '.'), "8 km");
    EXPECT_EQ(NumWithUnit(std::nan(""), " km", '.'), "\x97");
}

TEST(Codepage, RoundTripsEveryCharacterItHas) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all += static_cast<char>(b);
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
}

TEST(Codepage, KnownCharacters) {
    EXPECT_EQ(toCp1251("Пройдено"), "\xCF\xF0\xEE\xE9\xE4\xE5\xED\xEE");
    EXPECT_EQ(toCp1251("ёЁ№—€"), "\xB8\xA8\xB9\x97\x88");
    EXPECT_EQ(fromCp1251("\xC0\xFF\x97"), "Ая—");
    EXPECT_EQ(fromCp1251("\x98"), "\xEF\xBF\xBD");
}

TEST(Codepage, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(toCp1251("a中b"), "a?b");
    EXPECT_EQ(toCp1251("x\xFFy"), "x?y");  // not UTF-8
    EXPECT_EQ(toCp1251("a\xC0\xAF"
                       "b"),
              "a?b");                          // overlong "/"
    EXPECT_EQ(toCp1251("\xEF\xBF\xBD"), "?");  // the replacement character itself
    EXPECT_EQ(toCp1251("\xD0"), "?");          // cut short
}

}  // namespace
}  // namespace zoltrek
