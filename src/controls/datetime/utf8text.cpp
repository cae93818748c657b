#include "utf8text.h"

namespace zoltrek {

namespace {

bool continues(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

int charCount(std::string_view text) {
    int count = 0;
    for (char byte : text)
        if (!continues(byte))
            ++count;
    return count;
}

std::size_t byteOffset(std::string_view text, int pos) {
    if (pos <= 0)
        return 0;
    int seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!continues(text[i]) && seen++ == pos)
            return i;
    }
    return text.size();
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
