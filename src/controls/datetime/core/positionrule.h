#pragma once

#include <cstdint>
#include <string_view>

namespace zoltrek {

// What a typed digit does at a position: written, dropped, or written as the tens digit
// with a 0 after it (3 before 2..9 gives day 30, 2 before 4..9 gives hour 20).
enum class DigitVerdict { Write, Reject, TensFix };

// The limit on `digit` typed at `pos` of `text` under `layout`. A neighbour that is not a
// digit never meets a rule's condition.
DigitVerdict positionRule(std::int32_t layout, std::string_view text, int pos, int digit);

}  // namespace zoltrek
