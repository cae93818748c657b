#include <gtest/gtest.h>

#include "memorycanvas.h"
#include "textlayout.h"

namespace zoltrek {
namespace {

constexpr std::size_t none = std::string::npos;

TEST(StripMnemonics, MarksAndLiteralAmpersands) {
    const struct {
        const char* caption;
        const char* shown;
        std::size_t underline;
    } rows[] = {
        {"&OK", "OK", 0},           {"Save && E&xit", "Save & Exit", 8},
        {"A&&B&&C&D", "A&B&CD", 5}, {"OK&", "OK", none},
        {"&a&b", "ab", 0},          {"Но&вая", "Новая", 4},
        {"plain", "plain", none},   {"", "", none},
    };
    for (const auto& r : rows) {
        const TextLine line = stripMnemonics(r.caption);
        EXPECT_EQ(line.text, r.shown) << r.caption;
        EXPECT_EQ(line.underline, r.underline) << r.caption;
    }
}

TEST(WrapText, BreaksAtSpacesWithinTheWidth) {
    test::MemoryCanvas canvas(1, 1);  // 6 pixels a character, 13-pixel lines
    const struct {
        const char* text;
        std::int32_t maxWidth;
        std::vector<std::string> lines;
        std::int32_t width;
    } rows[] = {
        {"Новая заправка", 200, {"Новая заправка"}, 84},
        {"Новая заправка", 83, {"Новая", "заправка"}, 48},
        {"Новая заправка", 84, {"Новая заправка"}, 84},
        {"a b c d", 18, {"a b", "c d"}, 18},
        {"a  b", 6, {"a", "b"}, 6},
        // A word wider than the room stays whole.
        {"Статистика", 30, {"Статистика"}, 60},
        {"ab Статистика cd", 30, {"ab", "Статистика", "cd"}, 60},
        {"one\r\ntwo", 200, {"one", "two"}, 18},
        {"x\n\ny", 200, {"x", "", "y"}, 6},
        {"  lead", 200, {"  lead"}, 36},
        {"a b", 0, {"a", "b"}, 6},
    };
    for (const auto& r : rows) {
        const TextBlock block = wrapText(TextLine{r.text, none}, r.maxWidth, canvas);
        std::vector<std::string> got;
        for (const auto& l : block.lines)
            got.push_back(l.text);
        EXPECT_EQ(got, r.lines) << r.text << " in " << r.maxWidth;
        EXPECT_EQ(block.width, r.width) << r.text;
        EXPECT_EQ(block.height, 13 * static_cast<std::int32_t>(r.lines.size())) << r.text;
    }
}

TEST(WrapText, UnderlineFollowsItsLine) {
    test::MemoryCanvas canvas(1, 1);
    const TextBlock block = wrapText(stripMnemonics("Save && E&xit"), 30, canvas);
    ASSERT_EQ(block.lines.size(), 3u);
    EXPECT_EQ(block.lines[0], (TextLine{"Save", none}));
    EXPECT_EQ(block.lines[1], (TextLine{"&", none}));
    EXPECT_EQ(block.lines[2], (TextLine{"Exit", 1}));
}

}  // namespace
}  // namespace zoltrek
