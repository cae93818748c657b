#pragma once

#include <string>
#include <string_view>

namespace zoltrek {

// The text shown for a value that has none (a quotient by zero, an overflow): an em dash.
inline constexpr std::string_view kNoValue = "—";

// Reads the number at the head of a text: spaces, tabs and line feeds are skipped anywhere,
// "." or "," is the decimal point (the first met, at most one), an exponent may follow.
// Reading stops at the first character that does not fit; no number reads as 0.
double TextToNum(std::string_view text);

// Up to 15 significant digits with the given decimal separator, trailing zeros dropped.
std::string NumToText(double value, char decimalSeparator);

// The list form: a leading space (or "-"), "." as the point, no zero before it.
std::string NumToListText(double value);

// NumToText followed by a unit, or the bare no-value dash when the value is not finite.
std::string NumWithUnit(double value, std::string_view unit, char decimalSeparator);

}  // namespace zoltrek
