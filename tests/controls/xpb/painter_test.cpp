#include <gtest/gtest.h>

#include <memory>

#include "rig.h"

namespace zoltrek {
namespace {

using namespace test;
using Points = std::vector<std::pair<int, int>>;
using Pixels = std::vector<std::tuple<int, int, Rgb>>;

constexpr Rgb kRing = rgb(140, 170, 230), kHoverRing = rgb(225, 153, 71);
constexpr Rgb kMagenta = rgb(255, 0, 255), kRed = rgb(255, 0, 0), kDarkFrame = 0x696969;

TEST(Refresh, BorderByStyleAndState) {
    enum Border { None, Raised, Sunken };
    const std::tuple<int, int, int, Border> rows[] = {{0, 0, 0, Raised},
                                                      {1, 0, 0, None},
                                                      {1, 0, 1, Raised},
                                                      {0, 1, 1, Sunken},
                                                      {1, 2, 1, Raised}};
    for (auto [style, pressed, hover, border] : rows) {
        SCOPED_TRACE(testing::Message() << "style/pressed/hover " << style << pressed << hover);
        PaintRig p(30, 20, style);
        p.s.Pressed = pressed, p.s.Hover = hover;
        p.paint();
        const Rgb light = border == None ? kFace : border == Raised ? kWhite : kBlack;
        const Rgb dark = border == None ? kFace : border == Raised ? kBlack : kWhite;
        // The light edges own the far ends of the top and left; the dark ones meet at the corner.
        EXPECT_EQ(std::tuple(p.at(15, 0), p.at(29, 0), p.at(0, 19), p.at(29, 19), p.at(15, 19)),
                  std::tuple(light, light, light, dark, dark));
        EXPECT_EQ(p.at(1, 1), kFace);
    }
}

TEST(Refresh, CaptionPlaceColourAndDisabledCopies) {
    const std::tuple<bool, int, Pixels> rows[] = {{true, 0, {{31, 6, kBlack}}},
                                                  {true, 1, {{32, 7, kBlack}}},
                                                  {false, 1, {{32, 7, kWhite}, {31, 6, kShadow}}}};
    for (const auto& [enabled, pressed, draws] : rows) {
        PaintRig p(145, 25);
        p.s.Caption = "&Новая заправка", p.s.Pressed = pressed;
        p.paint(enabled);
        Pixels got;
        for (const auto& d : p.surface.drawn) {
            EXPECT_EQ(std::pair(d.what, d.underline),
                      std::pair(std::string("Новая заправка"), 0ul));
            got.emplace_back(d.x, d.y, d.colour);
        }
        EXPECT_EQ(got, draws) << enabled << "/" << pressed;
    }
}

TEST(Refresh, FocusRectangleOnlyWhenShownAndNotXP) {
    const std::tuple<int, int, Bool16, bool> rows[] = {{1, 1, True16, true},
                                                       {1, 1, False16, false},
                                                       {1, 0, True16, false},
                                                       {3, 1, True16, false},
                                                       {1, 1, 1, true}};
    for (auto [style, focused, show, drawn] : rows) {
        SCOPED_TRACE(testing::Message() << style << "/" << focused << "/" << show);
        PaintRig plain(145, 25, style), p(145, 25, style);
        plain.s.ShowFocusRect = p.s.ShowFocusRect = show;
        p.s.Focused = focused;
        plain.paint(), p.paint();
        // Every other dot of the outline, from the first corner to the last; nothing inside.
        for (auto [x, y, inverted] : std::vector<std::tuple<int, int, bool>>{
                 {4, 4, true}, {5, 4, false}, {140, 20, true}, {141, 4, false}, {6, 6, false}})
            EXPECT_EQ(p.at(x, y), plain.at(x, y) ^ (drawn && inverted ? 0xFFFFFF : 0)) << x << y;
    }
}

TEST(DrawPicture, BitmapWithoutItsMaskColour) {
    constexpr Rgb kSysRed = 0x80000000 | kRed;
    const std::tuple<int, Rgb, Rgb, Pixels> rows[] = {
        // UseMaskColor, MaskColor before and after, pixels
        {0, 0, kMagenta, {{42, 7, kFace}, {50, 15, kRed}}},
        {-1, kRed, kRed, {{42, 7, kMagenta}, {50, 15, kFace}}},
        // A system colour reference is compared as stored: nothing is left out.
        {-1, kSysRed, kSysRed, {{42, 7, kMagenta}, {50, 15, kRed}}}};
    for (const auto& [useMask, mask, maskAfter, pixels] : rows) {
        PaintRig p(100, 30);
        auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
        bitmap->pixels[8 * 16 + 8] = kRed;
        p.s.Picture = bitmap, p.s.PictureWidth = p.s.PictureHeight = 16;
        p.s.UseMaskColor = useMask, p.s.MaskColor = Colour{mask};
        p.paint();
        for (const auto& [x, y, colour] : pixels)
            EXPECT_EQ(p.at(x, y), colour) << useMask << " at " << x << "," << y;
        EXPECT_EQ(p.s.MaskColor, Colour{maskAfter});
    }
    // The stored width wins: past the bitmap the staging surface's window colour shows.
    PaintRig wide(100, 30);
    wide.s.Picture = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
    wide.s.PictureWidth = 20, wide.s.PictureHeight = 16;
    wide.paint();
    EXPECT_EQ(std::pair(wide.at(55, 10), wide.at(57, 10)), std::pair(kFace, kWhite));
    // A bitmap larger than the designed staging surface is copied whole.
    PaintRig big(140, 80);
    big.s.Picture = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 100, 60, kRed);
    big.s.PictureWidth = 100, big.s.PictureHeight = 60, big.s.UseMaskColor = -1;
    big.paint();
    EXPECT_EQ(big.at(119, 69), kRed);
}

TEST(DrawPicture, IconsScaledDisabledPicturesEmbossedBothMovedByPressed) {
    for (auto [kind, enabled] :
         {std::pair(Picture::Kind::Icon, true), {Picture::Kind::Bitmap, false}}) {
        PaintRig p(100, 30);
        p.s.Picture = std::make_shared<TestPicture>(kind, 16, 16, kRed);
        p.s.PictureWidth = p.s.PictureHeight = 16, p.s.Pressed = 1;
        p.paint(enabled);
        ASSERT_EQ(p.surface.drawn.size(), 1u);
        const auto& d = p.surface.drawn[0];
        EXPECT_EQ(std::tuple(d.what, d.x, d.y, d.to),
                  enabled ? std::tuple("scaled", 16, 16, Rect{43, 8, 59, 24})
                          : std::tuple("disabled", 43, 8, Rect{}));
        EXPECT_EQ(p.s.PictureRect, (Rect{42, 7, 58, 23})) << "put back after drawing";
    }
}

TEST(XPFace, GradientRowsSinglePrecisionStep) {
    // Height, pressed, the greys of the first, a middle and the last row of the gradient.
    const std::tuple<int, int, Points> rows[] = {
        {20, 0, {{1, 253}, {10, 230}, {18, 210}}},
        // Upwards: row h - 1 is the lightest, and no ring whatever the focus and hover.
        {20, 1, {{1, 199}, {10, 211}, {18, 221}}},
        // 50 / 12 in single precision times 9 is 37.4999985, so row 9 is 255 - 37.
        {12, 0, {{1, 251}, {9, 218}, {10, 213}}}};
    for (const auto& [h, pressed, greys] : rows) {
        PaintRig p(30, h, kStyleXP);
        p.s.Pressed = p.s.Focused = p.s.Hover = pressed;
        p.paint();
        for (auto [y, v] : greys)
            EXPECT_EQ(p.at(10, y), grey(v)) << "h " << h << " row " << y;
        for (auto [x, y] : Points{{10, 0}, {10, h - 1}, {0, 5}, {29, 5}})
            EXPECT_EQ(p.at(x, y), kDarkFrame);
        EXPECT_EQ(p.at(1, 5), p.at(10, 5)) << "no ring";
    }
}

TEST(XPFace, RingPixelsAndColourByStateBuiltInColoursPutBack) {
    PaintRig lit(30, 20, kStyleXP);
    lit.s.Focused = 1;
    lit.paint();
    // Each line at its ends, each dot on its own.
    const std::pair<Rgb, Points> pixels[] = {
        {kRing, {{1, 10}, {28, 10}, {2, 17}, {3, 16}, {26, 16}}},
        {ShiftColor(kRing, -40), {{10, 18}}},
        {ShiftColor(kRing, 90), {{2, 1}, {27, 1}}},
        {ShiftColor(kRing, 35), {{1, 2}, {28, 2}, {3, 3}, {26, 3}}},
        {ShiftColor(kRing, 20), {{27, 10}, {2, 3}, {2, 16}}},
        {kDarkFrame, {{29, 2}}},  // the lines stop short of their end point
        {grey(230), {{3, 10}}}};
    for (const auto& [colour, points] : pixels)
        for (auto [x, y] : points)
            EXPECT_EQ(lit.at(x, y), colour) << x << "," << y;
    const std::tuple<int, int, Bool16, bool, Rgb> rows[] = {
        {0, 0, True16, true, grey(230)},  {1, 0, True16, true, kRing},
        {1, 1, True16, true, kHoverRing}, {1, 0, False16, true, 0xE3E3E3},
        {0, 1, False16, true, 0x123456},  {1, 1, True16, false, grey(231)}};
    for (auto [focused, hover, defaults, enabled, ring] : rows) {
        SCOPED_TRACE(testing::Message() << focused << hover << defaults << enabled);
        PaintRig p(30, 20, kStyleXP);
        p.s.Focused = focused, p.s.Hover = hover, p.s.XPDefaultColors = defaults;
        p.s.XPColor_Pressed = Colour{0x80000016}, p.s.XPColor_Hover = Colour{0x123456};
        p.paint(enabled);
        EXPECT_EQ(p.at(1, 10), ring);
        // Only an enabled paint puts the built-in colours back.
        const bool reset = defaults && enabled;
        EXPECT_EQ(p.s.XPColor_Pressed, Colour{reset ? 0x00E6AA8Cu : 0x80000016u});
        EXPECT_EQ(p.s.XPColor_Hover, Colour{reset ? 0x004799E1u : 0x123456u});
    }
}

TEST(XPFace, CornersAndDisabledFace) {
    for (bool enabled : {true, false}) {
        PaintRig p(30, 20, kStyleXP);
        p.s.Focused = p.s.Hover = 1, p.s.Pressed = !enabled;
        p.paint(enabled);
        // A corner and its two neighbours on the edges show the face; diagonally in is the frame.
        for (auto [x, y] : Points{{0, 0}, {29, 0}, {0, 19}, {29, 19}}) {
            const int dx = x ? -1 : 1, dy = y ? -1 : 1;
            for (auto [fx, fy] : Points{{x, y}, {x + dx, y}, {x, y + dy}})
                EXPECT_EQ(p.at(fx, fy), kFace) << fx << "," << fy << " enabled " << enabled;
            EXPECT_EQ(p.at(x + dx, y + dy), enabled ? kBlack : grey(183)) << x << "," << y;
        }
        if (enabled)
            continue;
        // Disabled, whatever the state: a flat fill in a flat frame.
        EXPECT_EQ(std::tuple(p.at(10, 10), p.at(1, 10), p.at(28, 17), p.at(0, 10), p.at(10, 19)),
                  std::tuple(grey(231), grey(231), grey(231), grey(171), grey(171)));
    }
}

}  // namespace
}  // namespace zoltrek
