#include <gtest/gtest.h>

#include <memory>

#include "paintrig.h"

namespace zoltrek {
namespace {

using namespace test;

enum class Border { None, Raised, Sunken };

TEST(Refresh, BorderByStyleAndState) {
    const struct {
        std::int32_t style;
        std::uint8_t pressed, hover;
        Border border;
    } rows[] = {
        {0, 0, 0, Border::Raised},
        {1, 0, 0, Border::None},
        {2, 0, 0, Border::None},
        {9, 0, 0, Border::None},
        {1, 0, 1, Border::Raised},
        {2, 0, 1, Border::Raised},
        {0, 1, 0, Border::Sunken},
        {1, 1, 1, Border::Sunken},
        {2, 1, 0, Border::Sunken},
        // Only the left button's value 1 sinks the border.
        {1, 2, 1, Border::Raised},
        {0, 4, 0, Border::Raised},
        {1, 2, 0, Border::None},
    };
    for (const auto& r : rows) {
        PaintRig rig(30, 20);
        rig.state.ButtonStyle = r.style;
        rig.state.Pressed = r.pressed;
        rig.state.Hover = r.hover;
        rig.paint();
        const Rgb light = r.border == Border::None     ? kFace
                          : r.border == Border::Raised ? kWhite
                                                       : kBlack;
        const Rgb dark = r.border == Border::None     ? kFace
                         : r.border == Border::Raised ? kBlack
                                                      : kWhite;
        const std::string row = "style " + std::to_string(r.style) + " pressed " +
                                std::to_string(r.pressed) + " hover " + std::to_string(r.hover);
        EXPECT_EQ(rig.at(0, 10), light) << row << ": left";
        EXPECT_EQ(rig.at(15, 0), light) << row << ": top";
        EXPECT_EQ(rig.at(29, 10), dark) << row << ": right";
        EXPECT_EQ(rig.at(15, 19), dark) << row << ": bottom";
        EXPECT_EQ(rig.at(29, 0), light) << row << ": top right";
        EXPECT_EQ(rig.at(0, 19), light) << row << ": bottom left";
        EXPECT_EQ(rig.at(29, 19), dark) << row << ": bottom right";
        EXPECT_EQ(rig.at(1, 1), kFace) << row << ": inside";
    }
}

TEST(Refresh, CaptionColourPlaceAndCopies) {
    const struct {
        const char* what;
        bool enabled;
        std::int32_t style;
        std::uint8_t pressed;
        std::vector<std::tuple<std::int32_t, std::int32_t, Rgb>> draws;
    } rows[] = {
        {"enabled", true, 1, 0, {{31, 6, kBlack}}},
        {"pressed moves it", true, 1, 1, {{32, 7, kBlack}}},
        {"pressed XP moves it", true, 3, 1, {{32, 7, kBlack}}},
        {"right button does not", true, 1, 2, {{31, 6, kBlack}}},
        {"disabled: highlight first, shadow over it",
         false,
         1,
         0,
         {{32, 7, kWhite}, {31, 6, kShadow}}},
        {"disabled ignores pressed", false, 1, 1, {{32, 7, kWhite}, {31, 6, kShadow}}},
    };
    for (const auto& r : rows) {
        PaintRig rig(145, 25);
        rig.state.Caption = "&Новая заправка";
        rig.state.ButtonStyle = r.style;
        rig.state.Pressed = r.pressed;
        rig.paint(r.enabled);
        ASSERT_EQ(rig.surface.texts.size(), r.draws.size()) << r.what;
        for (std::size_t i = 0; i < r.draws.size(); ++i) {
            const auto& t = rig.surface.texts[i];
            const auto [x, y, colour] = r.draws[i];
            EXPECT_EQ(t.x, x) << r.what;
            EXPECT_EQ(t.y, y) << r.what;
            EXPECT_EQ(t.colour, colour) << r.what;
            EXPECT_EQ(t.line, (TextLine{"Новая заправка", 0})) << r.what;
        }
    }
}

TEST(Refresh, WrappedCaptionLinesCentredEach) {
    PaintRig rig(70, 40);
    rig.state.Caption = "Новая заправка";
    rig.paint();
    // Caption rectangle {10, 7, 60, 33}: 48 of room; "Новая" is 30 wide, "заправка" 48.
    ASSERT_EQ(rig.surface.texts.size(), 2u);
    EXPECT_EQ(rig.surface.texts[0].line.text, "Новая");
    EXPECT_EQ(rig.surface.texts[0].x, 20);
    EXPECT_EQ(rig.surface.texts[0].y, 7);
    EXPECT_EQ(rig.surface.texts[1].line.text, "заправка");
    EXPECT_EQ(rig.surface.texts[1].x, 11);
    EXPECT_EQ(rig.surface.texts[1].y, 20);
}

TEST(Refresh, FocusRectangleOnlyWhenShownAndNotXP) {
    const struct {
        std::int32_t style;
        std::uint8_t focused;
        Bool16 show;
        bool drawn;
    } rows[] = {
        {1, 1, True16, true},  {0, 1, True16, true},  {1, 1, False16, false},
        {1, 0, True16, false}, {3, 1, True16, false}, {1, 1, 1, true},
    };
    for (const auto& r : rows) {
        PaintRig reference(145, 25), rig(145, 25);
        for (PaintRig* p : {&reference, &rig}) {
            p->state.ButtonStyle = r.style;
            p->state.ShowFocusRect = r.show;
            p->state.Hover = 1;
        }
        rig.state.Focused = r.focused;
        reference.paint();
        rig.paint();
        const std::string row = "style " + std::to_string(r.style) + " focused " +
                                std::to_string(r.focused) + " show " + std::to_string(r.show);
        // Dotted by inversion: every other pixel along the frame {4, 4, 141, 21}.
        const Rgb flip = r.drawn ? 0xFFFFFF : 0;
        for (auto [x, y] : {std::pair{4, 4}, {6, 4}, {140, 4}, {4, 6}, {140, 20}, {138, 20}})
            EXPECT_EQ(rig.at(x, y), reference.at(x, y) ^ flip) << row << " at " << x << "," << y;
        for (auto [x, y] : {std::pair{5, 4}, {4, 5}, {141, 4}, {3, 4}, {6, 6}, {139, 20}})
            EXPECT_EQ(rig.at(x, y), reference.at(x, y)) << row << " at " << x << "," << y;
    }
}

struct PictureCase {
    const char* what;
    std::uint8_t pressed;
    std::int32_t useMask;
    Colour mask;
    std::vector<std::tuple<std::int32_t, std::int32_t, Rgb>> pixels;
    Colour maskAfter;
};

constexpr Rgb kMagenta = rgb(255, 0, 255);
constexpr Rgb kRed = rgb(255, 0, 0);

TEST(DrawPicture, BitmapCopiedWithoutItsMaskColour) {
    const PictureCase rows[] = {
        {"top-left pixel is the mask",
         0,
         0,
         Colour{0},
         {{42, 7, kFace}, {50, 15, kRed}},
         Colour{kMagenta}},
        {"pressed moves it by 1",
         1,
         0,
         Colour{0},
         {{50, 15, kFace}, {51, 16, kRed}},
         Colour{kMagenta}},
        {"entered with the right button: by 2",
         2,
         0,
         Colour{0},
         {{52, 17, kRed}},
         Colour{kMagenta}},
        {"own mask colour",
         0,
         -1,
         Colour{kRed},
         {{42, 7, kMagenta}, {50, 15, kFace}},
         Colour{kRed}},
        // A system colour reference is compared as stored, so it leaves nothing out.
        {"mask as stored",
         0,
         -1,
         Colour{0x80000000 | kRed},
         {{42, 7, kMagenta}, {50, 15, kRed}},
         Colour{0x80000000 | kRed}},
    };
    for (const auto& r : rows) {
        PaintRig rig(100, 30);
        auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
        bitmap->setPixel(8, 8, kRed);
        rig.state.Picture = bitmap;
        rig.state.PictureWidth = rig.state.PictureHeight = 16;
        rig.state.Pressed = r.pressed;
        rig.state.UseMaskColor = r.useMask;
        rig.state.MaskColor = r.mask;
        rig.paint();
        for (const auto& [x, y, colour] : r.pixels)
            EXPECT_EQ(rig.at(x, y), colour) << r.what << " at " << x << "," << y;
        EXPECT_EQ(rig.state.MaskColor, r.maskAfter) << r.what;
        EXPECT_EQ(rig.state.PictureRect, (Rect{42, 7, 58, 23})) << r.what;
    }
}

TEST(DrawPicture, StoredSizeAndLargeBitmaps) {
    // The stored size wins: the staging surface's window colour shows past the bitmap.
    PaintRig rig(100, 30);
    auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
    rig.state.Picture = bitmap;
    rig.state.PictureWidth = 20;
    rig.state.PictureHeight = 16;
    rig.paint();
    EXPECT_EQ(rig.at(55, 10), kFace);
    EXPECT_EQ(rig.at(57, 10), kWhite);

    // A bitmap larger than the staging surface's designed size is copied whole.
    PaintRig big(140, 80);
    auto large = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 100, 60, kRed);
    large->setPixel(0, 0, kMagenta);
    big.state.Picture = large;
    big.state.PictureWidth = 100;
    big.state.PictureHeight = 60;
    big.paint();
    EXPECT_EQ(big.state.PictureRect, (Rect{20, 10, 120, 70}));
    EXPECT_EQ(big.at(20, 10), kFace);
    EXPECT_EQ(big.at(21, 10), kRed);
    EXPECT_EQ(big.at(119, 69), kRed);
}

TEST(DrawPicture, IconsScaledAndDisabledPictures) {
    const struct {
        const char* what;
        Picture::Kind kind;
        bool enabled;
        std::uint8_t pressed;
        std::string how;
        Rect to;
    } rows[] = {
        {"icon", Picture::Kind::Icon, true, 0, "scaled", {42, 7, 58, 23}},
        {"icon pressed", Picture::Kind::Icon, true, 1, "scaled", {43, 8, 59, 24}},
        {"disabled icon", Picture::Kind::Icon, false, 0, "disabled", {42, 7, 42, 7}},
        {"disabled bitmap", Picture::Kind::Bitmap, false, 2, "disabled", {44, 9, 44, 9}},
    };
    for (const auto& r : rows) {
        PaintRig rig(100, 30);
        auto picture = std::make_shared<TestPicture>(r.kind, 16, 16, kRed);
        rig.state.Picture = picture;
        rig.state.PictureWidth = rig.state.PictureHeight = 16;
        rig.state.Pressed = r.pressed;
        rig.state.MaskColor = Colour{7};
        rig.paint(r.enabled);
        ASSERT_EQ(rig.surface.pictures.size(), 1u) << r.what;
        const auto& d = rig.surface.pictures[0];
        EXPECT_EQ(d.how, r.how) << r.what;
        EXPECT_EQ(d.picture, picture.get()) << r.what;
        EXPECT_EQ(d.to, r.to) << r.what;
        if (r.how == "scaled") {
            EXPECT_EQ(d.fromWidth, 16);
            EXPECT_EQ(d.fromHeight, 16);
        }
        EXPECT_EQ(rig.state.MaskColor, Colour{7}) << r.what;
        EXPECT_EQ(rig.state.PictureRect, (Rect{42, 7, 58, 23})) << r.what;
    }
}

}  // namespace
}  // namespace zoltrek
