#include "propertybag.h"

#include <gtest/gtest.h>

namespace zoltrek {
namespace {

TEST(PropertyBag, NamesMatchWithoutCaseMissingOnesReadTheirDefault) {
    PropertyBag bag{{"caption", std::string("ОК")}, {"buttonstyle", 1}};
    EXPECT_EQ(std::tuple(bag.readText("Caption", "XpB1"), bag.readText("CAPTION", "XpB1"),
                         bag.readInt("ButtonStyle", 2)),
              std::tuple("ОК", "ОК", 1));
    bag.set("BUTTONSTYLE", 3);
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"caption", "buttonstyle"}));
    EXPECT_EQ(bag.readInt("buttonstyle", 2), 3);
    const PropertyBag none;
    EXPECT_EQ(std::tuple(none.readText("Caption", "XpB1"), none.readInt("PicturePosition", 1),
                         none.readBool("ShowFocusRect", true), none.readPicture("Picture")),
              std::tuple("XpB1", 1, true, nullptr));
    EXPECT_EQ(none.readColour("XPColor_Hover", Colour{0x80000016}), Colour{0x80000016});
}

TEST(PropertyBag, NumericTypesConvertOnRead) {
    const PropertyBag bag{{"showfocusrect", false},
                          {"enabled", 0},
                          {"xpcolor_hover", 0},
                          {"maskcolor", Colour{0x80000005}},
                          {"usemaskcolor", -1}};
    EXPECT_EQ(std::tuple(bag.readBool("ShowFocusRect", true), bag.readBool("Enabled", true),
                         bag.readBool("UseMaskColor", false)),
              std::tuple(false, false, true));
    EXPECT_EQ(bag.readColour("XPColor_Hover", Colour{0x80000016}), Colour{0});
    EXPECT_EQ(bag.readInt("MaskColor", 0), static_cast<std::int32_t>(0x80000005));
}

TEST(PropertyBag, ValueEqualToItsDefaultIsNotStored) {
    PropertyBag bag;
    bag.write("Caption", std::string("XpB1"), std::string("XpB1"));
    bag.write("PicturePosition", 0, 1);
    bag.write("ButtonStyle", 2, 2);
    bag.write("ShowFocusRect", false, true);
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"PicturePosition", "ShowFocusRect"}));
    // Writing the default later removes what was stored before.
    bag.write("picturePosition", 1, 1);
    EXPECT_FALSE(bag.contains("PicturePosition"));
}

}  // namespace
}  // namespace zoltrek
