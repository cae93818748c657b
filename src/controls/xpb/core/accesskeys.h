#pragma once

#include <string_view>

namespace zoltrek {

// The access key that the caption's "&" marks, in lower case; 0 when there is none.
// Only the first two places of "&" are examined, so "A&&B&&C&D" has none.
char32_t SetAccessKeys(std::string_view caption);

}  // namespace zoltrek
