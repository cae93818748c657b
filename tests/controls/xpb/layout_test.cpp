#include <gtest/gtest.h>

#include <memory>

#include "layout.h"
#include "memorycanvas.h"

namespace zoltrek {
namespace {

using test::MemoryCanvas;
using test::TestPicture;

// A 19-character caption measures 19 × 2 + 2 margins = 40 by 13 on this canvas.
constexpr const char* kCaption40 = "abcdefghijklmnopqrs";

XpbState button(std::int32_t w, std::int32_t h, std::string caption, std::int32_t pw,
                std::int32_t ph, bool picture) {
    XpbState s;
    s.ButtonWidth = w;
    s.ButtonHeight = h;
    s.Caption = std::move(caption);
    s.PictureWidth = pw;
    s.PictureHeight = ph;
    if (picture)
        s.Picture = std::make_shared<TestPicture>(Picture::Kind::Icon, pw, ph, 0);
    return s;
}

TEST(CalcLayout, PictureAndCaptionByPicturePosition) {
    MemoryCanvas canvas(1, 1);
    canvas.charWidth = 2;
    const struct {
        std::int32_t position;
        Rect picture, caption;
    } rows[] = {
        // Block 16 + 4 + 40 = 60 wide centred in {4, 4, 96, 26}; caption top round(8.5) = 8.
        {kPictureLeft, {20, 7, 36, 23}, {40, 8, 80, 21}},
        {kPictureRight, {64, 7, 80, 23}, {20, 8, 60, 21}},
        // Block 16 + 4 + 13 = 33 high: round(4 + (22 - 33) / 2) = round(-1.5) = -2.
        {kPictureAbove, {42, -2, 58, 14}, {30, 18, 70, 31}},
        {kPictureBelow, {42, 15, 58, 31}, {30, -2, 70, 11}},
        // Any other value leaves the picture where it was and the caption centred.
        {7, {1, 2, 3, 4}, {30, 8, 70, 21}},
        {-1, {1, 2, 3, 4}, {30, 8, 70, 21}},
    };
    for (const auto& r : rows) {
        XpbState s = button(100, 30, kCaption40, 16, 16, true);
        s.PicturePosition = r.position;
        s.PictureRect = {1, 2, 3, 4};
        CalcLayout(s, canvas);
        EXPECT_EQ(s.ContentRect, (Rect{4, 4, 96, 26}));
        EXPECT_EQ(s.PictureRect, r.picture) << "position " << r.position;
        EXPECT_EQ(s.CaptionRect, r.caption) << "position " << r.position;
    }
}

TEST(CalcLayout, CaptionAlonePictureAloneAndOverflow) {
    MemoryCanvas canvas(1, 1);
    canvas.charWidth = 2;
    const struct {
        const char* what;
        XpbState state;
        Rect picture, caption;
    } rows[] = {
        // Without a caption the picture is centred, with or without a picture set.
        {"picture only", button(100, 30, "", 16, 16, true), {42, 7, 58, 23}, {}},
        {"stored size only", button(100, 30, "", 32, 32, false), {34, -1, 66, 31}, {}},
        {"odd room", button(101, 31, "", 16, 16, true), {42, 8, 58, 24}, {}},
        // Without a picture the caption is centred and the picture rectangle untouched.
        {"caption only", button(100, 30, kCaption40, 16, 16, false), {}, {30, 8, 70, 21}},
        // A size beyond 16 bits is placed rather than failing.
        {"huge picture",
         button(100, 30, kCaption40, 40000, 16, true),
         {-19972, 7, 20028, 23},
         {20032, 8, 20072, 21}},
    };
    for (const auto& r : rows) {
        XpbState s = r.state;
        s.PicturePosition = kPictureLeft;
        CalcLayout(s, canvas);
        EXPECT_EQ(s.PictureRect, r.picture) << r.what;
        EXPECT_EQ(s.CaptionRect, r.caption) << r.what;
    }
}

TEST(CalcCaptionRect, WrapsAndCentresOutsideTheContentWhenAWordIsTooWide) {
    MemoryCanvas canvas(1, 1);  // 6 pixels a character
    const struct {
        std::int32_t w;
        const char* caption;
        Rect caption_rect;
    } rows[] = {
        // Content 137 wide: "Новая заправка" is 84 + 2.
        {145, "Новая заправка", {30, 6, 116, 19}},
        // Content 62 wide leaves 60 for text: two lines, the wider 48 + 2.
        {70, "Новая заправка", {10, 0, 60, 26}},
        // One word of 60 + 2 in a content of 32: sticks out by 15 on each side.
        {40, "Статистика", {-11, 6, 51, 19}},
    };
    for (const auto& r : rows) {
        XpbState s = button(r.w, 25, r.caption, 0, 0, false);
        CalcLayout(s, canvas);
        EXPECT_EQ(s.CaptionRect, r.caption_rect) << r.caption << " in " << r.w;
        EXPECT_EQ(s.TextParams.cbSize, 20u);
        EXPECT_EQ(s.TextParams.iLeftMargin, 1);
        EXPECT_EQ(s.TextParams.iRightMargin, 1);
    }
}

}  // namespace
}  // namespace zoltrek
