#include "xpbcontrol.h"

#include "accesskeys.h"
#include "painter.h"
#include "units.h"

namespace zoltrek {

namespace {

constexpr std::int32_t kMinimumPixels = 10;
constexpr std::int32_t kMinimumTwips = 150;

}  // namespace

XpbControl::XpbControl(XpbSurface& surface, XpbEvents& events)
    : surface_(surface), events_(events) {}

bool XpbControl::EnabledCtrl() const {
    return surface_.enabled();
}

void XpbControl::setEnabledCtrl(bool enabled) {
    surface_.setEnabled(enabled);
    state_.Focused = state_.Pressed = state_.Hover = 0;
    Refresh();
}

void XpbControl::setShowFocusRect(bool show) {
    state_.ShowFocusRect = toBool16(show);
    Refresh();
}

void XpbControl::setCaption(std::string caption) {
    state_.Caption = std::move(caption);
    accessKey_ = SetAccessKeys(state_.Caption);
    Refresh();
}

void XpbControl::setButtonStyle(std::int32_t style) {
    state_.ButtonStyle = style;
    Refresh();
}

void XpbControl::setPicturePosition(std::int32_t position) {
    state_.PicturePosition = position;
    Refresh();
}

void XpbControl::setPicture(PictureRef picture) {
    state_.Picture = std::move(picture);
    if (state_.Picture) {
        state_.PictureWidth = himetricToPixels(state_.Picture->widthHiMetric());
        state_.PictureHeight = himetricToPixels(state_.Picture->heightHiMetric());
    }
    Refresh();
}

void XpbControl::setMaskColor(Colour colour) {
    state_.MaskColor = colour;
    Refresh();
}

void XpbControl::setUseMaskColor(bool use) {
    state_.UseMaskColor = toBool16(use);
    Refresh();
}

void XpbControl::Refresh() {
    PaintTarget target{
        surface_.beginPaint(), surface_.enabled(),
        [this](std::int32_t w, std::int32_t h) -> Canvas& { return surface_.staging(w, h); }};
    zoltrek::Refresh(state_, target);
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

}  // namespace zoltrek
