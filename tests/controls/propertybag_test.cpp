#include "controls/propertybag.h"

#include <gtest/gtest.h>

namespace zoltrek {
namespace {

// Names match without case; a number reads as any numeric type, a missing name as the default;
// writing a value equal to its default drops what was stored, others keep their first place.
TEST(PropertyBag, ReadsByNameWithoutCaseAndDropsDefaults) {
    PropertyBag bag{{"caption", std::string("ОК")},
                    {"showfocusrect", false},
                    {"enabled", 0},
                    {"maskcolor", Colour{0x80000005}},
                    {"usemaskcolor", true}};
    bag.set("CAPTION", std::string("Да"));
    EXPECT_EQ(std::tuple(bag.readText("Caption", "XpB1"), bag.readBool("ShowFocusRect", true),
                         bag.readBool("Enabled", true), bag.readInt("UseMaskColor", 0),
                         bag.readColour("Enabled", Colour{7}), bag.readInt("MaskColor", 0)),
              std::tuple("Да", false, false, -1, Colour{0}, std::int32_t(0x80000005)));
    EXPECT_EQ(std::tuple(bag.readInt("ButtonStyle", 2), bag.readPicture("Picture")),
              std::tuple(2, nullptr));
    bag.write("ShowFocusRect", true, true);
    bag.write("Caption", std::string("Нет"), std::string());
    bag.write("PicturePosition", 0, 1);
    bag.write("ButtonStyle", 2, 2);
    EXPECT_EQ(bag.names(), (std::vector<std::string>{"caption", "enabled", "maskcolor",
                                                     "usemaskcolor", "PicturePosition"}));
    EXPECT_EQ(bag.readText("caption", ""), "Нет");
}

}  // namespace
}  // namespace zoltrek
