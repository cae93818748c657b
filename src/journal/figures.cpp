#include "journal/figures.h"

#include <cmath>

#include "journal/numbers.h"

namespace zoltrek {

double Okr(double x) {
    const double cents = x * 100;
    return std::floor(cents) / 100;
}

bool Srav(const Journal& journal, std::string_view text) {
    const double reading = TextToNum(text);
    bool found = false;
    for (int i = 0; i < journal.count(); ++i)
        if (journal.records[i].fKm == reading)
            found = true;
    return found;
}

double distance(const Journal& journal, int slot) {
    return journal.records[slot].fKm - journal.records[slot - 1].fKm;
}

std::optional<double> consumption(const Journal& journal, int slot) {
    const double km = distance(journal, slot);
    if (km == 0)
        return std::nullopt;
    return Okr(journal.records[slot - 1].fLiters / km * 100);
}

}  // namespace zoltrek
