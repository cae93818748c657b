#include <gtest/gtest.h>

#include "paintrig.h"

namespace zoltrek {
namespace {

using namespace test;

constexpr Rgb kRing = rgb(140, 170, 230);
constexpr Rgb kHoverRing = rgb(225, 153, 71);

PaintRig xpButton(std::int32_t w, std::int32_t h, std::uint8_t focused, std::uint8_t pressed,
                  std::uint8_t hover) {
    PaintRig rig(w, h);
    rig.state.ButtonStyle = kStyleXP;
    rig.state.Focused = focused;
    rig.state.Pressed = pressed;
    rig.state.Hover = hover;
    return rig;
}

TEST(XPFace, NormalGradientRowsOfA20PixelButton) {
    PaintRig rig = xpButton(30, 20, 0, 0, 0);
    rig.paint();
    const int expected[] = {253, 250, 247, 245, 243, 240, 237, 235, 233,
                            230, 227, 225, 223, 220, 217, 215, 213, 210};
    for (int y = 1; y <= 18; ++y)
        EXPECT_EQ(rig.at(10, y), grey(expected[y - 1])) << "row " << y;
    for (auto [x, y] : {std::pair{10, 0}, {10, 19}, {0, 10}, {29, 10}})
        EXPECT_EQ(rig.at(x, y), kDarkFrame) << x << "," << y;
}

TEST(XPFace, PressedGradientRunsUpwardsWithoutRingWhateverFocusAndHover) {
    for (auto [focused, hover] : {std::pair{0, 0}, {1, 0}, {1, 1}}) {
        PaintRig rig = xpButton(30, 20, focused, 1, hover);
        rig.paint();
        const int expected[] = {199, 201, 202, 203, 204, 205, 207, 208, 209,
                                211, 212, 213, 214, 215, 217, 218, 219, 221};
        for (int y = 1; y <= 18; ++y)
            EXPECT_EQ(rig.at(10, y), grey(expected[y - 1])) << "row " << y;
        for (int y = 2; y <= 17; ++y)
            EXPECT_EQ(rig.at(1, y), rig.at(10, y)) << "ring column, row " << y;
        EXPECT_EQ(rig.at(10, 0), kDarkFrame);
    }
}

TEST(XPFace, GradientStepIsSinglePrecision) {
    const struct {
        std::int32_t h;
        std::uint8_t pressed;
        std::int32_t row;
        int grey;
    } rows[] = {
        {12, 0, 9, 218},   // 37.4999985 rounds to 37; an exact 37.5 would give 38
        {30, 1, 21, 216},  // pressed, i = 9: 6.9999998 rounds to 7
        {25, 0, 23, 209},
    };
    for (const auto& r : rows) {
        PaintRig rig = xpButton(30, r.h, 0, r.pressed, 0);
        rig.paint();
        EXPECT_EQ(rig.at(10, r.row), grey(r.grey)) << "h " << r.h << " row " << r.row;
    }
}

TEST(XPFace, RingPixelsAndColours) {
    PaintRig rig = xpButton(30, 20, 1, 0, 0);
    rig.paint();
    const struct {
        std::int32_t x, y;
        Rgb colour;
    } rows[] = {
        {1, 10, kRing},
        {28, 10, kRing},
        {10, 17, kRing},
        {2, 17, kRing},
        {1, 17, kRing},
        {10, 18, ShiftColor(kRing, -40)},
        {10, 1, ShiftColor(kRing, 90)},
        {2, 1, ShiftColor(kRing, 90)},
        {27, 1, ShiftColor(kRing, 90)},
        {28, 1, kBlack},
        {10, 2, ShiftColor(kRing, 35)},
        {1, 2, ShiftColor(kRing, 35)},
        {28, 2, ShiftColor(kRing, 35)},
        {29, 2, kDarkFrame},
        {2, 10, ShiftColor(kRing, 20)},
        {27, 10, ShiftColor(kRing, 20)},
        {2, 3, ShiftColor(kRing, 20)},
        {2, 16, ShiftColor(kRing, 20)},
        {3, 3, ShiftColor(kRing, 35)},
        {26, 3, ShiftColor(kRing, 35)},
        {3, 16, kRing},
        {26, 16, kRing},
        {10, 10, grey(230)},
        {3, 10, grey(230)},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rig.at(r.x, r.y), r.colour) << r.x << "," << r.y;
}

TEST(XPFace, RingColourByState) {
    const struct {
        const char* what;
        std::uint8_t focused, hover;
        Bool16 defaults;
        Rgb ring;
    } rows[] = {
        {"neither: gradient only", 0, 0, True16, grey(230)},
        {"focused", 1, 0, True16, kRing},
        {"hovered", 0, 1, True16, kHoverRing},
        {"focused and hovered", 1, 1, True16, kHoverRing},
        {"own colours kept", 1, 0, False16, 0xE3E3E3},
        {"own hover colour kept", 0, 1, False16, 0x123456},
    };
    for (const auto& r : rows) {
        PaintRig rig = xpButton(30, 20, r.focused, 0, r.hover);
        rig.state.XPDefaultColors = r.defaults;
        rig.state.XPColor_Pressed = Colour{0x80000016};
        rig.state.XPColor_Hover = Colour{0x123456};
        rig.paint();
        EXPECT_EQ(rig.at(1, 10), r.ring) << r.what;
    }
}

TEST(XPFace, DefaultColoursPutBackOnEnabledPaintOnly) {
    for (bool enabled : {true, false}) {
        PaintRig rig = xpButton(30, 20, 0, 0, 0);
        rig.state.XPColor_Pressed = Colour{1};
        rig.state.XPColor_Hover = Colour{2};
        rig.paint(enabled);
        EXPECT_EQ(rig.state.XPColor_Pressed, Colour{enabled ? 0x00E6AA8Cu : 1u});
        EXPECT_EQ(rig.state.XPColor_Hover, Colour{enabled ? 0x004799E1u : 2u});
    }
}

TEST(XPFace, CornersEnabledAndDisabled) {
    for (bool enabled : {true, false}) {
        PaintRig rig = xpButton(30, 20, 1, 0, 1);
        rig.paint(enabled);
        const Rgb inner = enabled ? kBlack : grey(183);
        const struct {
            std::int32_t x, y;
            Rgb colour;
        } rows[] = {
            {0, 0, kFace},   {1, 0, kFace},   {0, 1, kFace},   {1, 1, inner},
            {29, 0, kFace},  {28, 0, kFace},  {29, 1, kFace},  {28, 1, inner},
            {0, 19, kFace},  {1, 19, kFace},  {0, 18, kFace},  {1, 18, inner},
            {29, 19, kFace}, {28, 19, kFace}, {29, 18, kFace}, {28, 18, inner},
        };
        for (const auto& r : rows)
            EXPECT_EQ(rig.at(r.x, r.y), r.colour) << r.x << "," << r.y << " enabled " << enabled;
    }
}

TEST(XPFace, DisabledFaceIsFlatWithFrame) {
    PaintRig rig = xpButton(30, 20, 1, 1, 1);
    rig.paint(false);
    for (auto [x, y] : {std::pair{10, 10}, {1, 10}, {10, 1}, {28, 17}})
        EXPECT_EQ(rig.at(x, y), grey(231)) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 10}, {10, 0}, {29, 10}, {10, 19}})
        EXPECT_EQ(rig.at(x, y), grey(171)) << x << "," << y;
}

}  // namespace
}  // namespace zoltrek
