#include "journal/report.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "journal/figures.h"
#include "journal/numbers.h"

namespace zoltrek {

namespace {

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr double kInt64Limit = 9.2e18;

}  // namespace

StatisticsReport statisticsReport(const Journal& journal, char sep) {
    const int n = journal.count();
    if (n <= 1)
        return {false, "Внимание",
                "Нет данных для статистики. Необходимо хотя бы две записи о заправках."};
    const FillUp& first = journal.records[0];
    const FillUp& last = journal.records[n - 1];

    // The distance is whole kilometres, ties to the even neighbour (the default rounding).
    const double rounded = std::nearbyint(last.fKm - first.fKm);
    std::optional<std::int32_t> D;
    if (rounded >= kInt32Min && rounded <= kInt32Max)
        D = static_cast<std::int32_t>(rounded);

    double sumSumma = 0, sumLiters = 0, sumCena = 0;
    for (int i = 0; i <= n - 2; ++i) {
        sumSumma += journal.records[i].fSumma;
        sumLiters += journal.records[i].fLiters;
        sumCena += journal.records[i].fCena;
    }
    const double price = Okr(sumCena / (n - 1));
    const double spent = Okr(sumSumma);
    // Without a distance there is no rate and no cost of a kilometre.
    const bool perDistance = D && *D != 0;
    const double rate = perDistance ? Okr(sumLiters / *D * 100) : NAN;
    const double perKm = perDistance ? Okr(spent / *D) : NAN;

    std::string distanceText(kNoValue);
    if (std::fabs(rounded) < kInt64Limit)
        distanceText = std::to_string(static_cast<long long>(rounded)) + " км";

    const std::string crlf = "\r\n";
    std::string text = "За период с " + first.fDate + " по " + last.fDate + crlf;
    text += crlf;
    text += "Пройдено - " + distanceText + crlf;
    text += "Истрачено - " + NumWithUnit(spent, " руб", sep) + crlf;
    text += "Средняя цена 1 л - " + NumWithUnit(price, " руб", sep) + crlf;
    text += crlf;
    text += "Средний расход за период - " + NumWithUnit(rate, " л/100км", sep) + crlf;
    text += "Средняя цена километра - " + NumWithUnit(perKm, " руб/1км", sep);
    return {true, "Статистика", text};
}

}  // namespace zoltrek
