#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zoltrek {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of UTF-8 text and the bytes it takes.
struct Utf8Char {
    char32_t codePoint;
    std::size_t length;
};

// The character that starts at byte `at`, which lies within the text. A lead byte fixes the
// length: a sequence cut short or broken off is U+FFFD for its lead byte alone, a complete one
// that is overlong, a surrogate or beyond U+10FFFF is U+FFFD for all its bytes.
Utf8Char decodeUtf8At(std::string_view text, std::size_t at);

// Code points of UTF-8 text.
std::u32string decodeUtf8(std::string_view text);

// Appends the UTF-8 bytes of a code point that is no surrogate and at most U+10FFFF.
void appendUtf8(std::string& text, char32_t codePoint);

}  // namespace zoltrek
