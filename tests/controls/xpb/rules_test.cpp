#include <gtest/gtest.h>

#include <algorithm>

#include "accesskeys.h"
#include "testcanvas.h"
#include "textlayout.h"
#include "units.h"

namespace zoltrek {
namespace {

constexpr std::size_t none = std::string::npos;

// Translation and the halves to even are proved by the painter and the layout; here the ends.
TEST(Colours, ShiftClampsEachChannel) {
    const std::tuple<std::uint32_t, std::int32_t, Rgb> rows[] = {{0x8000000F, 48, 0xFFFFFF},
                                                                 {0x0014FF0A, -25, 0x00E600},
                                                                 {0x00030201, INT32_MAX, 0xFFFFFF},
                                                                 {0x00030201, INT32_MIN, 0}};
    for (auto [in, shift, out] : rows)
        EXPECT_EQ(ShiftColor(TranslateColor(in), shift), out) << std::hex << in;
    EXPECT_EQ(ShiftColor(0x8000000F, 0), 0x0Fu) << "the high byte is dropped, not translated";
}

TEST(Units, RoundingSaturatesHiMetricKeepsItsSign) {
    EXPECT_EQ(std::tuple(roundHalfEven(1e12), roundHalfEven(-1e12), himetricToPixels(-423)),
              std::tuple(INT32_MAX, INT32_MIN, -16));
}

TEST(SetAccessKeys, FirstTwoAmpersandPlaces) {
    const std::pair<const char*, char32_t> rows[] = {{"&OK", U'o'},
                                                     {"Save && E&xit", U'x'},
                                                     {"Save && Exit", 0},
                                                     {"A&&B&&C&D", 0},
                                                     {"&", 0},
                                                     {"OK&", 0},
                                                     {"&&&", 0},
                                                     {"З &Ё", U'ё'}};
    for (auto [caption, key] : rows)
        EXPECT_EQ(SetAccessKeys(caption), key) << caption;
}

TEST(CaptionText, MnemonicsStripped) {
    const std::tuple<const char*, const char*, std::size_t> rows[] = {
        {"&OK", "OK", 0},       {"Save && E&xit", "Save & Exit", 8},
        {"OK&", "OK", none},    {"&a&b", "ab", 0},
        {"Но&вая", "Новая", 4}, {"", "", none}};
    for (auto [caption, shown, underline] : rows)
        EXPECT_EQ(stripMnemonics(caption), (TextLine{shown, underline})) << caption;
}

TEST(CaptionText, WrapsAtSpacesAndLineEnds) {
    test::MemoryCanvas canvas(1, 1);
    const std::tuple<const char*, int, std::string, int> rows[] = {
        // lines joined by "|"
        {"Новая заправка", 84, "Новая заправка", 84},
        {"Новая заправка", 83, "Новая|заправка", 48},
        {"a b c d", 18, "a b|c d", 18},
        {"a  b", 6, "a|b", 6},
        {"one\r\ntwo", 200, "one|two", 18},
        {"ab Статистика cd", 30, "ab|Статистика|cd", 60},
        {"x\n\ny", 200, "x||y", 6},
        {"  lead", 200, "  lead", 36}};
    for (const auto& [text, room, lines, width] : rows) {
        const TextBlock block = wrapText(TextLine{text, none}, room, canvas);
        std::string got;
        for (const auto& l : block.lines)
            got += (&l == &block.lines[0] ? "" : "|") + l.text;
        EXPECT_EQ(got, lines) << text << " in " << room;
        const int count = 1 + std::ranges::count(lines, '|');
        EXPECT_EQ(std::pair(block.width, block.height), std::pair(width, 13 * count)) << text;
    }
    const TextBlock split = wrapText(stripMnemonics("Save && E&xit"), 30, canvas);
    EXPECT_EQ(split.lines.back(), (TextLine{"Exit", 1})) << "the underline follows its line";
}

}  // namespace
}  // namespace zoltrek
