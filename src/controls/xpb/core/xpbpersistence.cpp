#include "accesskeys.h"
#include "xpbcontrol.h"

namespace zoltrek {

namespace {

constexpr Colour kDefaultRingPressed{0x80000014u};
constexpr Colour kDefaultRingHover{0x80000016u};

}  // namespace

void XpbControl::readProperties(const SettingsSource& source, std::string_view hostName) {
    state_.ShowFocusRect = toBool16(source.readBool("ShowFocusRect", true));
    state_.Caption = source.readText("Caption", hostName);
    state_.PicturePosition = source.readInt("PicturePosition", kPictureLeft);
    state_.ButtonStyle = source.readInt("ButtonStyle", 2);
    state_.PictureWidth = source.readInt("PictureWidth", 32);
    state_.PictureHeight = source.readInt("PictureHeight", 32);
    // The stored picture size stands even when the picture's own size differs.
    state_.Picture = source.readPicture("Picture");
    surface_.setEnabled(source.readBool("Enabled", true));
    state_.XPColor_Pressed = source.readColour("XPColor_Pressed", kDefaultRingPressed);
    state_.XPColor_Hover = source.readColour("XPColor_Hover", kDefaultRingHover);
    state_.XPDefaultColors = toBool16(source.readBool("XPDefaultColors", true));
    state_.MaskColor = source.readColour("MaskColor", Colour{0});
    state_.UseMaskColor = source.readInt("UseMaskColor", 0);
    accessKey_ = SetAccessKeys(state_.Caption);
    CalcSize();
}

void XpbControl::readProperties(const PropertyBag& bag, std::string_view hostName) {
    readProperties(BagSettings(bag), hostName);
}

void XpbControl::writeProperties(PropertyBag& bag, std::string_view hostName) const {
    using Value = PropertyBag::Value;
    bag.write("caption", state_.Caption, std::string(hostName));
    bag.write("pictureposition", state_.PicturePosition, kPictureLeft);
    bag.write("buttonstyle", state_.ButtonStyle, 2);
    bag.write("picture", state_.Picture, Value(PictureRef()));
    bag.write("picturewidth", state_.PictureWidth, 32);
    bag.write("pictureheight", state_.PictureHeight, 32);
    bag.write("enabled", surface_.enabled(), true);
    bag.write("showfocusrect", state_.ShowFocusRect != kFalse16, true);
    bag.write("xpcolor_pressed", state_.XPColor_Pressed, kDefaultRingPressed);
    bag.write("xpcolor_hover", state_.XPColor_Hover, kDefaultRingHover);
    bag.write("xpdefaultcolors", state_.XPDefaultColors != kFalse16, true);
    bag.write("maskcolor", state_.MaskColor, Colour{0});
    bag.write("usemaskcolor", state_.UseMaskColor != 0, false);
}

}  // namespace zoltrek
