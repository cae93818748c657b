#include "controls/datetime/core/utf8text.h"

#include "base/utf8.h"

namespace zoltrek {

int charCount(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); i += decodeUtf8At(text, i).length)
        ++count;
    return count;
}

std::size_t byteOffset(std::string_view text, int pos) {
    std::size_t i = 0;
    for (int seen = 0; seen < pos && i < text.size(); ++seen)
        i += decodeUtf8At(text, i).length;
    return i;
}

std::string_view charAt(std::string_view text, int pos) {
    if (pos < 0)
        return {};
    const std::size_t begin = byteOffset(text, pos);
    return text.substr(begin, byteOffset(text, pos + 1) - begin);
}

std::string firstChars(std::string_view text, int count) {
    return std::string(text.substr(0, byteOffset(text, count)));
}

std::string replaceChar(std::string_view text, int pos, char c) {
    std::string out(text);
    const std::string_view old = charAt(text, pos);
    if (!old.empty())
        out.replace(byteOffset(text, pos), old.size(), 1, c);
    return out;
}

}  // namespace zoltrek
