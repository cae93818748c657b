#include "journal/details.h"

#include "journal/figures.h"
#include "journal/numbers.h"

namespace zoltrek {

std::array<std::string, 6> detailTexts(const Journal& journal, int slot, char sep) {
    if (slot <= 0 || slot >= journal.count())
        return {};
    const FillUp& r = journal.records[slot];
    const auto rate = consumption(journal, slot);
    return {r.fDate,
            NumToText(r.fKm, sep),
            NumWithUnit(r.fLiters, " л", sep),
            NumWithUnit(r.fCena, " руб", sep),
            NumWithUnit(distance(journal, slot), " км", sep),
            rate ? NumWithUnit(*rate, " л/100км", sep) : std::string(kNoValue)};
}

}  // namespace zoltrek
