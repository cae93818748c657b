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

TEST(Canvas, LinesExcludeTheEndPointFocusDotsInvert) {
    MemoryCanvas c(8, 6, 0);
    c.line(1, 1, 4, 1, kWhite);  // (1..3, 1)
    c.line(6, 4, 6, 1, kWhite);  // (6, 4..2)
    c.line(0, 5, 3, 2, kWhite);  // (0, 5), (1, 4), (2, 3)
    c.line(5, 5, 5, 5, kWhite);  // nothing
    std::string got;
    for (int i = 0; i < 48; ++i)
        got += std::string(c.pixel(i % 8, i / 8) ? "#" : ".") + (i % 8 == 7 ? "/" : "");
    EXPECT_EQ(got, "......../.###..../......#./..#...#./.#....#./#......./");
    c.invertFocusRect({0, 0, 8, 6});
    EXPECT_EQ(std::tuple(c.pixel(0, 0), c.pixel(1, 0)), std::tuple(kWhite, kBlack));
    EXPECT_EQ(c.pixel(7, 5), kWhite) << "(7 + 5) is even: inverted";
    EXPECT_EQ(c.pixel(1, 1), kWhite) << "inside is left alone";
}

TEST(Refresh, BorderByStyleAndState) {
    enum Border { None, Raised, Sunken };
    const std::tuple<int, int, int, Border> rows[] = {
        {0, 0, 0, Raised}, {1, 0, 0, None},   {2, 0, 0, None},   {9, 0, 0, None},
        {1, 0, 1, Raised}, {2, 0, 1, Raised}, {0, 1, 0, Sunken}, {1, 1, 1, Sunken},
        {2, 1, 0, Sunken}, {1, 2, 1, Raised}, {1, 2, 0, None}};
    for (auto [style, pressed, hover, border] : rows) {
        SCOPED_TRACE(testing::Message() << "style/pressed/hover " << style << pressed << hover);
        PaintRig p(30, 20, style);
        p.s.Pressed = pressed, p.s.Hover = hover;
        p.paint();
        const Rgb light = border == None ? kFace : border == Raised ? kWhite : kBlack;
        const Rgb dark = border == None ? kFace : border == Raised ? kBlack : kWhite;
        for (auto [x, y] : Points{{0, 10}, {15, 0}, {29, 0}, {0, 19}})
            EXPECT_EQ(p.at(x, y), light) << "light edge " << x << "," << y;
        for (auto [x, y] : Points{{29, 10}, {15, 19}, {29, 19}})
            EXPECT_EQ(p.at(x, y), dark) << "dark edge " << x << "," << y;
        EXPECT_EQ(p.at(1, 1), kFace);
    }
}

TEST(Refresh, CaptionPlaceColourAndDisabledCopies) {
    // clang-format off
    const std::tuple<bool, int, int, Pixels> rows[] = {
        {true, 1, 0, {{31, 6, kBlack}}}, {true, 1, 1, {{32, 7, kBlack}}},
        {true, 3, 1, {{32, 7, kBlack}}}, {true, 1, 2, {{31, 6, kBlack}}},
        {false, 1, 1, {{32, 7, kWhite}, {31, 6, kShadow}}}};
    // clang-format on
    for (const auto& [enabled, style, pressed, draws] : rows) {
        PaintRig p(145, 25, style);
        p.s.Caption = "&Новая заправка", p.s.Pressed = pressed;
        p.paint(enabled);
        Pixels got;
        for (const auto& d : p.surface.drawn) {
            EXPECT_EQ(std::pair(d.what, d.underline),
                      std::pair(std::string("Новая заправка"), 0ul));
            got.emplace_back(d.x, d.y, d.colour);
        }
        EXPECT_EQ(got, draws) << enabled << "/" << style << "/" << pressed;
    }
}

TEST(Refresh, FocusRectangleOnlyWhenShownAndNotXP) {
    const std::tuple<int, int, Bool16, bool> rows[] = {
        {1, 1, True16, true},  {0, 1, True16, true},  {1, 1, False16, false},
        {1, 0, True16, false}, {3, 1, True16, false}, {1, 1, 1, true}};
    for (auto [style, focused, show, drawn] : rows) {
        SCOPED_TRACE(testing::Message() << style << "/" << focused << "/" << show);
        PaintRig plain(145, 25, style), p(145, 25, style);
        plain.s.ShowFocusRect = p.s.ShowFocusRect = show;
        p.s.Focused = focused;
        plain.paint(), p.paint();
        for (auto [x, y] : Points{{4, 4}, {6, 4}, {140, 4}, {4, 6}, {140, 20}})
            EXPECT_EQ(p.at(x, y), plain.at(x, y) ^ (drawn ? 0xFFFFFF : 0)) << x << "," << y;
        for (auto [x, y] : Points{{5, 4}, {141, 4}, {6, 6}, {139, 20}})
            EXPECT_EQ(p.at(x, y), plain.at(x, y)) << x << "," << y;
    }
}

TEST(DrawPicture, BitmapWithoutItsMaskColourMovedByPressed) {
    constexpr Rgb kSysRed = 0x80000000 | kRed;
    const std::tuple<int, int, Rgb, Rgb, Pixels> rows[] = {
        // pressed, UseMaskColor, MaskColor before and after, pixels
        {0, 0, 0, kMagenta, {{42, 7, kFace}, {50, 15, kRed}}},
        {1, 0, 0, kMagenta, {{50, 15, kFace}, {51, 16, kRed}}},
        {2, 0, 0, kMagenta, {{52, 17, kRed}}},
        {0, -1, kRed, kRed, {{42, 7, kMagenta}, {50, 15, kFace}}},
        // A system colour reference is compared as stored: nothing is left out.
        {0, -1, kSysRed, kSysRed, {{42, 7, kMagenta}, {50, 15, kRed}}}};
    for (const auto& [pressed, useMask, mask, maskAfter, pixels] : rows) {
        PaintRig p(100, 30);
        auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
        bitmap->pixels[8 * 16 + 8] = kRed;
        p.s.Picture = bitmap, p.s.PictureWidth = p.s.PictureHeight = 16;
        p.s.Pressed = pressed, p.s.UseMaskColor = useMask, p.s.MaskColor = Colour{mask};
        p.paint();
        for (const auto& [x, y, colour] : pixels)
            EXPECT_EQ(p.at(x, y), colour) << pressed << " at " << x << "," << y;
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

TEST(DrawPicture, IconsScaledDisabledPicturesEmbossed) {
    using enum Picture::Kind;
    // clang-format off
    const std::tuple<Picture::Kind, bool, int, std::string, Rect> rows[] = {
        {Icon, true, 0, "scaled", {42, 7, 58, 23}}, {Icon, true, 1, "scaled", {43, 8, 59, 24}},
        {Icon, false, 0, "disabled", {}}, {Bitmap, false, 2, "disabled", {}}};
    // clang-format on
    for (const auto& [kind, enabled, pressed, how, to] : rows) {
        PaintRig p(100, 30);
        p.s.Picture = std::make_shared<TestPicture>(kind, 16, 16, kRed);
        p.s.PictureWidth = p.s.PictureHeight = 16, p.s.Pressed = pressed;
        p.paint(enabled);
        ASSERT_EQ(p.surface.drawn.size(), 1u);
        const auto& d = p.surface.drawn[0];
        EXPECT_EQ(d.what, how);
        if (how == "scaled")
            EXPECT_EQ(std::tuple(d.to, d.x, d.y), std::tuple(to, 16, 16));
        else
            EXPECT_EQ(std::pair(d.x, d.y), std::pair(42 + pressed, 7 + pressed));
        EXPECT_EQ(p.s.PictureRect, (Rect{42, 7, 58, 23})) << "put back after drawing";
    }
}

TEST(XPFace, GradientRowsSinglePrecisionStep) {
    // clang-format off
    const std::tuple<int, int, std::vector<int>> rows[] = {  // height, pressed, rows from 1 on
        {20, 0, {253, 250, 247, 245, 243, 240, 237, 235, 233, 230, 227, 225, 223, 220, 217, 215,
                 213, 210}},
        // Upwards: row h - 1 is the lightest, and no ring whatever the focus and hover.
        {20, 1, {199, 201, 202, 203, 204, 205, 207, 208, 209, 211, 212, 213, 214, 215, 217, 218,
                 219, 221}},
        // 50 / 12 in single precision times 9 is 37.4999985, so row 9 is 255 - 37.
        {12, 0, {251, 247, 243, 238, 234, 230, 226, 222, 218, 213}}};
    // clang-format on
    for (const auto& [h, pressed, greys] : rows) {
        PaintRig p(30, h, kStyleXP);
        p.s.Pressed = p.s.Focused = p.s.Hover = pressed;
        p.paint();
        for (int i = 0; i < int(greys.size()); ++i)
            EXPECT_EQ(p.at(10, i + 1), grey(greys[i])) << "h " << h << " row " << i + 1;
        for (auto [x, y] : Points{{10, 0}, {10, h - 1}, {0, 5}, {29, 5}})
            EXPECT_EQ(p.at(x, y), kDarkFrame);
        EXPECT_EQ(p.at(1, 5), p.at(10, 5)) << "no ring";
    }
}

TEST(XPFace, RingPixelsAndColourByStateBuiltInColoursPutBack) {
    PaintRig lit(30, 20, kStyleXP);
    lit.s.Focused = 1;
    lit.paint();
    const std::pair<Rgb, Points> pixels[] = {
        {kRing, {{1, 10}, {28, 10}, {10, 17}, {2, 17}, {3, 16}, {26, 16}}},
        {ShiftColor(kRing, -40), {{10, 18}}},
        {ShiftColor(kRing, 90), {{10, 1}, {2, 1}, {27, 1}}},
        {ShiftColor(kRing, 35), {{10, 2}, {1, 2}, {28, 2}, {3, 3}, {26, 3}}},
        {ShiftColor(kRing, 20), {{2, 10}, {27, 10}, {2, 3}, {2, 16}}},
        {grey(230), {{3, 10}}}};
    for (const auto& [colour, points] : pixels)
        for (auto [x, y] : points)
            EXPECT_EQ(lit.at(x, y), colour) << x << "," << y;
    const std::tuple<int, int, Bool16, bool, Rgb> rows[] = {
        {0, 0, True16, true, grey(230)},  {1, 0, True16, true, kRing},
        {0, 1, True16, true, kHoverRing}, {1, 1, True16, true, kHoverRing},
        {1, 0, False16, true, 0xE3E3E3},  {0, 1, False16, true, 0x123456},
        {1, 1, True16, false, grey(231)}};
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
        p.s.Focused = p.s.Hover = 1;
        p.paint(enabled);
        // A corner and its two neighbours on the edges show the face; diagonally in is the frame.
        for (auto [x, y] : Points{{0, 0}, {29, 0}, {0, 19}, {29, 19}}) {
            const int dx = x ? -1 : 1, dy = y ? -1 : 1;
            for (auto [fx, fy] : Points{{x, y}, {x + dx, y}, {x, y + dy}})
                EXPECT_EQ(p.at(fx, fy), kFace) << fx << "," << fy << " enabled " << enabled;
            EXPECT_EQ(p.at(x + dx, y + dy), enabled ? kBlack : grey(183)) << x << "," << y;
        }
    }
    PaintRig p(30, 20, kStyleXP);
    p.s.Pressed = p.s.Hover = p.s.Focused = 1;
    p.paint(false);
    for (auto [x, y] : Points{{10, 10}, {1, 10}, {10, 1}, {28, 17}})
        EXPECT_EQ(p.at(x, y), grey(231)) << "flat fill at " << x << "," << y;
    for (auto [x, y] : Points{{0, 10}, {10, 0}, {29, 10}, {10, 19}})
        EXPECT_EQ(p.at(x, y), grey(171)) << "frame at " << x << "," << y;
}

}  // namespace
}  // namespace zoltrek
