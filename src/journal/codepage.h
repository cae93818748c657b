#pragma once

#include <string>
#include <string_view>

namespace zoltrek {

// The journal is Windows-1251 text, so files move between systems unchanged. The core reads and
// writes those bytes, and hands everything else upward as UTF-8.

// Bytes to UTF-8. The one byte without a character (0x98) becomes U+FFFD.
std::string fromCp1251(std::string_view bytes);

// UTF-8 to bytes. A character without a byte, or a malformed sequence, becomes "?".
std::string toCp1251(std::string_view utf8);

}  // namespace zoltrek
