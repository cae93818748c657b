#include "report.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "codepage.h"
#include "figures.h"
#include "numbers.h"

namespace zoltrek {

namespace {

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr double kInt64Limit = 9.2e18;

}  // namespace

StatisticsReport statisticsReport(const Journal& journal, char sep) {
    const int n = journal.count();
    if (n <= 1) {
        return {false, toCp1251("Внимание"),
                toCp1251("Нет данных для статистики. Необходимо хотя бы две записи о заправках.")};
    }
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
        distanceText = std::to_string(static_cast<long long>(rounded)) + toCp1251(" км");

    const std::string crlf = "\r\n";
    std::string text =
        toCp1251("За период с ") + first.fDate + toCp1251(" по ") + last.fDate + crlf;
    text += crlf;
    text += toCp1251("Пройдено - ") + distanceText + crlf;
    text += toCp1251("Истрачено - ") + NumWithUnit(spent, toCp1251(" руб"), sep) + crlf;
    text += toCp1251("Средняя цена 1 л - ") + NumWithUnit(price, toCp1251(" руб"), sep) + crlf;
    text += crlf;
    text += toCp1251("Средний расход за период - ") + NumWithUnit(rate, toCp1251(" л/100км"), sep) +
            crlf;
    text += toCp1251("Средняя цена километра - ") + NumWithUnit(perKm, toCp1251(" руб/1км"), sep);
    return {true, toCp1251("Статистика"), text};
}

}  // namespace zoltrek
