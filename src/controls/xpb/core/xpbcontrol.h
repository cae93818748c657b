#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "controls/propertybag.h"
#include "controls/xpb/core/layout.h"
#include "controls/xpb/core/surface.h"
#include "controls/xpb/core/xpbproperties.h"
#include "controls/xpb/core/xpbstate.h"

namespace zoltrek {

// The owner-drawn push button without its toolkit: properties, stored settings, painting
// and input, over a surface that the platform provides.
class XpbControl : public XpbProperties<XpbControl> {
  public:
    XpbControl(XpbSurface& surface, XpbEvents& events);
    XpbControl(const XpbControl&) = delete;
    XpbControl& operator=(const XpbControl&) = delete;

    const XpbState& state() const { return state_; }
    // Where the last repaint put the picture and the caption.
    const XpbLayout& layout() const { return layout_; }
    // The lower-case access key of the caption, 0 when there is none.
    char32_t accessKey() const;

    // Repaints the whole button.
    void Refresh();
    // Measures the surface, growing it to 150 twips in a direction below 10 pixels; repaints.
    void CalcSize();

    // Stored settings: the host applies the extents first, then hands them over.
    void readProperties(const PropertyBag& bag, std::string_view hostName);
    void writeProperties(PropertyBag& bag, std::string_view hostName) const;

    // Input from the platform: Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
    // The mouse reaches a button only while the pointer is over it or while it holds the
    // capture, which a press takes and the release ends; false when it does not reach it.
    bool mousePressed(std::int16_t button, std::int16_t shift, float x, float y);
    bool mouseMoved(std::int16_t button, std::int16_t shift, float x, float y);
    bool mouseReleased(std::int16_t button, std::int16_t shift, float x, float y);
    void keyPressed(std::int16_t keyCode, std::int16_t shift);
    void keyReleased(std::int16_t keyCode, std::int16_t shift);
    void accessKeyPressed();
    void focusEntered();
    void focusLeft();
    // The platform took the capture away (a modal window, hiding, disabling): the button
    // stops showing itself under the pointer, so the next movement enters it afresh.
    void captureLost();

  private:
    template <typename>
    friend class XpbProperties;

    XpbControl& control() { return *this; }
    const XpbControl& control() const { return *this; }

    template <typename Value>
    void write(Value XpbState::*field, std::type_identity_t<Value> value, bool repaint = true) {
        state_.*field = std::move(value);
        if (repaint)
            Refresh();
    }
    void changeEnabled(bool enabled);
    void changeCaption(std::string caption);
    void changePicture(PictureRef picture);
    bool mouseReaches() const;
    // A release of `button`; the left one clicks when the pointer is over the button, or anywhere.
    void releaseSteps(std::int16_t button, std::int16_t shift, float x, float y,
                      bool clickAnywhere);

    // Raises an event; false when its handler destroyed this control.
    template <typename Raise>
    bool raise(Raise&& event);

    XpbSurface& surface_;
    XpbEvents& events_;
    XpbState state_;
    XpbLayout layout_;
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

template <typename Raise>
bool XpbControl::raise(Raise&& event) {
    const std::weak_ptr<int> alive = lifetime_;
    event();
    return !alive.expired();
}

}  // namespace zoltrek
