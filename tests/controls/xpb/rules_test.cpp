#include <gtest/gtest.h>

#include <algorithm>

#include "accesskeys.h"
#include "testcanvas.h"
#include "textlayout.h"
#include "units.h"

namespace zoltrek {
namespace {

constexpr std::size_t none = std::string::npos;

TEST(Colours, TranslateAndShift) {
    const std::tuple<std::uint32_t, std::int32_t, Rgb> rows[] = {
        {0x8000000F, 0, 0xF0F0F0},   {0x80000014, 0, 0xFFFFFF},         {0x80000015, 0, 0x696969},
        {0x80000016, 0, 0xE3E3E3},   {0x80000000, 0, 0x000000},         {0x004799E1, 0, 0x4799E1},
        {0x8000000F, 48, 0xFFFFFF},  {0x00E6AA8C, 35, 0xFFCDAF},        {0x004799E1, -40, 0x1F71B9},
        {0x0014FF0A, -25, 0x00E600}, {0x00030201, INT32_MAX, 0xFFFFFF}, {0x00030201, INT32_MIN, 0}};
    for (auto [in, shift, out] : rows)
        EXPECT_EQ(ShiftColor(TranslateColor(in), shift), out) << std::hex << in;
    EXPECT_EQ(ShiftColor(0x8000000F, 0), 0x0Fu) << "the high byte is dropped, not translated";
}

TEST(Units, RoundHalfToEvenAndHiMetric) {
    const std::pair<double, std::int32_t> rows[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-7.5, -8}, {8.5, 8}, {-0.5, 0}, {1e12, INT32_MAX}};
    for (auto [in, out] : rows)
        EXPECT_EQ(roundHalfEven(in), out) << in;
    const std::pair<int, int> pixels[] = {{3836, 145}, {661, 25}, {423, 16}, {-423, -16}};
    for (auto [himetric, px] : pixels)
        EXPECT_EQ(himetricToPixels(himetric), px) << himetric;
}

TEST(SetAccessKeys, FirstTwoAmpersandPlaces) {
    // clang-format off
    const std::pair<const char*, char32_t> rows[] = {
        {"&OK", U'o'}, {"Save && E&xit", U'x'}, {"Save && Exit", 0}, {"A&&B&&C&D", 0}, {"A", 0},
        {"&", 0}, {"OK&", 0}, {"&&&", 0}, {"a&&&b", U'b'}, {"x&&&&", 0}, {"&Новая", U'н'},
        {"З &Ё", U'ё'}, {"a& b", U' '}, {"&1", U'1'}};
    // clang-format on
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
    // clang-format off
    const std::tuple<const char*, int, std::string, int> rows[] = {  // lines joined by "|"
        {"Новая заправка", 84, "Новая заправка", 84}, {"Новая заправка", 83, "Новая|заправка", 48},
        {"a b c d", 18, "a b|c d", 18}, {"a  b", 6, "a|b", 6}, {"one\r\ntwo", 200, "one|two", 18},
        {"ab Статистика cd", 30, "ab|Статистика|cd", 60}, {"x\n\ny", 200, "x||y", 6},
        {"  lead", 200, "  lead", 36}};
    // clang-format on
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
