#include "numbers.h"
#include "codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zoltrek {
namespace {

using namespace std::string_literals;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kSum = 0.1 + 0.2,
                 kThird = 1.0 / 3;

// The leading number; out of range gives infinity or zero, never a negative zero. A NUL byte
// ends the number: it is no space.
TEST(TextToNum, ReadsTheLeadingNumber) {
    const std::pair<std::string, double> cases[] = {
        {"84512", 84512}, {" \t8\n4 5", 845}, {"41,5", 41.5}, {"1,2.3", 1.2}, {"1.2,3", 1.2},
        {".5", 0.5},      {"5.", 5},          {"-1.5", -1.5}, {"+7", 7},      {"- 1 2", -12},
        {"2.5E-1", 0.25}, {"1e", 1},          {"1 e 2", 100}, {"12|5", 12},   {"", 0},
        {"1\r5", 1},      {"0x1A", 0},        {"8\0 5"s, 8},  {"-0", 0},      {"-abc", 0},
        {"1e999", kInf},  {"-1e999", -kInf},  {"1e-999", 0},  {"abc", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(TextToNum(text), value) << '"' << text << '"';
        EXPECT_FALSE(value == 0 && std::signbit(TextToNum(text))) << '"' << text << '"';
    }
    EXPECT_EQ(TextToNum("1e99999999999999999999999"), kInf);
    EXPECT_EQ(TextToNum(std::string(400, '9')), kInf);
}

// The same text with a comma where the locale has one.
TEST(NumToText, GeneralFormWithTheLocaleSeparator) {
    const std::pair<double, std::string> cases[] = {
        {84512.5, "84512.5"},
        {kSum, "0.3"},
        {-4, "-4"},
        {-0., "0"},
        {kNaN, "\x97"},
        {kInf, "\x97"},
        {kThird, "0.333333333333333"},
    };
    for (auto [value, text] : cases) {
        EXPECT_EQ(NumToText(value, '.'), text) << value;
        std::replace(text.begin(), text.end(), '.', ',');
        EXPECT_EQ(NumToText(value, ','), text) << value;
    }
    EXPECT_EQ(NumToText(123456789012345678.0, '.'), "1.23456789012346e+17");
    EXPECT_EQ(NumWithUnit(8, " km", '.'), "8 km");
    EXPECT_EQ(NumWithUnit(kNaN, " km", '.'), "\x97");  // the dash alone
}

TEST(NumToListText, LeadingSpaceAndPointWithoutZero) {
    const std::pair<double, const char*> cases[] = {
        {84512.5, " 84512.5"}, {0.5, " .5"},    {-0.5, "-.5"}, {-1000, "-1000"}, {0, " 0"},
        {100000, " 100000"},   {kInf, " \x97"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumToListText(value), text) << value;
}

TEST(Codepage, KnownCharactersAndThoseWithoutAByte) {
    const std::pair<const char*, const char*> toCp[] = {
        {"Пройдено", "\xCF\xF0\xEE\xE9\xE4\xE5\xED\xEE"},
        {"ёЁ№—€", "\xB8\xA8\xB9\x97\x88"},
        {"a中b", "a?b"},
        {"x\xFFy", "x?y"},  // not UTF-8
        {"a\xC0\xAF"
         "b",
         "a?b"},                // overlong "/"
        {"\xEF\xBF\xBD", "?"},  // the replacement character itself
        {"\xD0", "?"},          // cut short
    };
    for (const auto& [utf8, cp] : toCp)
        EXPECT_EQ(toCp1251(utf8), cp) << utf8;
    EXPECT_EQ(fromCp1251("\xC0\xFF\x97"), "Ая—");
    EXPECT_EQ(fromCp1251("\x98"), "\xEF\xBF\xBD");
    std::string all;  // every byte that has a character comes back the same
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all += static_cast<char>(b);
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
}

}  // namespace
}  // namespace zoltrek
