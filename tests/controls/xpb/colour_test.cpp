#include <gtest/gtest.h>

#include "colour.h"
#include "syscolors.h"
#include "units.h"

namespace zoltrek {
namespace {

TEST(SystemColours, DefaultSchemeByIndex) {
    const struct {
        int index;
        std::uint32_t bgr;
    } rows[] = {
        {COLOR_WINDOW, 0xFFFFFF},
        {COLOR_WINDOWTEXT, 0x000000},
        {COLOR_BTNFACE, 0xF0F0F0},
        {COLOR_BTNSHADOW, 0xA0A0A0},
        {COLOR_GRAYTEXT, 0x6D6D6D},
        {COLOR_BTNTEXT, 0x000000},
        {COLOR_BTNHIGHLIGHT, 0xFFFFFF},
        {COLOR_3DDKSHADOW, 0x696969},
        {COLOR_3DLIGHT, 0xE3E3E3},
        {0, 0},
        {31, 0},
        {-1, 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(sysColor(r.index), r.bgr) << "index " << r.index;
}

TEST(TranslateColor, SystemReferenceOrPlainValue) {
    const struct {
        std::uint32_t in, out;
    } rows[] = {
        {0x8000000F, 0xF0F0F0}, {0x80000014, 0xFFFFFF}, {0x80000015, 0x696969},
        {0x80000016, 0xE3E3E3}, {0x80000010, 0xA0A0A0}, {0x004799E1, 0x004799E1},
        {0x00000000, 0x000000}, {0x80000000, 0x000000},
    };
    for (const auto& r : rows)
        EXPECT_EQ(TranslateColor(r.in), r.out) << std::hex << r.in;
}

TEST(ShiftColor, EachChannelClamped) {
    const struct {
        Rgb in;
        std::int32_t amount;
        Rgb out;
    } rows[] = {
        {rgb(240, 240, 240), 48, rgb(255, 255, 255)},
        {rgb(255, 255, 255), -24, rgb(231, 231, 231)},
        {rgb(225, 153, 71), 90, rgb(255, 243, 161)},
        {rgb(225, 153, 71), -40, rgb(185, 113, 31)},
        {rgb(140, 170, 230), 35, rgb(175, 205, 255)},
        {rgb(10, 20, 30), -25, rgb(0, 0, 5)},
        {rgb(1, 2, 3), 0x7FFFFFFF, rgb(255, 255, 255)},
        {rgb(1, 2, 3), -0x7FFFFFFF - 1, rgb(0, 0, 0)},
        // The high byte is dropped, never translated.
        {0x8000000F, 0, rgb(15, 0, 0)},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ShiftColor(r.in, r.amount), r.out) << std::hex << r.in << " " << r.amount;
}

TEST(Units, RoundingHalfToEven) {
    const struct {
        double in;
        std::int32_t out;
    } rows[] = {
        {2.5, 2},   {3.5, 4},    {-2.5, -2}, {-7.5, -8},        {8.5, 8},
        {47.5, 48}, {0.4999, 0}, {-0.5, 0},  {1e12, INT32_MAX}, {-1e12, INT32_MIN},
    };
    for (const auto& r : rows)
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
}

TEST(Units, HiMetricToPixels) {
    const struct {
        double himetric;
        std::int32_t pixels;
    } rows[] = {
        {3836, 145}, {661, 25}, {423, 16}, {847, 32}, {0, 0}, {13.229166666666666, 0}, {-423, -16},
    };
    for (const auto& r : rows)
        EXPECT_EQ(himetricToPixels(r.himetric), r.pixels) << r.himetric;
}

}  // namespace
}  // namespace zoltrek
