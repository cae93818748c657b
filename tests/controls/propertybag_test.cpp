#include "propertybag.h"

#include <gtest/gtest.h>

namespace zoltrek {
namespace {

TEST(PropertyBag, NamesMatchWithoutCase) {
    PropertyBag bag{{"caption", std::string("ОК")}, {"buttonstyle", 1}};
    EXPECT_EQ(bag.readText("Caption", "XpB1"), "ОК");
    EXPECT_EQ(bag.readText("CAPTION", "XpB1"), "ОК");
    EXPECT_EQ(bag.readInt("ButtonStyle", 2), 1);
    bag.set("BUTTONSTYLE", 3);
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"caption", "buttonstyle"}));
    EXPECT_EQ(bag.readInt("buttonstyle", 2), 3);
}

TEST(PropertyBag, MissingNameReadsItsDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.readText("Caption", "XpB1"), "XpB1");
    EXPECT_EQ(bag.readInt("PicturePosition", 1), 1);
    EXPECT_TRUE(bag.readBool("ShowFocusRect", true));
    EXPECT_EQ(bag.readColour("XPColor_Hover", Colour{0x80000016}), Colour{0x80000016});
    EXPECT_EQ(bag.readPicture("Picture"), nullptr);
}

TEST(PropertyBag, NumericTypesConvertOnRead) {
    const PropertyBag bag{{"showfocusrect", false},
                          {"enabled", 0},
                          {"xpcolor_hover", 0},
                          {"maskcolor", Colour{0x80000005}},
                          {"usemaskcolor", -1}};
    EXPECT_FALSE(bag.readBool("ShowFocusRect", true));
    EXPECT_FALSE(bag.readBool("Enabled", true));
    EXPECT_EQ(bag.readColour("XPColor_Hover", Colour{0x80000016}), Colour{0});
    EXPECT_EQ(bag.readInt("MaskColor", 0), static_cast<std::int32_t>(0x80000005));
    EXPECT_TRUE(bag.readBool("UseMaskColor", false));
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
