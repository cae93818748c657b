#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "fakesurface.h"
#include "paintrig.h"

namespace zoltrek {
namespace {

using test::Rig;
using test::TestPicture;

// Records the names read, in order, and answers each with its default.
class RecordingSource : public SettingsSource {
  public:
    mutable std::vector<std::string> names;
    std::string readText(std::string_view n, std::string_view def) const override {
        names.emplace_back(n);
        return std::string(def);
    }
    std::int32_t readInt(std::string_view n, std::int32_t def) const override {
        names.emplace_back(n);
        return def;
    }
    bool readBool(std::string_view n, bool def) const override {
        names.emplace_back(n);
        return def;
    }
    Colour readColour(std::string_view n, Colour def) const override {
        names.emplace_back(n);
        return def;
    }
    PictureRef readPicture(std::string_view n) const override {
        names.emplace_back(n);
        return nullptr;
    }
};

const std::vector<std::string> kReadOrder = {
    "ShowFocusRect",   "Caption",   "PicturePosition", "ButtonStyle",     "PictureWidth",
    "PictureHeight",   "Picture",   "Enabled",         "XPColor_Pressed", "XPColor_Hover",
    "XPDefaultColors", "MaskColor", "UseMaskColor"};

TEST(XpbSettings, ReadInOrderWithDefaultsThenMeasured) {
    Rig rig;
    rig.surface.setEnabled(false);
    RecordingSource source;
    rig.control.readProperties(source, "XpB1");
    EXPECT_EQ(source.names, kReadOrder);
    const XpbState& s = rig.control.state();
    EXPECT_EQ(s.ShowFocusRect, True16);
    EXPECT_EQ(s.Caption, "XpB1");
    EXPECT_EQ(s.PicturePosition, 1);
    EXPECT_EQ(s.ButtonStyle, 2);
    EXPECT_EQ(s.PictureWidth, 32);
    EXPECT_EQ(s.PictureHeight, 32);
    EXPECT_EQ(s.Picture, nullptr);
    EXPECT_TRUE(rig.control.EnabledCtrl());
    EXPECT_EQ(s.XPColor_Pressed, Colour{0x80000014});
    EXPECT_EQ(s.XPColor_Hover, Colour{0x80000016});
    EXPECT_EQ(s.XPDefaultColors, True16);
    EXPECT_EQ(s.MaskColor, Colour{0});
    EXPECT_EQ(s.UseMaskColor, 0);
    EXPECT_EQ(s.ButtonWidth, 145);
    EXPECT_EQ(s.ButtonHeight, 25);
    EXPECT_EQ(s.FocusRect, (Rect{4, 4, 141, 21}));
    EXPECT_EQ(rig.log, (test::Log{"repaint"}));
}

TEST(XpbSettings, WindowDesignValues) {
    Rig rig;
    const PropertyBag design{{"caption", std::string("Сохранить && В&ыйти")},
                             {"buttonstyle", 1},
                             {"showfocusrect", false},
                             {"xpdefaultcolors", false},
                             {"xpcolor_hover", 0},
                             {"xpcolor_pressed", 0},
                             {"pictureposition", 0},
                             {"picturewidth", 0},
                             {"pictureheight", 0}};
    rig.control.readProperties(design, "XpB2");
    const XpbState& s = rig.control.state();
    EXPECT_EQ(s.Caption, "Сохранить && В&ыйти");
    EXPECT_EQ(rig.control.accessKey(), U'ы');
    EXPECT_EQ(s.ButtonStyle, 1);
    EXPECT_EQ(s.ShowFocusRect, False16);
    EXPECT_EQ(s.XPDefaultColors, False16);
    EXPECT_EQ(s.XPColor_Hover, Colour{0});
    EXPECT_EQ(s.PicturePosition, 0);
    EXPECT_EQ(s.PictureWidth, 0);
    // What is read is written back the same.
    PropertyBag out;
    rig.control.writeProperties(out, "XpB2");
    EXPECT_EQ(out.readText("caption", ""), "Сохранить && В&ыйти");
    for (const std::string& name : design.names()) {
        if (name != "caption") {
            EXPECT_EQ(out.readInt(name, 12345), design.readInt(name, 12345)) << name;
        }
    }
    EXPECT_EQ(out.names().size(), design.names().size());
}

TEST(XpbSettings, FreshInstanceWritesItsZeroesInOrder) {
    Rig rig;
    PropertyBag bag;
    rig.control.writeProperties(bag, "XpB1");
    EXPECT_EQ(bag.names(),
              (std::vector<std::string>{"caption", "pictureposition", "buttonstyle", "picturewidth",
                                        "pictureheight", "showfocusrect", "xpcolor_pressed",
                                        "xpcolor_hover", "xpdefaultcolors"}));
    EXPECT_EQ(bag.readText("caption", "?"), "");
    EXPECT_EQ(bag.readInt("buttonstyle", 2), 0);
    EXPECT_FALSE(bag.readBool("showfocusrect", true));
    EXPECT_EQ(bag.readColour("xpcolor_hover", Colour{1}), Colour{0});
}

TEST(XpbSettings, EveryValueRoundTripsInWriteOrder) {
    Rig rig;
    auto picture = std::make_shared<TestPicture>(Picture::Kind::Icon, 16, 16, 0);
    const PropertyBag stored{{"caption", std::string("&ОК")},
                             {"pictureposition", 3},
                             {"buttonstyle", 3},
                             {"picture", PictureRef(picture)},
                             {"picturewidth", 20},
                             {"pictureheight", 24},
                             {"enabled", false},
                             {"showfocusrect", false},
                             {"xpcolor_pressed", Colour{0x112233}},
                             {"xpcolor_hover", Colour{0x445566}},
                             {"xpdefaultcolors", false},
                             {"maskcolor", Colour{0x80000005}},
                             {"usemaskcolor", true}};
    rig.control.readProperties(stored, "XpB1");
    // The stored picture size stands although the picture's own is 16 × 16.
    EXPECT_EQ(rig.control.state().PictureWidth, 20);
    EXPECT_EQ(rig.control.state().PictureHeight, 24);
    EXPECT_FALSE(rig.control.EnabledCtrl());
    EXPECT_EQ(rig.control.accessKey(), U'о');
    PropertyBag out;
    rig.control.writeProperties(out, "XpB1");
    EXPECT_EQ(out.names(), stored.names());
    for (const std::string& name : stored.names())
        EXPECT_TRUE(*out.find(name) == *stored.find(name)) << name;
}

TEST(XpbProperties, WritesRepaintOrNot) {
    auto picture = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, 0);
    const struct {
        const char* what;
        std::function<void(XpbControl&)> write;
        std::size_t repaints;
    } rows[] = {
        {"EnabledCtrl", [](XpbControl& c) { c.setEnabledCtrl(true); }, 1},
        {"ShowFocusRect", [](XpbControl& c) { c.setShowFocusRect(true); }, 1},
        {"Caption", [](XpbControl& c) { c.setCaption("x"); }, 1},
        {"ButtonStyle", [](XpbControl& c) { c.setButtonStyle(3); }, 1},
        {"PicturePosition", [](XpbControl& c) { c.setPicturePosition(2); }, 1},
        {"Picture", [&](XpbControl& c) { c.setPicture(picture); }, 1},
        {"MaskColor", [](XpbControl& c) { c.setMaskColor(Colour{5}); }, 1},
        {"UseMaskColor", [](XpbControl& c) { c.setUseMaskColor(true); }, 1},
        {"XPColor_Pressed", [](XpbControl& c) { c.setXPColor_Pressed(Colour{5}); }, 0},
        {"XPColor_Hover", [](XpbControl& c) { c.setXPColor_Hover(Colour{5}); }, 0},
        {"XPDefaultColors", [](XpbControl& c) { c.setXPDefaultColors(true); }, 0},
    };
    for (const auto& r : rows) {
        Rig rig;
        r.write(rig.control);
        EXPECT_EQ(rig.count("repaint"), r.repaints) << r.what;
    }
}

TEST(XpbProperties, ValuesAsWritten) {
    Rig rig;
    XpbControl& c = rig.control;
    c.setCaption("Save && E&xit");
    EXPECT_EQ(c.accessKey(), U'x');
    c.setCaption("Save && Exit");
    EXPECT_EQ(c.accessKey(), 0u);
    c.setUseMaskColor(true);
    EXPECT_EQ(c.state().UseMaskColor, -1);
    EXPECT_TRUE(c.UseMaskColor());
    c.setShowFocusRect(true);
    EXPECT_EQ(c.state().ShowFocusRect, True16);
    c.setXPDefaultColors(true);
    c.setXPColor_Hover(Colour{5});
    EXPECT_EQ(c.XPColor_Hover(), Colour{5});
    // The next paint of an enabled XP face puts the built-in colour back.
    c.setButtonStyle(kStyleXP);
    EXPECT_EQ(c.XPColor_Hover(), Colour{0x004799E1});
}

TEST(XpbProperties, PictureSetsItsSizeAndNoneKeepsIt) {
    Rig rig;
    XpbControl& c = rig.control;
    c.setPicture(std::make_shared<TestPicture>(Picture::Kind::Icon, 16, 24, 0));
    EXPECT_EQ(c.state().PictureWidth, 16);
    EXPECT_EQ(c.state().PictureHeight, 24);
    c.setPicture(nullptr);
    EXPECT_EQ(c.Picture(), nullptr);
    EXPECT_EQ(c.state().PictureWidth, 16);
    EXPECT_EQ(c.state().PictureHeight, 24);
    c.setPicture(std::make_shared<TestPicture>(Picture::Kind::Bitmap, 40, 8, 0));
    EXPECT_EQ(c.state().PictureWidth, 40);
    EXPECT_EQ(c.state().PictureHeight, 8);
}

TEST(XpbProperties, DisablingClearsPressAndHoverAtOnce) {
    Rig rig;
    rig.control.CalcSize();
    rig.control.setButtonStyle(kStyleXP);
    rig.control.focusEntered();
    rig.control.mouseMoved(1, 0, 1, 1);
    rig.control.setEnabledCtrl(false);
    EXPECT_EQ(rig.control.state().Pressed, 0);
    EXPECT_EQ(rig.control.state().Hover, 0);
    EXPECT_EQ(rig.control.state().Focused, 0);
    EXPECT_EQ(rig.surface.canvas.pixel(10, 10), test::grey(231)) << "disabled look";
}

TEST(CalcSize, GrowsBelowTenPixelsTo150Twips) {
    const struct {
        std::int32_t w, h;
        bool remeasures;
        std::int32_t wantW, wantH;
    } rows[] = {
        {145, 25, true, 145, 25}, {5, 25, true, 10, 25}, {145, 3, true, 145, 10},
        {0, 0, true, 10, 10},     {9, 9, false, 10, 10}, {10, 10, true, 10, 10},
        {3, 12, false, 10, 12},
    };
    for (const auto& r : rows) {
        Rig rig(r.w, r.h);
        rig.surface.remeasures = r.remeasures;
        rig.control.CalcSize();
        const XpbState& s = rig.control.state();
        EXPECT_EQ(s.ButtonWidth, r.wantW) << r.w << "x" << r.h;
        EXPECT_EQ(s.ButtonHeight, r.wantH) << r.w << "x" << r.h;
        EXPECT_EQ(rig.surface.width(), r.wantW);
        EXPECT_EQ(rig.surface.height(), r.wantH);
        EXPECT_EQ(s.FocusRect, (Rect{4, 4, r.wantW - 4, r.wantH - 4}));
        EXPECT_EQ(rig.surface.canvas.width(), r.wantW) << "painted at the new size";
    }
}

TEST(CalcSize, SurfaceThatCannotGrowIsNotAskedForever) {
    Rig rig(5, 5);
    rig.surface.resizable = false;
    rig.control.CalcSize();
    EXPECT_EQ(rig.control.state().ButtonWidth, 5);
    EXPECT_EQ(rig.control.state().FocusRect, (Rect{4, 4, 1, 1}));
    EXPECT_EQ(rig.count("repaint"), 1u);
}

}  // namespace
}  // namespace zoltrek
