#pragma once

#include <array>
#include <string>

#include "journal/fillup.h"

namespace zoltrek {

// The texts of the detail panel for the record in `slot` (date, reading, litres, price,
// distance and consumption since the line before), as UTF-8. The first
// record has no line before it, and nothing is shown for it.
std::array<std::string, 6> detailTexts(const Journal& journal, int slot, char decimalSeparator);

}  // namespace zoltrek
