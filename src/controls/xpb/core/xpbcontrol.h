#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "propertybag.h"
#include "settingssource.h"
#include "surface.h"
#include "xpbstate.h"

namespace zoltrek {

// The owner-drawn push button without its toolkit: properties, stored settings, painting
// and input, over a surface that the platform provides.
class XpbControl {
  public:
    XpbControl(XpbSurface& surface, XpbEvents& events);
    XpbControl(const XpbControl&) = delete;
    XpbControl& operator=(const XpbControl&) = delete;

    const XpbState& state() const { return state_; }
    // The lower-case access key of the caption, 0 when there is none.
    char32_t accessKey() const { return accessKey_; }

    // Public properties; every write but the ring colours and their switch repaints.
    bool EnabledCtrl() const;
    void setEnabledCtrl(bool enabled);
    bool ShowFocusRect() const { return state_.ShowFocusRect != kFalse16; }
    void setShowFocusRect(bool show);
    const std::string& Caption() const { return state_.Caption; }
    void setCaption(std::string caption);
    std::int32_t ButtonStyle() const { return state_.ButtonStyle; }
    void setButtonStyle(std::int32_t style);
    std::int32_t PicturePosition() const { return state_.PicturePosition; }
    void setPicturePosition(std::int32_t position);
    const PictureRef& Picture() const { return state_.Picture; }
    void setPicture(PictureRef picture);
    Colour XPColor_Pressed() const { return state_.XPColor_Pressed; }
    void setXPColor_Pressed(Colour colour) { state_.XPColor_Pressed = colour; }
    Colour XPColor_Hover() const { return state_.XPColor_Hover; }
    void setXPColor_Hover(Colour colour) { state_.XPColor_Hover = colour; }
    bool XPDefaultColors() const { return state_.XPDefaultColors != kFalse16; }
    void setXPDefaultColors(bool on) { state_.XPDefaultColors = toBool16(on); }
    Colour MaskColor() const { return state_.MaskColor; }
    void setMaskColor(Colour colour);
    bool UseMaskColor() const { return state_.UseMaskColor != 0; }
    void setUseMaskColor(bool use);

    // Repaints the whole button.
    void Refresh();
    // Measures the surface, growing it to 150 twips in a direction below 10 pixels; repaints.
    void CalcSize();

    // Stored settings: the host applies the extents first, then hands them over.
    void readProperties(const SettingsSource& source, std::string_view hostName);
    void readProperties(const PropertyBag& bag, std::string_view hostName);
    void writeProperties(PropertyBag& bag, std::string_view hostName) const;

    // Input from the platform: Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
    void mousePressed(std::int16_t button, std::int16_t shift, float x, float y);
    void mouseMoved(std::int16_t button, std::int16_t shift, float x, float y);
    void mouseReleased(std::int16_t button, std::int16_t shift, float x, float y);
    void keyPressed(std::int16_t keyCode, std::int16_t shift);
    void keyReleased(std::int16_t keyCode, std::int16_t shift);
    void accessKeyPressed();
    void focusEntered();
    void focusLeft();
    // The platform took the capture away (a modal window, hiding, disabling): the button
    // stops showing itself under the pointer, so the next movement enters it afresh.
    void captureLost();

  private:
    // Raises an event; false when its handler destroyed this control.
    template <typename Raise>
    bool raise(Raise&& event);

    XpbSurface& surface_;
    XpbEvents& events_;
    XpbState state_;
    char32_t accessKey_ = 0;
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

template <typename Raise>
bool XpbControl::raise(Raise&& event) {
    const std::weak_ptr<int> alive = lifetime_;
    event();
    return !alive.expired();
}

}  // namespace zoltrek
