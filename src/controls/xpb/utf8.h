#pragma once

#include <string>
#include <string_view>

namespace zoltrek {

// Code points of UTF-8 text; each byte that starts no valid sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view text);

// Lower case for the Latin and Cyrillic letters that captions use; others unchanged.
char32_t lowerCase(char32_t c);

}  // namespace zoltrek
