#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zoltrek {

// The box counts positions in characters while its text travels as UTF-8, so a host text
// with letters beyond ASCII keeps every position in step.

int charCount(std::string_view text);

// Byte offset of the character at `pos`; the text's size past its end.
std::size_t byteOffset(std::string_view text, int pos);

// The bytes of the character at `pos`; empty past the end.
std::string_view charAt(std::string_view text, int pos);

// The first `count` characters.
std::string firstChars(std::string_view text, int count);

// `text` with the character at `pos` replaced by `c`; unchanged when `pos` is past the end.
std::string replaceChar(std::string_view text, int pos, char c);

}  // namespace zoltrek
