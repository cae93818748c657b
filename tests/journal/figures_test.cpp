#include "journal/figures.h"
#include "journal/codepage.h"
#include "journal/details.h"
#include "journal/numbers.h"
#include "journal/parseline.h"
#include "journal/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <tuple>

namespace zoltrek {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The leading number; out of range gives infinity or zero, as strtod does, never a negative zero.
TEST(TextToNum, ReadsTheLeadingNumber) {
    const std::tuple<const char*, std::string, double> cases[] = {
        {"spaces, tabs and LFs are skipped", " \t8\n4 5", 845},
        {"a point after a comma ends the number", "1,2.3", 1.2},
        {"no digit before the point", ".5", 0.5},
        {"plus", "+7", 7},
        {"spaces after the sign are skipped", "- 1 2", -12},
        {"an exponent", "2.5E-1", 0.25},
        {"spaces around the exponent and its sign are skipped", "1 e - 2", 0.01},
        {"a CR ends the number", "1\r5", 1},
        {"no hexadecimal", "0x1A", 0},
        {"minus zero is zero", "-0", 0},
        {"a sign without digits is zero", "-abc", 0},
        {"so is a point and an exponent without digits", ".e5", 0},
        {"too large below zero is minus infinity", "-1e999", -kInf},
        {"digits outweigh a negative exponent", "1" + std::string(10400, '0') + "e-9999", kInf},
        {"an exponent past any integer", "1e99999999999999999999", kInf},
        {"too small is zero, never minus zero", "-1e-400", 0},
        {"zeros after the point outweigh one", "." + std::string(10400, '0') + "1e9999", 0},
        {"as small as a double goes", "4e-320", 4e-320},
        {"an exponent without digits is none", "5 e+x", 5},
    };
    for (const auto& [name, text, value] : cases) {
        EXPECT_EQ(TextToNum(text), value) << name;
        EXPECT_FALSE(value == 0 && std::signbit(TextToNum(text))) << name;
    }
}

// The list keeps a column for the sign and drops the zero before the point to save width.
TEST(NumberTexts, AsTheDetailsOrTheListShowThem) {
    const std::tuple<const char*, double, std::string, const char*> cases[] = {
        {"a space in the place of the sign", 84512.5, "84512.5", " 84512.5"},
        {"no zero before the point in the list", 0.5, "0.5", " .5"},
        {"minus in the place of the sign", -0.5, "-0.5", "-.5"},
        {"the minus alone taken off the digits", -12.5, "-12.5", "-12.5"},
        {"minus zero is 0", -0., "0", " 0"},
        {"infinity is a dash", kInf, "—", " —"},
        {"fifteen significant digits at most", 4.0 / 3, "1.33333333333333", " 1.33333333333333"},
        {"then an exponent", 123456789012345678.0, "1.23456789012346e+17", " 1.23456789012346e+17"},
    };
    for (auto [name, value, text, listText] : cases) {
        EXPECT_EQ(NumToListText(value), listText) << name;
        EXPECT_EQ(NumToText(value, '.'), text) << name;
        std::replace(text.begin(), text.end(), '.', ',');
        EXPECT_EQ(NumToText(value, ','), text) << name;
    }
}

// Every byte but 0x98, which has no character, goes both ways; "?" stands for a character of
// another alphabet, a byte that is no UTF-8, an overlong "/", U+FFFD, a sequence cut short.
TEST(Codepage, CharactersWithAByteGoBothWaysOthersAreQuestionMarks) {
    EXPECT_EQ(toCp1251("Пройдено ёЁ№—€"), "\xCF\xF0\xEE\xE9\xE4\xE5\xED\xEE \xB8\xA8\xB9\x97\x88");
    EXPECT_EQ(toCp1251("a中b|x\xFFy|a\xC0\xAF|\xEF\xBF\xBD|\xD0"), "a?b|x?y|a?|?|?");
    std::string all;
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

// Whole cents stay; 2.675 is a little less as a double; a negative goes down, away from zero.
TEST(Okr, RoundsDownToCentsInDoubleArithmetic) {
    EXPECT_EQ(std::tuple(Okr(923.65), Okr(2.675), Okr(-1.234)), std::tuple(923.65, 2.67, -1.24));
}

// "84512,5" reads as 84512.5 and "abc" as 0; a record past the loaded count does not count.
TEST(Srav, ComparesTheReadingOnly) {
    Journal j = journalOf({{"a", 84512, 1, 2, 3}, {"b", 0, 1, 2, 3}});
    EXPECT_EQ(std::tuple(Srav(j, "84512"), Srav(j, "84512,5"), Srav(j, "abc")),
              std::tuple(true, false, true));
    j.JournalLast = 0;
    EXPECT_FALSE(Srav(j, "abc"));
}

TEST(ParseLine, SplitsFiveFields) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"fields read as TextToNum", "06.12.26|84 512|41,5|20.5|", "06.12.26 84512 41.5 20.5 0"},
        {"a sixth field is ignored", "a|1|2|3|4|5", "a 1 2 3 4"},
        {"four fields make no record", "06.12.26|84512|40|20.5", ""},
        {"the date comes from the code page", "\xC4\xE0\x98|1|2|3|4", "Да\xEF\xBF\xBD 1 2 3 4"},
    };
    for (const auto& [name, line, fields] : cases) {
        std::ostringstream said;
        if (const auto r = ParseLine(line))
            said << r->fDate << ' ' << r->fKm << ' ' << r->fLiters << ' ' << r->fCena << ' '
                 << r->fSumma;
        EXPECT_EQ(said.str(), fields) << name;
    }
}

TEST(StatisticsReport, SumsAllButTheLastFillUpOrSaysThereAreTooFew) {
    const std::vector<FillUp> three = {{"01.11.26", 84000, 40, 20, 800},
                                       {"15.11.26", 84500, 35, 21, 735},
                                       {"30.11.26", 84950, 30, 22, 660}};
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"one fill-up is too few", 1, "Внимание",
         "Нет данных для статистики. Необходимо хотя бы две записи о заправках."},
        {"the litres and money of the last fill-up do not count", 3, "Статистика",
         "За период с 01.11.26 по 30.11.26\r\n\r\nПройдено - 950 км\r\nИстрачено - 1535 руб\r\n"
         "Средняя цена 1 л - 20,5 руб\r\n\r\nСредний расход за период - 7,89 л/100км\r\n"
         "Средняя цена километра - 1,61 руб/1км"},
    };
    for (const auto& [name, count, title, text] : cases) {
        const auto r = statisticsReport(journalOf({three.begin(), three.begin() + count}), ',');
        EXPECT_EQ(std::tuple(r.enoughData, r.title, r.text), std::tuple(count >= 2, title, text))
            << name;
    }
}

// The whole report for a given pair of readings: the distance and the two rates differ.
TEST(StatisticsReport, TheRatesComeFromTheRoundedDistance) {
    const std::tuple<const char*, double, double, const char*, const char*, const char*> cases[] = {
        {"500.5 km round down to even", 0, 500.5, "500 км", "8 л/100км", "1.6 руб/1км"},
        {"501.5 km round up to even", 0, 501.5, "502 км", "7.96 л/100км", "1.59 руб/1км"},
        {"negative distance: negative rates", 450, 0, "-450 км", "-8.89 л/100км", "-1.78 руб/1км"},
        {"no distance has no rates", 0, 0.5, "0 км", "—", "—"},
        {"the largest of 32 bits has", 0, 2147483647, "2147483647 км", "0 л/100км", "0 руб/1км"},
        {"one more has none", 0, 2147483648, "2147483648 км", "—", "—"},
        {"the smallest has", 2147483648, 0, "-2147483648 км", "-0.01 л/100км", "-0.01 руб/1км"},
        {"one less has none", 2147483649, 0, "-2147483649 км", "—", "—"},
        {"a distance past any integer is a dash", 0, 1e300, "—", "—", "—"},
    };
    const std::string sums =
        "\r\nИстрачено - 800 руб\r\nСредняя цена 1 л - 20 руб\r\n\r\n"
        "Средний расход за период - ";
    for (const auto& [name, first, last, distance, rate, perKm] : cases) {
        const Journal two = journalOf({{"a", first, 40, 20, 800}, {"b", last, 1, 1, 1}});
        const std::string lines = distance + sums + rate + "\r\nСредняя цена километра - " + perKm;
        EXPECT_EQ(statisticsReport(two, '.').text, "За период с a по b\r\n\r\nПройдено - " + lines)
            << name;
    }
}

// The six texts, each ended by "|"; the main window's test shows the separator and slot 0's.
TEST(DetailTexts, FiguresSinceTheLineBefore) {
    const FillUp first{"01.11.26", 84000, 40, 20, 800};
    const auto texts = [](const std::vector<FillUp>& records) {
        std::string joined;
        for (const std::string& text : detailTexts(journalOf(records), 1, '.'))
            joined += text + "|";
        return joined;
    };
    const std::tuple<const char*, double, const char*> cases[] = {
        {"a fill-up after another", 84500, "x|84500|35 л|21 руб|500 км|8 л/100км|"},
        {"no distance has no consumption", 84000, "x|84000|35 л|21 руб|0 км|—|"},
        {"a lower reading: negatives", 83000, "x|83000|35 л|21 руб|-1000 км|-4 л/100км|"},
        {"an infinite reading has no distance", kInf, "x|—|35 л|21 руб|—|0 л/100км|"},
    };
    for (const auto& [name, km, expected] : cases)
        EXPECT_EQ(texts({first, {"x", km, 35, 21, 735}}), expected) << name;
    EXPECT_EQ(texts({first}), "||||||") << "a slot past the loaded records";
}

}  // namespace
}  // namespace zoltrek
