#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zoltrek {

// The dialog's five texts in line order (date, reading, litres, price, amount), as journal
// bytes.
using EntryTexts = std::array<std::string, 5>;

// The amount box for the litres and price typed: their product cut to cents, or nothing when
// the product has no value.
std::string amountText(std::string_view litres, std::string_view price, char decimalSeparator);

// A save may go on when the reading, the litres and the price are above 0 and, with the
// product, finite, and no text holds "|", CR or LF, which would shift the line's fields.
bool entryIsValid(const EntryTexts& texts);

// The line of a new fill-up: the texts joined by "|".
std::string dialogLine(const EntryTexts& texts);

// The line of an edited fill-up: a field whose text is still what the dialog showed for the
// record keeps its bytes from `originalLine`, so "40.50" stays "40.50".
std::string editedLine(const EntryTexts& texts, const EntryTexts& shown,
                       std::string_view originalLine);

}  // namespace zoltrek
