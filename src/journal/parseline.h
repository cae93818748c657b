#pragma once

#include <optional>
#include <string_view>

#include "journal/fillup.h"

namespace zoltrek {

// Splits one line of the journal (its bytes) into a record: date, then four numbers, joined by
// "|". A line with fewer than four "|" has no record; fields past the fifth are ignored.
std::optional<FillUp> ParseLine(std::string_view line);

}  // namespace zoltrek
