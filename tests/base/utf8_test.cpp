#include "base/utf8.h"

#include <gtest/gtest.h>

#include <utility>

namespace zoltrek {
namespace {

// The first and the last code point of each length, read back by the decoder.
TEST(Utf8, EachLengthEndsWhereTheNextBegins) {
    const std::pair<char32_t, std::size_t> cases[] = {
        {0x7F, 1}, {0x80, 2}, {0x7FF, 2}, {0x800, 3}, {0xFFFF, 3}, {0x10000, 4}, {0x10FFFF, 4},
    };
    for (const auto& [codePoint, length] : cases) {
        std::string text;
        appendUtf8(text, codePoint);
        EXPECT_EQ(std::pair(text.size(), decodeUtf8At(text, 0).codePoint),
                  std::pair(length, codePoint));
    }
}

}  // namespace
}  // namespace zoltrek
