#include <gtest/gtest.h>

#include <memory>

#include "rig.h"

namespace zoltrek {
namespace {

using test::Rig;

// Every stored value is read, and written back whole, in write order.
TEST(XpbSettings, EveryValueRoundTrips) {
    Rig rig;
    const PictureRef icon = std::make_shared<test::TestPicture>(Picture::Kind::Icon, 16, 16, 0);
    const PropertyBag stored{{"caption", std::string("&ОК")},
                             {"pictureposition", 3},
                             {"buttonstyle", 3},
                             {"picture", icon},
                             {"picturewidth", 20},
                             {"pictureheight", 24},
                             {"enabled", false},
                             {"showfocusrect", false},
                             {"xpcolor_pressed", Colour{0x1}},
                             {"xpcolor_hover", Colour{0x2}},
                             {"xpdefaultcolors", false},
                             {"maskcolor", Colour{0x80000005}},
                             {"usemaskcolor", true}};
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

TEST(XpbProperties, PictureSizeRepaintsAndDisabling) {
    Rig rig;
    XpbControl& c = rig.control;
    c.setPicture(std::make_shared<test::TestPicture>(Picture::Kind::Icon, 16, 24, 0));
    c.setPicture(nullptr);
    EXPECT_EQ(std::pair(c.state().PictureWidth, c.state().PictureHeight), std::pair(16, 24));
    c.setXPColor_Hover(Colour{5});  // the ring colours alone wait for the next paint
    c.setCaption("Save && E&xit");
    EXPECT_EQ(std::pair(rig.joined(), c.accessKey()),
              std::pair(std::string("repaint repaint repaint"), U'x'));
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
        {9, 9, false, true, 10, 10, 3},
        // A surface that refuses to grow is measured once, not asked forever.
        {5, 5, true, false, 5, 5, 1}};
    for (auto [w, h, remeasures, resizable, wantW, wantH, repaints] : rows) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Rig rig(w, h);
        rig.remeasures = remeasures, rig.resizable = resizable;
        rig.control.CalcSize();
        const XpbState& s = rig.control.state();
        EXPECT_EQ(std::tuple(s.ButtonWidth, s.ButtonHeight, rig.w, rig.h, rig.canvas.width()),
                  std::tuple(wantW, wantH, wantW, wantH, wantW));
        EXPECT_EQ(s.FocusRect, (Rect{4, 4, wantW - 4, wantH - 4}));
        EXPECT_EQ(std::count(rig.log.begin(), rig.log.end(), "repaint"), repaints);
    }
}

}  // namespace
}  // namespace zoltrek
