#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "controls/propertybag.h"
#include "controls/xpb/core/xpbstate.h"

namespace zoltrek {

// The button's public properties, written once for its logic and for the widget around it:
// `Host` gives the control through `control()`. Every write but the ring colours and their
// switch repaints.
template <typename Host>
class XpbProperties {
  public:
    bool EnabledCtrl() const { return core().surface_.enabled(); }
    void setEnabledCtrl(bool enabled) { core().changeEnabled(enabled); }
    bool ShowFocusRect() const { return core().state_.ShowFocusRect != kFalse16; }
    void setShowFocusRect(bool show) { core().write(&XpbState::ShowFocusRect, toBool16(show)); }
    const std::string& Caption() const { return core().state_.Caption; }
    void setCaption(std::string caption) { core().changeCaption(std::move(caption)); }
    std::int32_t ButtonStyle() const { return core().state_.ButtonStyle; }
    void setButtonStyle(std::int32_t style) { core().write(&XpbState::ButtonStyle, style); }
    std::int32_t PicturePosition() const { return core().state_.PicturePosition; }
    void setPicturePosition(std::int32_t position) {
        core().write(&XpbState::PicturePosition, position);
    }
    const PictureRef& Picture() const { return core().state_.Picture; }
    void setPicture(PictureRef picture) { core().changePicture(std::move(picture)); }
    Colour XPColor_Pressed() const { return core().state_.XPColor_Pressed; }
    void setXPColor_Pressed(Colour colour) {
        core().write(&XpbState::XPColor_Pressed, colour, false);
    }
    Colour XPColor_Hover() const { return core().state_.XPColor_Hover; }
    void setXPColor_Hover(Colour colour) { core().write(&XpbState::XPColor_Hover, colour, false); }
    bool XPDefaultColors() const { return core().state_.XPDefaultColors != kFalse16; }
    void setXPDefaultColors(bool on) {
        core().write(&XpbState::XPDefaultColors, toBool16(on), false);
    }
    Colour MaskColor() const { return core().state_.MaskColor; }
    void setMaskColor(Colour colour) { core().write(&XpbState::MaskColor, colour); }
    bool UseMaskColor() const { return core().state_.UseMaskColor != 0; }
    void setUseMaskColor(bool use) {
        core().write(&XpbState::UseMaskColor, std::int32_t{toBool16(use)});
    }

  private:
    auto& core() { return static_cast<Host&>(*this).control(); }
    const auto& core() const { return static_cast<const Host&>(*this).control(); }
};

}  // namespace zoltrek
