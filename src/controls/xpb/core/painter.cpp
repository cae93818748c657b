#include "controls/xpb/core/painter.h"

#include <algorithm>

#include "base/syscolors.h"
#include "base/units.h"
#include "controls/xpb/core/colour.h"
#include "controls/xpb/core/layout.h"
#include "controls/xpb/core/xpface.h"

namespace zoltrek {

namespace {

// The staging surface never shrinks below its designed size.
constexpr std::int32_t kStagingWidth = 83;
constexpr std::int32_t kStagingHeight = 55;

void drawBorder(const XpbState& state, Canvas& c) {
    const std::int32_t w = state.ButtonWidth, h = state.ButtonHeight;
    if (state.Pressed == 1) {
        PaintRect(c, {0, 0, w, h}, systemColour(COLOR_BTNHIGHLIGHT), 0);
        PaintRect(c, {0, 0, w + 1, h + 1}, 0, 0);
    } else if (state.Hover == 1 || state.ButtonStyle == kStyleStandard) {
        PaintRect(c, {0, 0, w, h}, 0, 0);
        PaintRect(c, {0, 0, w + 1, h + 1}, systemColour(COLOR_BTNHIGHLIGHT), 0);
    }
}

void drawCaptionAt(const XpbState& state, Canvas& c, const Rect& r, Rgb colour) {
    const TextBlock block = captionBlock(state, r, c);
    const std::int32_t room = r.width() - 2 * kCaptionMargin;
    std::int32_t y = r.top;
    for (const TextLine& line : block.lines) {
        // Centred as the platform's text drawing does, with integer division.
        const std::int32_t x = r.left + kCaptionMargin + (room - c.textWidth(line.text)) / 2;
        c.drawTextLine(x, y, line, colour);
        y += c.lineHeight();
    }
}

// Stages the bitmap and copies it without its mask colour, which it returns.
Colour drawBitmap(const XpbState& state, PaintTarget& target, const Picture& picture,
                  const Rect& r) {
    const std::int32_t naturalWidth = himetricToPixels(picture.widthHiMetric());
    const std::int32_t naturalHeight = himetricToPixels(picture.heightHiMetric());
    Canvas& stage = target.staging(std::max(naturalWidth, kStagingWidth),
                                   std::max(naturalHeight, kStagingHeight));
    stage.clear(TranslateColor(systemColour(COLOR_WINDOW)));
    stage.drawPicture(picture, 0, 0);
    const Colour mask =
        state.UseMaskColor == 0 ? Colour{TranslateColor(stage.pixel(0, 0))} : state.MaskColor;
    // No other event runs between staging and copying: a repaint is never entered twice.
    target.surface.transparentCopy(stage, {0, 0, r.width(), r.height()}, r.left, r.top, mask.value);
    return mask;
}

}  // namespace

void PaintRect(Canvas& canvas, const Rect& r, std::uint32_t colour, std::uint8_t fill) {
    if (fill == 1)
        canvas.fillRect(r, TranslateColor(colour));
    else
        canvas.frameRect(r, TranslateColor(colour));
}

void DrawCaption(const XpbState& state, const Rect& captionRect, PaintTarget& target) {
    Canvas& c = target.surface;
    if (target.enabled) {
        const std::int32_t shift = state.Pressed == 1 ? 1 : 0;
        drawCaptionAt(state, c, captionRect.moved(shift, shift),
                      TranslateColor(systemColour(COLOR_BTNTEXT)));
        return;
    }
    drawCaptionAt(state, c, captionRect.moved(1, 1),
                  TranslateColor(systemColour(COLOR_BTNHIGHLIGHT)));
    drawCaptionAt(state, c, captionRect, TranslateColor(systemColour(COLOR_BTNSHADOW)));
}

void DrawPicture(const XpbState& state, PaintTarget& target, Painted& painted) {
    const Picture& picture = *state.Picture;
    const Rect r = painted.layout.PictureRect.moved(state.Pressed, state.Pressed);
    if (!target.enabled)
        target.surface.drawPictureDisabled(picture, r.left, r.top);
    else if (picture.kind() == Picture::Kind::Bitmap)
        painted.MaskColor = drawBitmap(state, target, picture, r);
    else
        target.surface.drawPictureScaled(picture, r, state.PictureWidth, state.PictureHeight);
}

Painted Refresh(const XpbState& state, const XpbLayout& previous, PaintTarget& target) {
    Painted painted{previous, state.XPColor_Pressed, state.XPColor_Hover, state.MaskColor};
    Canvas& c = target.surface;
    c.clear(TranslateColor(systemColour(COLOR_BTNFACE)));
    if (state.ButtonStyle == kStyleXP)
        DrawXPFace(state, target, painted);
    else
        drawBorder(state, c);
    painted.layout = CalcLayout(state, previous, c);
    if (!state.Caption.empty())
        DrawCaption(state, painted.layout.CaptionRect, target);
    if (state.Picture)
        DrawPicture(state, target, painted);
    if (state.Focused == 1 && state.ShowFocusRect != kFalse16 && state.ButtonStyle != kStyleXP)
        c.invertFocusRect(state.FocusRect);
    return painted;
}

}  // namespace zoltrek
