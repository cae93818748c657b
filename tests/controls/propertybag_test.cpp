#include "propertybag.h"

#include <gtest/gtest.h>

namespace zoltrek {
namespace {

TEST(PropertyBag, NamesMatchWithoutCaseNumbersConvertOnRead) {
    PropertyBag bag{{"caption", std::string("ОК")},
                    {"showfocusrect", false},
                    {"enabled", 0},
                    {"maskcolor", Colour{0x80000005}},
                    {"usemaskcolor", -1}};
    bag.set("CAPTION", std::string("Да"));
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"caption", "showfocusrect", "enabled",
                                                     "maskcolor", "usemaskcolor"}));
    EXPECT_EQ(std::tuple(bag.readText("Caption", "XpB1"), bag.readBool("ShowFocusRect", true),
                         bag.readBool("Enabled", true), bag.readBool("UseMaskColor", false)),
              std::tuple("Да", false, false, true));
    EXPECT_EQ(bag.readColour("Enabled", Colour{0x80000016}), Colour{0});
    EXPECT_EQ(bag.readInt("MaskColor", 0), static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(std::tuple(bag.readInt("ButtonStyle", 2), bag.readPicture("Picture")),
              std::tuple(2, nullptr));
}

TEST(PropertyBag, ValueEqualToItsDefaultIsNotStored) {
    PropertyBag bag;
    bag.write("Caption", std::string("XpB1"), std::string("XpB1"));
    bag.write("PicturePosition", 0, 1);
    bag.write("ShowFocusRect", false, true);
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"PicturePosition", "ShowFocusRect"}));
    // Writing the default later removes what was stored before.
    bag.write("picturePosition", 1, 1);
    EXPECT_FALSE(bag.contains("PicturePosition"));
}

}  // namespace
}  // namespace zoltrek
