#pragma once

namespace zoltrek {

// A decimal digit of any script as its digit 0-9 ("١" is "1", a full-width "３" is "3"); any
// other character as it is.
char32_t plainDigit(char32_t c);

}  // namespace zoltrek
