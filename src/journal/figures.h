#pragma once

#include <optional>
#include <string_view>

#include "journal/fillup.h"

namespace zoltrek {

// Rounds down to two decimals, in double arithmetic: Okr(1.15) is 1.14.
double Okr(double x);

// True when a loaded record has the odometer reading that `text` reads as.
bool Srav(const Journal& journal, std::string_view text);

// Kilometres since the record before `slot` in file order (slot >= 1).
double distance(const Journal& journal, int slot);

// Litres per 100 km over that distance, from the earlier fill-up's litres; no value when the
// distance is 0.
std::optional<double> consumption(const Journal& journal, int slot);

}  // namespace zoltrek
