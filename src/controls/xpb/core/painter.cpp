#include "painter.h"

#include <algorithm>

#include "colour.h"
#include "layout.h"
#include "syscolors.h"
#include "units.h"

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

void drawBitmap(XpbState& state, PaintTarget& target, const Picture& picture, const Rect& r) {
    const std::int32_t naturalWidth = himetricToPixels(picture.widthHiMetric());
    const std::int32_t naturalHeight = himetricToPixels(picture.heightHiMetric());
    Canvas& stage = target.staging(std::max(naturalWidth, kStagingWidth),
                                   std::max(naturalHeight, kStagingHeight));
    stage.clear(TranslateColor(systemColour(COLOR_WINDOW)));
    stage.drawPicture(picture, 0, 0);
    if (state.UseMaskColor == 0)
        state.MaskColor = Colour{TranslateColor(stage.pixel(0, 0))};
    // No other event runs between staging and copying: a repaint is never entered twice.
    target.surface.transparentCopy(stage, {0, 0, r.width(), r.height()}, r.left, r.top,
                                   state.MaskColor.value);
}

}  // namespace

void PaintRect(Canvas& canvas, const Rect& r, std::uint32_t colour, std::uint8_t fill) {
    if (fill == 1)
        canvas.fillRect(r, TranslateColor(colour));
    else
        canvas.frameRect(r, TranslateColor(colour));
}

void DrawCaption(const XpbState& state, PaintTarget& target) {
    Canvas& c = target.surface;
    if (target.enabled) {
        const std::int32_t shift = state.Pressed == 1 ? 1 : 0;
        drawCaptionAt(state, c, state.CaptionRect.moved(shift, shift),
                      TranslateColor(systemColour(COLOR_BTNTEXT)));
        return;
    }
    drawCaptionAt(state, c, state.CaptionRect.moved(1, 1),
                  TranslateColor(systemColour(COLOR_BTNHIGHLIGHT)));
    drawCaptionAt(state, c, state.CaptionRect, TranslateColor(systemColour(COLOR_BTNSHADOW)));
}

void DrawPicture(XpbState& state, PaintTarget& target) {
    const Picture& picture = *state.Picture;
    const Rect r = state.PictureRect.moved(state.Pressed, state.Pressed);
    if (!target.enabled)
        target.surface.drawPictureDisabled(picture, r.left, r.top);
    else if (picture.kind() == Picture::Kind::Bitmap)
        drawBitmap(state, target, picture, r);
    else
        target.surface.drawPictureScaled(picture, r, state.PictureWidth, state.PictureHeight);
}

void Refresh(XpbState& state, PaintTarget& target) {
    Canvas& c = target.surface;
    c.clear(TranslateColor(systemColour(COLOR_BTNFACE)));
    if (state.ButtonStyle == kStyleXP)
        DrawXPFace(state, target, state.Pressed, state.Hover);
    else
        drawBorder(state, c);
    CalcLayout(state, c);
    if (!state.Caption.empty())
        DrawCaption(state, target);
    if (state.Picture)
        DrawPicture(state, target);
    if (state.Focused == 1 && state.ShowFocusRect != kFalse16 && state.ButtonStyle != kStyleXP)
        c.invertFocusRect(state.FocusRect);
}

}  // namespace zoltrek
