#include "controls/xpb/core/xpface.h"

#include "base/syscolors.h"
#include "base/units.h"
#include "controls/xpb/core/colour.h"

namespace zoltrek {

namespace {

constexpr Colour kBuiltInPressed{rgb(140, 170, 230)};
constexpr Colour kBuiltInHover{rgb(225, 153, 71)};

// The step is kept in single precision, as the gradient was designed with it.
float gradientStep(double range, std::int32_t h) {
    return static_cast<float>(range / h);
}

std::int32_t gradientShift(float step, std::int32_t i) {
    return roundHalfEven(-static_cast<double>(step) * i);
}

void drawPressedGradient(Canvas& c, std::int32_t w, std::int32_t h, Rgb light) {
    const float step = gradientStep(25.0, h);
    const Rgb c0 = ShiftColor(light, -32);
    for (std::int32_t i = 1; i <= h; ++i)
        c.line(0, h - i, w, h - i, ShiftColor(c0, gradientShift(step, i)));
}

void drawNormalGradient(Canvas& c, std::int32_t w, std::int32_t h) {
    const float step = gradientStep(50.0, h);
    for (std::int32_t i = 1; i <= h; ++i)
        c.line(0, i, w, i, ShiftColor(0xFFFFFF, gradientShift(step, i)));
}

void drawRing(Canvas& c, std::int32_t w, std::int32_t h, Rgb ring) {
    PaintRect(c, {1, 2, w - 1, h - 2}, ring, 0);
    c.line(2, h - 2, w - 2, h - 2, ShiftColor(ring, -40));
    c.line(2, 1, w - 2, 1, ShiftColor(ring, 90));
    c.line(1, 2, w - 1, 2, ShiftColor(ring, 35));
    c.line(2, 3, 2, h - 3, ShiftColor(ring, 20));
    c.line(w - 3, 3, w - 3, h - 3, ShiftColor(ring, 20));
    c.setPixel(3, h - 4, ring);
    c.setPixel(w - 4, h - 4, ring);
    c.setPixel(w - 4, 3, ShiftColor(ring, 35));
    c.setPixel(3, 3, ShiftColor(ring, 35));
}

// Three pixels of button face and one inner pixel of the corner colour round each corner;
// the face covers the whole 2 × 2 block at every corner, the bottom-right one included.
void drawCorners(Canvas& c, std::int32_t w, std::int32_t h, Rgb corner) {
    const Rgb face = TranslateColor(systemColour(COLOR_BTNFACE));
    c.fillRect({0, 0, 2, 2}, face);
    c.fillRect({0, h - 2, 2, h}, face);
    c.fillRect({w - 2, 0, w, 2}, face);
    c.fillRect({w - 2, h - 2, w, h}, face);
    c.setPixel(1, 1, corner);
    c.setPixel(1, h - 2, corner);
    c.setPixel(w - 2, 1, corner);
    c.setPixel(w - 2, h - 2, corner);
}

}  // namespace

void DrawXPFace(const XpbState& state, PaintTarget& target, Painted& painted) {
    Canvas& c = target.surface;
    const std::uint8_t pressed = state.Pressed, hover = state.Hover;
    const std::int32_t w = state.ButtonWidth, h = state.ButtonHeight;
    const Rgb light = ShiftColor(TranslateColor(systemColour(COLOR_BTNFACE)), 48);
    Rgb corner = 0;
    if (target.enabled) {
        if (state.XPDefaultColors != kFalse16) {
            painted.XPColor_Pressed = kBuiltInPressed;
            painted.XPColor_Hover = kBuiltInHover;
        }
        if (h == 0)
            return;
        if (pressed != 0) {
            drawPressedGradient(c, w, h, light);
            PaintRect(c, {0, 0, w, h}, systemColour(COLOR_3DDKSHADOW), 0);
        } else {
            drawNormalGradient(c, w, h);
            PaintRect(c, {0, 0, w, h}, systemColour(COLOR_3DDKSHADOW), 0);
            if (state.Focused == 1 || hover == 1)
                drawRing(c, w, h,
                         TranslateColor(hover == 1 ? painted.XPColor_Hover.value
                                                   : painted.XPColor_Pressed.value));
        }
        // The inner corners take the value 0x80000000 untranslated: its RGB bits are black.
        corner = 0x80000000u & 0x00FFFFFFu;
    } else {
        PaintRect(c, {0, 0, w, h}, ShiftColor(light, -24), 1);
        PaintRect(c, {0, 0, w, h}, ShiftColor(light, -84), 0);
        corner = ShiftColor(light, -72);
    }
    drawCorners(c, w, h, corner);
}

}  // namespace zoltrek
