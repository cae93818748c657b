#include "controls/xpb/core/accesskeys.h"

#include "base/utf8.h"

namespace zoltrek {

namespace {

// Lower case for the Latin and Cyrillic letters that captions use; others unchanged.
char32_t lowerCase(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

}  // namespace

char32_t SetAccessKeys(std::string_view caption) {
    const std::u32string text = decodeUtf8(caption);
    if (text.size() < 2)
        return 0;
    const std::size_t a = text.find(U'&');
    if (a == std::u32string::npos || a + 1 == text.size())
        return 0;
    if (text[a + 1] != U'&')
        return lowerCase(text[a + 1]);
    const std::size_t c = text.find(U'&', a + 2);
    if (c == std::u32string::npos || c + 1 == text.size() || text[c + 1] == U'&')
        return 0;
    return lowerCase(text[c + 1]);
}

}  // namespace zoltrek
