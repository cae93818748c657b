#include "accesskeys.h"

#include "utf8.h"

namespace zoltrek {

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
