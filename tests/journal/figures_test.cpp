#include "figures.h"
#include "codepage.h"
#include "details.h"
#include "parseline.h"
#include "report.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <tuple>
#include <vector>

namespace zoltrek {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

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

TEST(ParseLine, SplitsFiveFields) {
    const auto fields = [](const FillUp& f) {
        return std::tuple(f.fDate, f.fKm, f.fLiters, f.fCena, f.fSumma);
    };
    const std::pair<const char*, std::optional<FillUp>> cases[] = {
        {"06.12.26|84512|40|20.5|820", FillUp{"06.12.26", 84512, 40, 20.5, 820}},
        {"06.12.26|84 512|41,5|20.5|", FillUp{"06.12.26", 84512, 41.5, 20.5, 0}},
        {"a|1|2|3|4|5", FillUp{"a", 1, 2, 3, 4}},
        {"||||", FillUp{}},
        {"06.12.26|84512|40|20.5", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [line, expected] : cases) {
        const auto r = ParseLine(line);
        ASSERT_EQ(r.has_value(), expected.has_value()) << line;
        if (r) {
            EXPECT_EQ(fields(*r), fields(*expected)) << line;
        }
    }
}

const std::vector<FillUp> kThree = {{"01.11.26", 84000, 40, 20, 800},
                                    {"15.11.26", 84500, 35, 21, 735},
                                    {"30.11.26", 84950, 30, 22, 660}};

std::string lines(std::initializer_list<const char*> utf8) {
    std::string text;
    for (const char* line : utf8)
        text += (text.empty() ? "" : "\r\n") + toCp1251(line);
    return text;
}

TEST(StatisticsReport, SumsAllButTheLastFillUpOrSaysThereAreTooFew) {
    const char* const tooFew =
        "Нет данных для статистики. Необходимо хотя бы две записи о заправках.";
    const std::tuple<int, const char*, std::string> cases[] = {
        {1, "Внимание", lines({tooFew})},
        {3, "Статистика",
         lines({"За период с 01.11.26 по 30.11.26", "", "Пройдено - 950 км", "Истрачено - 1535 руб",
                "Средняя цена 1 л - 20.5 руб", "", "Средний расход за период - 7.89 л/100км",
                "Средняя цена километра - 1.61 руб/1км"})},
    };
    for (const auto& [count, title, text] : cases) {
        const auto r = statisticsReport(journalOf({kThree.begin(), kThree.begin() + count}), '.');
        EXPECT_EQ(r.enoughData, count >= 2) << count;
        EXPECT_EQ(fromCp1251(r.title), title) << count;
        EXPECT_EQ(r.text, text) << count;
    }
    const auto comma = statisticsReport(journalOf(kThree), ',');
    EXPECT_NE(comma.text.find(toCp1251("Средняя цена 1 л - 20,5 руб")), std::string::npos);
    EXPECT_NE(comma.text.find(toCp1251("7,89 л/100км")), std::string::npos);
}

// Line 3 and the last two lines for a given pair of readings.
TEST(StatisticsReport, DistanceRoundsHalfToEvenAndMayHaveNoValue) {
    struct Case {
        double first, last;
        const char *distance, *rate, *perKm;
    };
    const Case cases[] = {
        {84000, 84500.5, "Пройдено - 500 км", "8 л/100км", "1.6 руб/1км"},
        {84000, 84501.5, "Пройдено - 502 км", "7.96 л/100км", "1.59 руб/1км"},
        {84950, 84500, "Пройдено - -450 км", "-8.89 л/100км", "-1.78 руб/1км"},
        {84000, 84000.5, "Пройдено - 0 км", "—", "—"},
        {0, 3e9, "Пройдено - 3000000000 км", "—", "—"},
        {0, 1e300, "Пройдено - —", "—", "—"},
    };
    for (const auto& c : cases) {
        const auto text = fromCp1251(
            statisticsReport(journalOf({{"a", c.first, 40, 20, 800}, {"b", c.last, 1, 1, 1}}), '.')
                .text);
        SCOPED_TRACE(text);
        EXPECT_NE(text.find(std::string(c.distance) + "\r\n"), std::string::npos);
        EXPECT_NE(text.find(std::string("за период - ") + c.rate + "\r\n"), std::string::npos);
        EXPECT_TRUE(text.ends_with(std::string("километра - ") + c.perKm));
        EXPECT_EQ(text.find("inf"), std::string::npos);
        EXPECT_EQ(text.find("nan"), std::string::npos);
    }
}

TEST(DetailTexts, FiguresSinceTheLineBefore) {
    struct Case {
        std::vector<FillUp> records;
        int slot;
        char sep;
        const char* texts;  // the six, joined by "|"
    };
    const FillUp first{"01.11.26", 84000, 40, 20, 800}, second{"15.11.26", 84500, 35, 21, 735};
    const Case cases[] = {
        {{first, second}, 1, '.', "15.11.26|84500|35 л|21 руб|500 км|8 л/100км"},
        {{first, {"15.11.26", 84500, 35, 20.5, 735}},
         1,
         ',',
         "15.11.26|84500|35 л|20,5 руб|500 км|8 л/100км"},
        {{first, {"x", 84000, 35, 21, 735}}, 1, '.', "x|84000|35 л|21 руб|0 км|—"},
        {{first, {"x", 83000, 35, 21, 735}}, 1, '.', "x|83000|35 л|21 руб|-1000 км|-4 л/100км"},
        {{first, {"x", kInf, 35, 21, 735}}, 1, '.', "x|—|35 л|21 руб|—|0 л/100км"},
        {{first, second}, 0, '.', "|||||"},
        {{first}, 1, '.', "|||||"},  // past the loaded records
    };
    for (const auto& c : cases) {
        const auto texts = detailTexts(journalOf(c.records), c.slot, c.sep);
        std::string joined = fromCp1251(texts[0]);
        for (int i = 1; i < 6; ++i)
            joined += "|" + fromCp1251(texts[i]);
        EXPECT_EQ(joined, c.texts) << "slot " << c.slot;
    }
}

}  // namespace
}  // namespace zoltrek
