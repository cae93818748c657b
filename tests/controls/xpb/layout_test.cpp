#include <gtest/gtest.h>

#include <memory>

#include "layout.h"
#include "testcanvas.h"

namespace zoltrek {
namespace {

// Characters are 2 pixels wide: a 19-character caption measures 38 + 2 margins = 40 by 13.
TEST(CalcLayout, PictureAndCaption) {
    const char* c40 = "abcdefghijklmnopqrs";
    const struct {
        std::int32_t w, h, position;
        const char* caption;
        std::int32_t pw, ph;
        bool picture;
        Rect pictureRect, captionRect;
    } rows[] = {
        // Block 16 + 4 + 40 = 60 centred in {4, 4, 96, 26}; caption top round(8.5) = 8.
        {100, 30, kPictureLeft, c40, 16, 16, true, {20, 7, 36, 23}, {40, 8, 80, 21}},
        {100, 30, kPictureRight, c40, 16, 16, true, {64, 7, 80, 23}, {20, 8, 60, 21}},
        // Block 16 + 4 + 13 = 33 high: round(4 + (22 - 33) / 2) = round(-1.5) = -2.
        {100, 30, kPictureAbove, c40, 16, 16, true, {42, -2, 58, 14}, {30, 18, 70, 31}},
        {100, 30, kPictureBelow, c40, 16, 16, true, {42, 15, 58, 31}, {30, -2, 70, 11}},
        {100, 30, 7, c40, 16, 16, true, {1, 2, 3, 4}, {30, 8, 70, 21}},              // other value
        {100, 30, kPictureLeft, c40, 16, 16, false, {1, 2, 3, 4}, {30, 8, 70, 21}},  // no picture
        {101, 31, kPictureLeft, "", 16, 16, true, {42, 8, 58, 24}, {}},              // no caption
        // Beyond 16 bits the pair is still placed, never an overflow.
        {100, 30, 1, c40, 40000, 16, true, {-19972, 7, 20028, 23}, {20032, 8, 20072, 21}}};
    test::MemoryCanvas canvas(1, 1);
    canvas.charWidth = 2;
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.position << " " << r.caption << " " << r.pw);
        XpbState s;
        s.ButtonWidth = r.w, s.ButtonHeight = r.h, s.PicturePosition = r.position;
        s.Caption = r.caption, s.PictureWidth = r.pw, s.PictureHeight = r.ph;
        if (r.picture)
            s.Picture = std::make_shared<test::TestPicture>(Picture::Kind::Icon, 1, 1, 0);
        s.PictureRect = {1, 2, 3, 4};
        CalcLayout(s, canvas);
        EXPECT_EQ(s.ContentRect, (Rect{4, 4, r.w - 4, r.h - 4}));
        EXPECT_EQ(std::pair(s.PictureRect, s.CaptionRect), std::pair(r.pictureRect, r.captionRect));
    }
}

}  // namespace
}  // namespace zoltrek
