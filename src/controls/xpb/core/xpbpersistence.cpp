#include "controls/xpb/core/xpbpersistence.h"

#include <string>

namespace zoltrek {

namespace {

constexpr std::int32_t kDefaultStyle = 2;
constexpr std::int32_t kDefaultPictureSize = 32;
constexpr Colour kDefaultRingPressed{0x80000014u};
constexpr Colour kDefaultRingHover{0x80000016u};

}  // namespace

void readStoredSettings(XpbState& state, XpbSurface& surface, const PropertyBag& bag,
                        std::string_view hostName) {
    state.ShowFocusRect = toBool16(bag.readBool("ShowFocusRect", true));
    state.Caption = bag.readText("Caption", hostName);
    state.PicturePosition = bag.readInt("PicturePosition", kPictureLeft);
    state.ButtonStyle = bag.readInt("ButtonStyle", kDefaultStyle);
    state.PictureWidth = bag.readInt("PictureWidth", kDefaultPictureSize);
    state.PictureHeight = bag.readInt("PictureHeight", kDefaultPictureSize);
    // The stored picture size stands even when the picture's own size differs.
    state.Picture = bag.readPicture("Picture");
    surface.setEnabled(bag.readBool("Enabled", true));
    state.XPColor_Pressed = bag.readColour("XPColor_Pressed", kDefaultRingPressed);
    state.XPColor_Hover = bag.readColour("XPColor_Hover", kDefaultRingHover);
    state.XPDefaultColors = toBool16(bag.readBool("XPDefaultColors", true));
    state.MaskColor = bag.readColour("MaskColor", Colour{0});
    state.UseMaskColor = bag.readInt("UseMaskColor", 0);
}

void writeStoredSettings(const XpbState& state, bool enabled, PropertyBag& bag,
                         std::string_view hostName) {
    using Value = PropertyBag::Value;
    bag.write("caption", state.Caption, std::string(hostName));
    bag.write("pictureposition", state.PicturePosition, kPictureLeft);
    bag.write("buttonstyle", state.ButtonStyle, kDefaultStyle);
    bag.write("picture", state.Picture, Value(PictureRef()));
    bag.write("picturewidth", state.PictureWidth, kDefaultPictureSize);
    bag.write("pictureheight", state.PictureHeight, kDefaultPictureSize);
    bag.write("enabled", enabled, true);
    bag.write("showfocusrect", state.ShowFocusRect != kFalse16, true);
    bag.write("xpcolor_pressed", state.XPColor_Pressed, kDefaultRingPressed);
    bag.write("xpcolor_hover", state.XPColor_Hover, kDefaultRingHover);
    bag.write("xpdefaultcolors", state.XPDefaultColors != kFalse16, true);
    bag.write("maskcolor", state.MaskColor, Colour{0});
    bag.write("usemaskcolor", state.UseMaskColor != 0, false);
}

}  // namespace zoltrek
