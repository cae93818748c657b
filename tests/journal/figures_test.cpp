#include "figures.h"
#include "codepage.h"
#include "details.h"
#include "numbers.h"
#include "parseline.h"
#include "report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <tuple>

namespace zoltrek {
namespace {

using namespace std::string_literals;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
        {84512.5, "84512.5"}, {-4, "-4"}, {-0., "0"}, {kNaN, "—"}, {kInf, "—"}, {0.1 + 0.2, "0.3"},
    };
    for (auto [value, text] : cases) {
        EXPECT_EQ(NumToText(value, '.'), text) << value;
        std::replace(text.begin(), text.end(), '.', ',');
        EXPECT_EQ(NumToText(value, ','), text) << value;
    }
    EXPECT_EQ(NumToText(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(NumToText(123456789012345678.0, '.'), "1.23456789012346e+17");
    EXPECT_EQ(NumWithUnit(8, " km", '.'), "8 km");
    EXPECT_EQ(NumWithUnit(kNaN, " km", '.'), "—");  // the dash alone
}

TEST(NumToListText, LeadingSpaceAndPointWithoutZero) {
    const std::pair<double, const char*> cases[] = {
        {84512.5, " 84512.5"}, {0.5, " .5"}, {-0.5, "-.5"}, {-1000, "-1000"}, {0, " 0"},
        {100000, " 100000"},   {kInf, " —"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumToListText(value), text) << value;
}

// Not UTF-8, an overlong "/", the replacement character itself and a sequence cut short have no
// byte either.
TEST(Codepage, KnownCharactersAndThoseWithoutAByte) {
    EXPECT_EQ(toCp1251("Пройдено ёЁ№—€"), "\xCF\xF0\xEE\xE9\xE4\xE5\xED\xEE \xB8\xA8\xB9\x97\x88");
    const std::pair<const char*, const char*> toCp[] = {
        {"a中b", "a?b"},       {"x\xFFy", "x?y"}, {"a\xC0\xAF", "a?"},
        {"\xEF\xBF\xBD", "?"}, {"\xD0", "?"},
    };
    for (const auto& [utf8, cp] : toCp)
        EXPECT_EQ(toCp1251(utf8), cp) << utf8;
    EXPECT_EQ(fromCp1251("\xC0\xFF\x97\x98"), "Ая—\xEF\xBF\xBD");
    std::string all;  // every byte that has a character comes back the same
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all += static_cast<char>(b);
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
}

Journal journalOf(const std::vector<FillUp>& records) {
    Journal j;
    for (const auto& r : records)
        j.records[++j.JournalLast] = r;
    return j;
}

TEST(Okr, RoundsDownToCentsInDoubleArithmetic) {
    const std::pair<double, double> cases[] = {
        {923.65, 923.65}, {2.675, 2.67}, {1.15, 1.14}, {-1.234, -1.24}, {0.001, 0},
    };
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(Okr(x), expected) << x;
}

// "84512,5" reads as 84512.5 and "abc" as 0; a record past the loaded count does not count.
TEST(Srav, ComparesTheReadingOnly) {
    Journal j = journalOf({{"a", 84512, 1, 2, 3}, {"b", 0, 1, 2, 3}});
    EXPECT_TRUE(Srav(j, "84512"));
    EXPECT_FALSE(Srav(j, "84512,5"));
    EXPECT_TRUE(Srav(j, "abc"));
    j.JournalLast = 0;
    EXPECT_FALSE(Srav(j, "abc"));
}

// Fields past the fifth are ignored; fewer make no record.
TEST(ParseLine, SplitsFiveFields) {
    const std::pair<const char*, const char*> cases[] = {
        {"06.12.26|84512|40|20.5|820", "06.12.26 84512 40 20.5 820"},
        {"06.12.26|84 512|41,5|20.5|", "06.12.26 84512 41.5 20.5 0"},
        {"a|1|2|3|4|5", "a 1 2 3 4"},
        {"\xC4\xE0\x98|1|2|3|4", "Да\xEF\xBF\xBD 1 2 3 4"},  // the date from the code page
        {"||||", " 0 0 0 0"},
        {"06.12.26|84512|40|20.5", ""},
        {"", ""},
    };
    for (const auto& [line, fields] : cases) {
        std::ostringstream said;
        if (const auto r = ParseLine(line))
            said << r->fDate << ' ' << r->fKm << ' ' << r->fLiters << ' ' << r->fCena << ' '
                 << r->fSumma;
        EXPECT_EQ(said.str(), fields) << line;
    }
}

TEST(StatisticsReport, SumsAllButTheLastFillUpOrSaysThereAreTooFew) {
    const std::vector<FillUp> three = {{"01.11.26", 84000, 40, 20, 800},
                                       {"15.11.26", 84500, 35, 21, 735},
                                       {"30.11.26", 84950, 30, 22, 660}};
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "Внимание", "Нет данных для статистики. Необходимо хотя бы две записи о заправках."},
        {3, "Статистика",
         "За период с 01.11.26 по 30.11.26\r\n\r\nПройдено - 950 км\r\nИстрачено - 1535 руб\r\n"
         "Средняя цена 1 л - 20.5 руб\r\n\r\nСредний расход за период - 7.89 л/100км\r\n"
         "Средняя цена километра - 1.61 руб/1км"},
    };
    for (const auto& [count, title, text] : cases) {
        const auto r = statisticsReport(journalOf({three.begin(), three.begin() + count}), '.');
        EXPECT_EQ(r.enoughData, count >= 2) << count;
        EXPECT_EQ(r.title, title) << count;
        EXPECT_EQ(r.text, text) << count;
    }
    const std::string comma = statisticsReport(journalOf(three), ',').text;
    EXPECT_NE(comma.find("Средняя цена 1 л - 20,5 руб"), std::string::npos);
    EXPECT_NE(comma.find("7,89 л/100км"), std::string::npos);
}

// Line 3 and the last two lines for a given pair of readings.
TEST(StatisticsReport, DistanceRoundsHalfToEvenAndMayHaveNoValue) {
    const std::tuple<double, double, const char*, const char*, const char*> cases[] = {
        {84000, 84500.5, "Пройдено - 500 км", "8 л/100км", "1.6 руб/1км"},
        {84000, 84501.5, "Пройдено - 502 км", "7.96 л/100км", "1.59 руб/1км"},
        {84950, 84500, "Пройдено - -450 км", "-8.89 л/100км", "-1.78 руб/1км"},
        {84000, 84000.5, "Пройдено - 0 км", "—", "—"},
        {0, 3e9, "Пройдено - 3000000000 км", "—", "—"},
        {0, 1e300, "Пройдено - —", "—", "—"},
    };
    for (const auto& [first, last, distance, rate, perKm] : cases) {
        const auto text =
            statisticsReport(journalOf({{"a", first, 40, 20, 800}, {"b", last, 1, 1, 1}}), '.')
                .text;
        SCOPED_TRACE(text);
        EXPECT_NE(text.find(distance + "\r\n"s), std::string::npos);
        EXPECT_NE(text.find("за период - "s + rate + "\r\n"), std::string::npos);
        EXPECT_TRUE(text.ends_with("километра - "s + perKm));
        EXPECT_TRUE(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos);
    }
}

// The six texts, joined by "|"; nothing for the first record or one past the loaded ones.
TEST(DetailTexts, FiguresSinceTheLineBefore) {
    const FillUp first{"01.11.26", 84000, 40, 20, 800};
    const auto second = [](double km, double price) { return FillUp{"x", km, 35, price, 735}; };
    const std::tuple<std::vector<FillUp>, int, char, const char*> cases[] = {
        {{first, second(84500, 21)}, 1, '.', "x|84500|35 л|21 руб|500 км|8 л/100км"},
        {{first, second(84500, 20.5)}, 1, ',', "x|84500|35 л|20,5 руб|500 км|8 л/100км"},
        {{first, second(84000, 21)}, 1, '.', "x|84000|35 л|21 руб|0 км|—"},
        {{first, second(83000, 21)}, 1, '.', "x|83000|35 л|21 руб|-1000 км|-4 л/100км"},
        {{first, second(kInf, 21)}, 1, '.', "x|—|35 л|21 руб|—|0 л/100км"},
        {{first, second(84500, 21)}, 0, '.', "|||||"},
        {{first}, 1, '.', "|||||"},
    };
    for (const auto& [records, slot, sep, expected] : cases) {
        const auto texts = detailTexts(journalOf(records), slot, sep);
        std::string joined = texts[0];
        for (int i = 1; i < 6; ++i)
            joined += "|" + texts[i];
        EXPECT_EQ(joined, expected) << "slot " << slot;
    }
}

}  // namespace
}  // namespace zoltrek
