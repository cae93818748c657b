#include "controls/xpb/core/xpbcontrol.h"

#include "base/units.h"
#include "controls/xpb/core/accesskeys.h"
#include "controls/xpb/core/painter.h"
#include "controls/xpb/core/xpbpersistence.h"

namespace zoltrek {

namespace {

constexpr std::int32_t kMinimumPixels = 10;
constexpr std::int32_t kMinimumTwips = 150;
constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kSpace = 32;

}  // namespace

XpbControl::XpbControl(XpbSurface& surface, XpbEvents& events)
    : surface_(surface), events_(events) {}

char32_t XpbControl::accessKey() const {
    return SetAccessKeys(state_.Caption);
}

void XpbControl::changeEnabled(bool enabled) {
    surface_.setEnabled(enabled);
    state_.Focused = state_.Pressed = state_.Hover = 0;
    Refresh();
}

void XpbControl::changeCaption(std::string caption) {
    state_.Caption = std::move(caption);
    Refresh();
    surface_.captionChanged(accessKey());
}

void XpbControl::changePicture(PictureRef picture) {
    state_.Picture = std::move(picture);
    if (state_.Picture) {
        state_.PictureWidth = himetricToPixels(state_.Picture->widthHiMetric());
        state_.PictureHeight = himetricToPixels(state_.Picture->heightHiMetric());
    }
    Refresh();
}

void XpbControl::Refresh() {
    PaintTarget target{
        surface_.beginPaint(), surface_.enabled(),
        [this](std::int32_t w, std::int32_t h) -> Canvas& { return surface_.staging(w, h); }};
    const Painted painted = zoltrek::Refresh(state_, layout_, target);
    layout_ = painted.layout;
    state_.XPColor_Pressed = painted.XPColor_Pressed;
    state_.XPColor_Hover = painted.XPColor_Hover;
    state_.MaskColor = painted.MaskColor;
    surface_.endPaint();
}

void XpbControl::CalcSize() {
    const std::int32_t w = surface_.width(), h = surface_.height();
    state_.ButtonWidth = w;
    state_.ButtonHeight = h;
    // A surface whose resize does not measure it again is measured here; one that refuses
    // to grow is left as it is rather than asked forever.
    if (w < kMinimumPixels) {
        surface_.setWidthTwips(kMinimumTwips);
        if (state_.ButtonWidth == w && surface_.width() != w)
            CalcSize();
    }
    if (state_.ButtonHeight < kMinimumPixels) {
        const std::int32_t before = state_.ButtonHeight;
        surface_.setHeightTwips(kMinimumTwips);
        if (state_.ButtonHeight == before && surface_.height() != before)
            CalcSize();
    }
    state_.FocusRect = {4, 4, state_.ButtonWidth - 4, state_.ButtonHeight - 4};
    Refresh();
}

void XpbControl::readProperties(const PropertyBag& bag, std::string_view hostName) {
    readStoredSettings(state_, surface_, bag, hostName);
    CalcSize();
    surface_.captionChanged(accessKey());
}

void XpbControl::writeProperties(PropertyBag& bag, std::string_view hostName) const {
    writeStoredSettings(state_, surface_.enabled(), bag, hostName);
}

bool XpbControl::mouseReaches() const {
    return surface_.pointerOver() || surface_.holdsCapture();
}

bool XpbControl::mousePressed(std::int16_t button, std::int16_t shift, float x, float y) {
    if (!mouseReaches())
        return false;
    if (!surface_.holdsCapture())
        surface_.setCapture();
    if (button < 2) {
        state_.Pressed = 1;
        Refresh();
    }
    raise([&] { events_.MouseDown(button, shift, x, y); });
    return true;
}

bool XpbControl::mouseMoved(std::int16_t button, std::int16_t shift, float x, float y) {
    if (!mouseReaches())
        return false;
    if (state_.Hover == 0) {
        surface_.releaseCapture();
        state_.Pressed = static_cast<std::uint8_t>(button);
        state_.Hover = 1;
        if (!raise([&] { events_.MouseIn(shift); }))
            return true;
        Refresh();
        surface_.setCapture();
    } else if (!surface_.pointerOver()) {
        state_.Hover = 0;
        state_.Pressed = 0;
        if (!raise([&] { events_.MouseOut(shift); }))
            return true;
        Refresh();
        surface_.releaseCapture();
    }
    raise([&] { events_.MouseMove(button, shift, x, y); });
    return true;
}

bool XpbControl::mouseReleased(std::int16_t button, std::int16_t shift, float x, float y) {
    if (!mouseReaches())
        return false;
    const std::weak_ptr<int> alive = lifetime_;
    releaseSteps(button, shift, x, y, false);
    // With Hover back at 0 a capture kept would take the next click anywhere for an entering.
    if (!alive.expired() && surface_.holdsCapture())
        surface_.releaseCapture();
    return true;
}

void XpbControl::releaseSteps(std::int16_t button, std::int16_t shift, float x, float y,
                              bool clickAnywhere) {
    state_.Pressed = 0;
    state_.Hover = 0;
    if (button < 2) {
        Refresh();
        if ((clickAnywhere || surface_.pointerOver()) && !raise([&] { events_.Click(); }))
            return;
    }
    raise([&] { events_.MouseUp(button, shift, x, y); });
}

void XpbControl::keyPressed(std::int16_t keyCode, std::int16_t shift) {
    if (state_.Pressed == 0 && keyCode == kSpace) {
        state_.Pressed = 1;
        state_.Hover = 1;
        Refresh();
    }
    raise([&] { events_.KeyDown(keyCode, shift); });
}

void XpbControl::keyReleased(std::int16_t keyCode, std::int16_t shift) {
    if (keyCode == kSpace) {
        state_.Pressed = 0;
        state_.Hover = 0;
        Refresh();
        const std::weak_ptr<int> alive = lifetime_;
        // A keyboard user presses the focused button, wherever the mouse pointer happens to be.
        releaseSteps(kLeftButton, shift, 0.0f, 0.0f, true);
        if (alive.expired())
            return;
    }
    raise([&] { events_.KeyUp(keyCode, shift); });
}

void XpbControl::accessKeyPressed() {
    if (surface_.enabled())
        raise([&] { events_.Click(); });
}

void XpbControl::focusEntered() {
    state_.Hover = 0;
    state_.Focused = 1;
    Refresh();
}

void XpbControl::focusLeft() {
    state_.Focused = 0;
    state_.Pressed = 0;
    state_.Hover = 0;
    Refresh();
}

void XpbControl::captureLost() {
    if (state_.Hover == 0 && state_.Pressed == 0)
        return;
    state_.Hover = 0;
    state_.Pressed = 0;
    Refresh();
}

}  // namespace zoltrek
