#include <gtest/gtest.h>

#include "accesskeys.h"
#include "colour.h"
#include "testcanvas.h"
#include "textlayout.h"
#include "units.h"

namespace zoltrek {
namespace {

constexpr std::size_t none = std::string::npos;

TEST(Colours, TranslateAndShift) {
    const struct {
        std::uint32_t in;
        std::int32_t shift;
        Rgb out;
    } rows[] = {{0x8000000F, 0, 0xF0F0F0},
                {0x80000014, 0, 0xFFFFFF},
                {0x80000015, 0, 0x696969},
                {0x80000016, 0, 0xE3E3E3},
                {0x80000000, 0, 0},
                {0x004799E1, 0, 0x4799E1},
                {0x8000000F, 48, 0xFFFFFF},
                {0x00E6AA8C, 35, 0xFFCDAF},
                {0x004799E1, -40, 0x1F71B9},
                {0x0014FF0A, -25, 0x00E600},
                {0x00030201, 0x7FFFFFFF, 0xFFFFFF},
                {0x00030201, INT32_MIN, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(ShiftColor(TranslateColor(r.in), r.shift), r.out) << std::hex << r.in;
    EXPECT_EQ(ShiftColor(0x8000000F, 0), 0x0Fu) << "the high byte is dropped, not translated";
}

TEST(Units, RoundHalfToEvenAndHiMetric) {
    const struct {
        double in;
        std::int32_t out;
    } rows[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-7.5, -8}, {8.5, 8}, {-0.5, 0}, {1e12, INT32_MAX}};
    for (const auto& r : rows)
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
    for (auto [himetric, pixels] : {std::pair{3836, 145}, {661, 25}, {423, 16}, {-423, -16}})
        EXPECT_EQ(himetricToPixels(himetric), pixels) << himetric;
}

TEST(SetAccessKeys, FirstTwoAmpersandPlaces) {
    const struct {
        const char* caption;
        char32_t key;
    } rows[] = {{"&OK", U'o'},
                {"Save && E&xit", U'x'},
                {"Save && Exit", 0},
                {"A&&B&&C&D", 0},
                {"A", 0},
                {"&", 0},
                {"OK&", 0},
                {"&&&", 0},
                {"a&&&b", U'b'},
                {"x&&&&", 0},
                {"&Новая", U'н'},
                {"З &Ё", U'ё'},
                {"a& b", U' '},
                {"&1", U'1'}};
    for (const auto& r : rows)
        EXPECT_EQ(SetAccessKeys(r.caption), r.key) << r.caption;
}

TEST(CaptionText, MnemonicsStripped) {
    const struct {
        const char* caption;
        const char* shown;
        std::size_t underline;
    } rows[] = {{"&OK", "OK", 0},       {"Save && E&xit", "Save & Exit", 8},
                {"OK&", "OK", none},    {"&a&b", "ab", 0},
                {"Но&вая", "Новая", 4}, {"", "", none}};
    for (const auto& r : rows)
        EXPECT_EQ(stripMnemonics(r.caption), (TextLine{r.shown, r.underline})) << r.caption;
}

TEST(CaptionText, WrapsAtSpacesAndLineEnds) {
    test::MemoryCanvas canvas(1, 1);
    const struct {
        const char* text;
        std::int32_t room;
        std::vector<std::string> lines;
        std::int32_t width;
    } rows[] = {{"Новая заправка", 84, {"Новая заправка"}, 84},
                {"Новая заправка", 83, {"Новая", "заправка"}, 48},
                {"a b c d", 18, {"a b", "c d"}, 18},
                {"a  b", 6, {"a", "b"}, 6},
                {"ab Статистика cd", 30, {"ab", "Статистика", "cd"}, 60},
                {"one\r\ntwo", 200, {"one", "two"}, 18},
                {"x\n\ny", 200, {"x", "", "y"}, 6},
                {"  lead", 200, {"  lead"}, 36}};
    for (const auto& r : rows) {
        const TextBlock block = wrapText(TextLine{r.text, none}, r.room, canvas);
        std::vector<std::string> got;
        for (const auto& l : block.lines)
            got.push_back(l.text);
        EXPECT_EQ(got, r.lines) << r.text << " in " << r.room;
        EXPECT_EQ(block.width, r.width) << r.text;
        EXPECT_EQ(block.height, 13 * static_cast<int>(r.lines.size())) << r.text;
    }
    const TextBlock split = wrapText(stripMnemonics("Save && E&xit"), 30, canvas);
    EXPECT_EQ(split.lines.back(), (TextLine{"Exit", 1})) << "the underline follows its line";
}

}  // namespace
}  // namespace zoltrek
