#include <gtest/gtest.h>

#include <memory>

#include "rig.h"

namespace zoltrek {
namespace {

using test::Rig;

// Records the names read, in order, and answers each with its default.
struct RecordingSource : SettingsSource {
    mutable std::vector<std::string> names;
    template <typename T>
    T note(std::string_view n, T def) const {
        return names.emplace_back(n), def;
    }
    std::string readText(std::string_view n, std::string_view d) const override {
        return note(n, std::string(d));
    }
    std::int32_t readInt(std::string_view n, std::int32_t d) const override { return note(n, d); }
    bool readBool(std::string_view n, bool d) const override { return note(n, d); }
    Colour readColour(std::string_view n, Colour d) const override { return note(n, d); }
    PictureRef readPicture(std::string_view n) const override { return note(n, PictureRef()); }
};

TEST(XpbSettings, ReadInOrderWithDefaultsThenMeasuredOnce) {
    Rig rig;
    rig.on = false;
    RecordingSource source;
    rig.control.readProperties(source, "XpB1");
    EXPECT_EQ(source.names,
              (std::vector<std::string>{"ShowFocusRect", "Caption", "PicturePosition",
                                        "ButtonStyle", "PictureWidth", "PictureHeight", "Picture",
                                        "Enabled", "XPColor_Pressed", "XPColor_Hover",
                                        "XPDefaultColors", "MaskColor", "UseMaskColor"}));
    const XpbState& s = rig.control.state();
    EXPECT_EQ(std::tuple(s.ShowFocusRect, s.Caption, s.PicturePosition, s.ButtonStyle),
              std::tuple(True16, std::string("XpB1"), 1, 2));
    EXPECT_EQ(std::tuple(s.PictureWidth, s.PictureHeight, s.Picture, rig.on),
              std::tuple(32, 32, PictureRef(), true));
    EXPECT_EQ(std::tuple(s.XPColor_Pressed, s.XPColor_Hover, s.XPDefaultColors),
              std::tuple(Colour{0x80000014}, Colour{0x80000016}, True16));
    EXPECT_EQ(std::tuple(s.MaskColor, s.UseMaskColor), std::tuple(Colour{0}, 0));
    EXPECT_EQ(std::tuple(s.ButtonWidth, s.ButtonHeight, s.FocusRect),
              std::tuple(145, 25, Rect{4, 4, 141, 21}));
    EXPECT_EQ(rig.joined(), "repaint");
}

// A fresh instance writes its zeroes; what was read is written back whole, in write order.
TEST(XpbSettings, FreshInstanceWritesItsZeroesEveryValueRoundTrips) {
    Rig rig;
    PropertyBag fresh;
    rig.control.writeProperties(fresh, "XpB1");
    EXPECT_EQ(fresh.names(),
              (std::vector<std::string>{"caption", "pictureposition", "buttonstyle", "picturewidth",
                                        "pictureheight", "showfocusrect", "xpcolor_pressed",
                                        "xpcolor_hover", "xpdefaultcolors"}));
    EXPECT_EQ(fresh.readText("caption", "?"), "");
    EXPECT_FALSE(fresh.readBool("xpdefaultcolors", true));
    const PictureRef icon = std::make_shared<test::TestPicture>(Picture::Kind::Icon, 16, 16, 0);
    // clang-format off
    const PropertyBag stored{{"caption", std::string("&ОК")}, {"pictureposition", 3},
        {"buttonstyle", 3}, {"picture", icon}, {"picturewidth", 20}, {"pictureheight", 24},
        {"enabled", false}, {"showfocusrect", false}, {"xpcolor_pressed", Colour{0x112233}},
        {"xpcolor_hover", Colour{0x445566}}, {"xpdefaultcolors", false},
        {"maskcolor", Colour{0x80000005}}, {"usemaskcolor", true}};
    // clang-format on
    rig.control.readProperties(stored, "XpB1");
    // The stored picture size stands although the picture's own is 16 × 16.
    EXPECT_EQ(std::pair(rig.control.state().PictureWidth, rig.control.state().PictureHeight),
              std::pair(20, 24));
    EXPECT_EQ(rig.control.accessKey(), U'о');
    PropertyBag out;
    rig.control.writeProperties(out, "XpB1");
    EXPECT_EQ(out.names(), stored.names());
    for (const std::string& name : stored.names())
        EXPECT_TRUE(*out.find(name) == *stored.find(name)) << name;
}

TEST(XpbProperties, EveryWriteButTheRingColoursRepaints) {
    using C = XpbControl&;
    // clang-format off
    void (*const writes[])(C) = {
        [](C c) { c.setEnabledCtrl(true); }, [](C c) { c.setShowFocusRect(true); },
        [](C c) { c.setCaption("x"); }, [](C c) { c.setButtonStyle(3); },
        [](C c) { c.setPicturePosition(2); }, [](C c) { c.setPicture(nullptr); },
        [](C c) { c.setMaskColor(Colour{5}); }, [](C c) { c.setUseMaskColor(true); },
        // These three do not.
        [](C c) { c.setXPColor_Pressed(Colour{5}); }, [](C c) { c.setXPColor_Hover(Colour{5}); },
        [](C c) { c.setXPDefaultColors(true); }};
    // clang-format on
    for (int i = 0; i < 11; ++i) {
        Rig rig;
        writes[i](rig.control);
        EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "repaint"), i < 8) << "write " << i;
    }
}

TEST(XpbProperties, PictureSizeCaptionKeyAndDisabling) {
    Rig rig;
    XpbControl& c = rig.control;
    c.setPicture(std::make_shared<test::TestPicture>(Picture::Kind::Icon, 16, 24, 0));
    c.setPicture(nullptr);
    EXPECT_EQ(std::pair(c.state().PictureWidth, c.state().PictureHeight), std::pair(16, 24));
    c.setPicture(std::make_shared<test::TestPicture>(Picture::Kind::Bitmap, 40, 8, 0));
    EXPECT_EQ(std::pair(c.state().PictureWidth, c.state().PictureHeight), std::pair(40, 8));
    c.setCaption("Save && E&xit");
    EXPECT_EQ(c.accessKey(), U'x');
    // Disabling while pressed and hovered clears both and paints the disabled look at once.
    c.CalcSize();
    c.setButtonStyle(kStyleXP);
    c.focusEntered();
    c.mouseMoved(1, 0, 1, 1);
    c.setEnabledCtrl(false);
    EXPECT_EQ(std::tuple(c.state().Focused, c.state().Pressed, c.state().Hover),
              std::tuple(0, 0, 0));
    EXPECT_EQ(rig.canvas.pixel(10, 10), test::grey(231));
}

TEST(CalcSize, GrowsBelowTenPixelsTo150Twips) {
    const std::tuple<int, int, bool, bool, int, int, std::size_t> rows[] = {
        // size, remeasured on resizing, resizable, size after, repaints
        {145, 25, true, true, 145, 25, 1},
        {5, 25, true, true, 10, 25, 2},
        {145, 3, true, true, 145, 10, 2},
        {0, 0, true, true, 10, 10, 3},
        {9, 9, false, true, 10, 10, 3},
        {3, 12, false, true, 10, 12, 2},
        // A surface that refuses to grow is measured once, not asked forever.
        {5, 5, true, false, 5, 5, 1}};
    for (auto [w, h, remeasures, resizable, wantW, wantH, repaints] : rows) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Rig rig(w, h);
        rig.remeasures = remeasures, rig.resizable = resizable;
        rig.control.CalcSize();
        const XpbState& s = rig.control.state();
        EXPECT_EQ(std::tuple(s.ButtonWidth, s.ButtonHeight, rig.w, rig.h),
                  std::tuple(wantW, wantH, wantW, wantH));
        EXPECT_EQ(s.FocusRect, (Rect{4, 4, wantW - 4, wantH - 4}));
        EXPECT_EQ(rig.canvas.width(), wantW) << "painted at the new size";
        EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "repaint"), repaints);
    }
}

}  // namespace
}  // namespace zoltrek
