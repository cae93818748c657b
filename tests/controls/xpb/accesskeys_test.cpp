#include <gtest/gtest.h>

#include "accesskeys.h"
#include "utf8.h"

namespace zoltrek {
namespace {

TEST(SetAccessKeys, FirstTwoAmpersandPlaces) {
    const struct {
        const char* caption;
        char32_t key;
    } rows[] = {
        {"&OK", U'o'},
        {"Save && E&xit", U'x'},
        {"Save && Exit", 0},
        {"A&&B&&C&D", 0},
        {"A", 0},
        {"&", 0},
        {"", 0},
        {"OK&", 0},
        {"&&", 0},
        {"&&&", 0},
        {"a&&&b", U'b'},
        {"a&&b&", 0},
        {"x&&&&", 0},
        {"&Новая", U'н'},
        {"Заправка &Ё", U'ё'},
        {"&1", U'1'},
        {"a& b", U' '},
        {"&&&x", U'x'},
    };
    for (const auto& r : rows)
        EXPECT_EQ(SetAccessKeys(r.caption), r.key) << r.caption;
}

TEST(Utf8, DecodesAndReplacesBadBytes) {
    EXPECT_EQ(decodeUtf8("ОК"), U"ОК");
    EXPECT_EQ(decodeUtf8("a\xFF"
                         "b"),
              U"a\uFFFDb");
    EXPECT_EQ(decodeUtf8("\xD0"), U"\uFFFD");
    EXPECT_EQ(decodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
}

}  // namespace
}  // namespace zoltrek
