#include <gtest/gtest.h>

#include <memory>

#include "rig.h"

namespace zoltrek {
namespace {

using namespace test;

constexpr Rgb kRing = rgb(140, 170, 230), kHoverRing = rgb(225, 153, 71);
constexpr Rgb kMagenta = rgb(255, 0, 255), kRed = rgb(255, 0, 0);

TEST(Canvas, LinesExcludeTheEndPointFocusDotsInvert) {
    MemoryCanvas c(8, 6, 0);
    c.line(1, 1, 4, 1, kWhite);  // (1..3, 1)
    c.line(6, 4, 6, 1, kWhite);  // (6, 4..2)
    c.line(0, 5, 3, 2, kWhite);  // (0, 5), (1, 4), (2, 3)
    c.line(5, 5, 5, 5, kWhite);  // nothing
    std::string got;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            got += c.pixel(x, y) ? '#' : '.';
    EXPECT_EQ(got,
              "........"
              ".###...."
              "......#."
              "..#...#."
              ".#....#."
              "#.......");
    c.invertFocusRect({0, 0, 8, 6});
    EXPECT_EQ(c.pixel(0, 0), kWhite);
    EXPECT_EQ(c.pixel(1, 0), kBlack);
    EXPECT_EQ(c.pixel(7, 5), kWhite) << "(7 + 5) is even: inverted";
    EXPECT_EQ(c.pixel(1, 1), kWhite) << "inside is left alone";
}

TEST(Refresh, BorderByStyleAndState) {
    enum Border { None, Raised, Sunken };
    const struct {
        std::int32_t style;
        std::uint8_t pressed, hover;
        Border border;
    } rows[] = {{0, 0, 0, Raised}, {1, 0, 0, None},   {2, 0, 0, None},   {9, 0, 0, None},
                {1, 0, 1, Raised}, {2, 0, 1, Raised}, {0, 1, 0, Sunken}, {1, 1, 1, Sunken},
                {2, 1, 0, Sunken}, {1, 2, 1, Raised}, {1, 2, 0, None}};
    for (const auto& r : rows) {
        PaintRig p(30, 20, r.style);
        p.s.Pressed = r.pressed, p.s.Hover = r.hover;
        p.paint();
        const Rgb light = r.border == None ? kFace : r.border == Raised ? kWhite : kBlack;
        const Rgb dark = r.border == None ? kFace : r.border == Raised ? kBlack : kWhite;
        const std::string row = std::to_string(r.style) + "/" + std::to_string(r.pressed) + "/" +
                                std::to_string(r.hover);
        for (auto [x, y] : {std::pair{0, 10}, {15, 0}, {29, 0}, {0, 19}})
            EXPECT_EQ(p.at(x, y), light) << row << " light edge " << x << "," << y;
        for (auto [x, y] : {std::pair{29, 10}, {15, 19}, {29, 19}})
            EXPECT_EQ(p.at(x, y), dark) << row << " dark edge " << x << "," << y;
        EXPECT_EQ(p.at(1, 1), kFace) << row;
    }
}

TEST(Refresh, CaptionPlaceColourAndDisabledCopies) {
    using Draw = std::tuple<int, int, Rgb>;
    const struct {
        bool enabled;
        std::int32_t style;
        std::uint8_t pressed;
        std::vector<Draw> draws;
    } rows[] = {{true, 1, 0, {{31, 6, kBlack}}},
                {true, 1, 1, {{32, 7, kBlack}}},
                {true, 3, 1, {{32, 7, kBlack}}},
                {true, 1, 2, {{31, 6, kBlack}}},
                {false, 1, 1, {{32, 7, kWhite}, {31, 6, kShadow}}}};
    for (const auto& r : rows) {
        PaintRig p(145, 25, r.style);
        p.s.Caption = "&Новая заправка", p.s.Pressed = r.pressed;
        p.paint(r.enabled);
        std::vector<Draw> got;
        for (const auto& d : p.surface.drawn) {
            EXPECT_EQ(d.what, "Новая заправка");
            EXPECT_EQ(d.underline, 0u);
            got.emplace_back(d.x, d.y, d.colour);
        }
        EXPECT_EQ(got, r.draws) << r.enabled << "/" << r.style << "/" << int(r.pressed);
    }
}

TEST(Refresh, FocusRectangleOnlyWhenShownAndNotXP) {
    const struct {
        std::int32_t style;
        std::uint8_t focused;
        Bool16 show;
        bool drawn;
    } rows[] = {{1, 1, True16, true},  {0, 1, True16, true},  {1, 1, False16, false},
                {1, 0, True16, false}, {3, 1, True16, false}, {1, 1, 1, true}};
    for (const auto& r : rows) {
        PaintRig plain(145, 25, r.style), p(145, 25, r.style);
        plain.s.ShowFocusRect = p.s.ShowFocusRect = r.show;
        p.s.Focused = r.focused;
        plain.paint(), p.paint();
        const Rgb flip = r.drawn ? 0xFFFFFF : 0;
        for (auto [x, y] : {std::pair{4, 4}, {6, 4}, {140, 4}, {4, 6}, {140, 20}})
            EXPECT_EQ(p.at(x, y), plain.at(x, y) ^ flip) << r.style << " at " << x << "," << y;
        for (auto [x, y] : {std::pair{5, 4}, {141, 4}, {6, 6}, {139, 20}})
            EXPECT_EQ(p.at(x, y), plain.at(x, y)) << r.style << " at " << x << "," << y;
    }
}

TEST(DrawPicture, BitmapWithoutItsMaskColourMovedByPressed) {
    const struct {
        std::uint8_t pressed;
        std::int32_t useMask;
        std::uint32_t mask, maskAfter;
        std::vector<std::tuple<int, int, Rgb>> pixels;
    } rows[] = {{0, 0, 0, kMagenta, {{42, 7, kFace}, {50, 15, kRed}}},
                {1, 0, 0, kMagenta, {{50, 15, kFace}, {51, 16, kRed}}},
                {2, 0, 0, kMagenta, {{52, 17, kRed}}},
                {0, -1, kRed, kRed, {{42, 7, kMagenta}, {50, 15, kFace}}},
                // A system colour reference is compared as stored: nothing is left out.
                {0, -1, 0x80000000 | kRed, 0x80000000 | kRed, {{42, 7, kMagenta}, {50, 15, kRed}}}};
    for (const auto& r : rows) {
        PaintRig p(100, 30);
        auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
        bitmap->pixels[8 * 16 + 8] = kRed;
        p.s.Picture = bitmap;
        p.s.PictureWidth = p.s.PictureHeight = 16;
        p.s.Pressed = r.pressed, p.s.UseMaskColor = r.useMask, p.s.MaskColor = Colour{r.mask};
        p.paint();
        for (const auto& [x, y, colour] : r.pixels)
            EXPECT_EQ(p.at(x, y), colour) << int(r.pressed) << " at " << x << "," << y;
        EXPECT_EQ(p.s.MaskColor, Colour{r.maskAfter});
    }
    // The stored width wins: past the bitmap the staging surface's window colour shows.
    PaintRig wide(100, 30);
    wide.s.Picture = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
    wide.s.PictureWidth = 20, wide.s.PictureHeight = 16;
    wide.paint();
    EXPECT_EQ(wide.at(55, 10), kFace);
    EXPECT_EQ(wide.at(57, 10), kWhite);
    // A bitmap larger than the designed staging surface is copied whole.
    PaintRig big(140, 80);
    big.s.Picture = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 100, 60, kRed);
    big.s.PictureWidth = 100, big.s.PictureHeight = 60, big.s.UseMaskColor = -1;
    big.paint();
    EXPECT_EQ(big.at(119, 69), kRed);
}

TEST(DrawPicture, IconsScaledDisabledPicturesEmbossed) {
    const struct {
        Picture::Kind kind;
        bool enabled;
        std::uint8_t pressed;
        std::string how;
        Rect to;
    } rows[] = {{Picture::Kind::Icon, true, 0, "scaled", {42, 7, 58, 23}},
                {Picture::Kind::Icon, true, 1, "scaled", {43, 8, 59, 24}},
                {Picture::Kind::Icon, false, 0, "disabled", {}},
                {Picture::Kind::Bitmap, false, 2, "disabled", {}}};
    for (const auto& r : rows) {
        PaintRig p(100, 30);
        p.s.Picture = std::make_shared<TestPicture>(r.kind, 16, 16, kRed);
        p.s.PictureWidth = p.s.PictureHeight = 16, p.s.Pressed = r.pressed;
        p.paint(r.enabled);
        ASSERT_EQ(p.surface.drawn.size(), 1u);
        const auto& d = p.surface.drawn[0];
        EXPECT_EQ(d.what, r.how);
        if (r.how == "scaled")
            EXPECT_EQ(std::tuple(d.to, d.x, d.y), std::tuple(r.to, 16, 16));
        else
            EXPECT_EQ(std::pair(d.x, d.y), std::pair(42 + r.pressed, 7 + r.pressed));
        EXPECT_EQ(p.s.PictureRect, (Rect{42, 7, 58, 23})) << "put back after drawing";
    }
}

TEST(XPFace, GradientRowsSinglePrecisionStep) {
    const struct {
        std::int32_t h;
        std::uint8_t pressed;
        std::vector<int> rows;  // rows 1, 2, 3, ..., as many as given
    } rows[] = {
        {20,
         0,
         {253, 250, 247, 245, 243, 240, 237, 235, 233, 230, 227, 225, 223, 220, 217, 215, 213,
          210}},
        // Upwards: row h - 1 is the lightest, and no ring whatever the focus and hover.
        {20,
         1,
         {199, 201, 202, 203, 204, 205, 207, 208, 209, 211, 212, 213, 214, 215, 217, 218, 219,
          221}},
        // 50 / 12 in single precision times 9 is 37.4999985, so row 9 is 255 - 37.
        {12, 0, {251, 247, 243, 238, 234, 230, 226, 222, 218, 213}},
    };
    for (const auto& r : rows) {
        PaintRig p(30, r.h, kStyleXP);
        p.s.Pressed = r.pressed, p.s.Focused = p.s.Hover = r.pressed;
        p.paint();
        for (std::size_t i = 0; i < r.rows.size(); ++i)
            EXPECT_EQ(p.at(10, i + 1), grey(r.rows[i])) << "h " << r.h << " row " << i + 1;
        for (auto [x, y] : {std::pair{10, 0}, {10, r.h - 1}, {0, 5}, {29, 5}})
            EXPECT_EQ(p.at(x, y), kDarkFrame);
        EXPECT_EQ(p.at(1, 5), p.at(10, 5)) << "no ring";
    }
}

TEST(XPFace, RingPixelsAndColours) {
    PaintRig p(30, 20, kStyleXP);
    p.s.Focused = 1;
    p.paint();
    const struct {
        int x, y;
        Rgb colour;
    } rows[] = {{1, 10, kRing},
                {28, 10, kRing},
                {10, 17, kRing},
                {2, 17, kRing},
                {3, 16, kRing},
                {26, 16, kRing},
                {10, 18, ShiftColor(kRing, -40)},
                {10, 1, ShiftColor(kRing, 90)},
                {2, 1, ShiftColor(kRing, 90)},
                {27, 1, ShiftColor(kRing, 90)},
                {10, 2, ShiftColor(kRing, 35)},
                {1, 2, ShiftColor(kRing, 35)},
                {28, 2, ShiftColor(kRing, 35)},
                {3, 3, ShiftColor(kRing, 35)},
                {26, 3, ShiftColor(kRing, 35)},
                {2, 10, ShiftColor(kRing, 20)},
                {27, 10, ShiftColor(kRing, 20)},
                {2, 3, ShiftColor(kRing, 20)},
                {2, 16, ShiftColor(kRing, 20)},
                {3, 10, grey(230)}};
    for (const auto& r : rows)
        EXPECT_EQ(p.at(r.x, r.y), r.colour) << r.x << "," << r.y;
}

TEST(XPFace, RingColourByStateAndBuiltInColours) {
    const struct {
        std::uint8_t focused, hover;
        Bool16 defaults;
        bool enabled;
        Rgb ring;
    } rows[] = {{0, 0, True16, true, grey(230)},  {1, 0, True16, true, kRing},
                {0, 1, True16, true, kHoverRing}, {1, 1, True16, true, kHoverRing},
                {1, 0, False16, true, 0xE3E3E3},  {0, 1, False16, true, 0x123456},
                {1, 1, True16, false, grey(231)}};
    for (const auto& r : rows) {
        PaintRig p(30, 20, kStyleXP);
        p.s.Focused = r.focused, p.s.Hover = r.hover, p.s.XPDefaultColors = r.defaults;
        p.s.XPColor_Pressed = Colour{0x80000016}, p.s.XPColor_Hover = Colour{0x123456};
        p.paint(r.enabled);
        EXPECT_EQ(p.at(1, 10), r.ring) << int(r.focused) << int(r.hover) << r.defaults;
        // Only an enabled paint puts the built-in colours back.
        const bool reset = r.defaults && r.enabled;
        EXPECT_EQ(p.s.XPColor_Pressed, Colour{reset ? 0x00E6AA8Cu : 0x80000016u});
        EXPECT_EQ(p.s.XPColor_Hover, Colour{reset ? 0x004799E1u : 0x123456u});
    }
}

TEST(XPFace, CornersAndDisabledFace) {
    for (bool enabled : {true, false}) {
        PaintRig p(30, 20, kStyleXP);
        p.s.Focused = p.s.Hover = 1;
        p.paint(enabled);
        const Rgb inner = enabled ? kBlack : grey(183);
        for (auto [x, y] : {std::pair{1, 1}, {28, 1}, {1, 18}, {28, 18}})
            EXPECT_EQ(p.at(x, y), inner) << x << "," << y << " enabled " << enabled;
        for (auto [x, y] : {std::pair{0, 0},
                            {1, 0},
                            {0, 1},
                            {29, 0},
                            {28, 0},
                            {29, 1},
                            {0, 19},
                            {1, 19},
                            {0, 18},
                            {29, 19},
                            {28, 19},
                            {29, 18}})
            EXPECT_EQ(p.at(x, y), kFace) << x << "," << y << " enabled " << enabled;
    }
    PaintRig p(30, 20, kStyleXP);
    p.s.Pressed = p.s.Hover = p.s.Focused = 1;
    p.paint(false);
    for (auto [x, y] : {std::pair{10, 10}, {1, 10}, {10, 1}, {28, 17}})
        EXPECT_EQ(p.at(x, y), grey(231)) << "flat fill at " << x << "," << y;
    for (auto [x, y] : {std::pair{0, 10}, {10, 0}, {29, 10}, {10, 19}})
        EXPECT_EQ(p.at(x, y), grey(171)) << "frame at " << x << "," << y;
}

}  // namespace
}  // namespace zoltrek
