#include "details.h"

#include "codepage.h"
#include "figures.h"
#include "numbers.h"

namespace zoltrek {

std::array<std::string, 6> detailTexts(const Journal& journal, int slot, char sep) {
    if (slot <= 0 || slot >= journal.count())
        return {};
    const FillUp& r = journal.records[slot];
    const auto rate = consumption(journal, slot);
    return {r.fDate,
            NumToText(r.fKm, sep),
            NumWithUnit(r.fLiters, toCp1251(" л"), sep),
            NumWithUnit(r.fCena, toCp1251(" руб"), sep),
            NumWithUnit(distance(journal, slot), toCp1251(" км"), sep),
            rate ? NumWithUnit(*rate, toCp1251(" л/100км"), sep) : std::string(kNoValue)};
}

}  // namespace zoltrek
