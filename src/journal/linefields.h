#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zoltrek {

// A line's fields in order (date, reading, litres, price, amount): the texts before each of the
// first four "|", and all that follows the fourth, so fields past the fifth stay with the amount.
// A line with fewer "|" leaves the last fields empty.
using LineFields = std::array<std::string, 5>;

LineFields lineFields(std::string_view line);

// An edit of a line, field by field: the new text (UTF-8) of each field that changed, none for a
// field that keeps its bytes.
using FieldEdits = std::array<std::optional<std::string>, 5>;

// The bytes of a line of the file after `edits`: a field without a new text keeps its own bytes,
// so "40.50" stays "40.50" and a byte without a character stays as it was; a new amount takes
// the place of all that followed the fourth "|".
std::string editedLine(std::string_view line, const FieldEdits& edits);

}  // namespace zoltrek
