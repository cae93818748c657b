#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zoltrek {

// A line's fields in order (date, reading, litres, price, amount): the texts before each of the
// first four "|", and all that follows the fourth, so fields past the fifth stay with the amount.
// A line with fewer "|" leaves the last fields empty.
using LineFields = std::array<std::string, 5>;

LineFields lineFields(std::string_view line);

}  // namespace zoltrek
