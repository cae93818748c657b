#include "layout.h"

#include <algorithm>
#include <limits>

#include "textlayout.h"
#include "units.h"

namespace zoltrek {

namespace {

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

Rect rectAt(std::int32_t left, std::int32_t top, std::int64_t width, std::int64_t height) {
    return {left, top, saturate(left + width), saturate(top + height)};
}

// Centres a length within the content along one axis; the halving is done in double.
std::int32_t centred(std::int32_t start, std::int32_t room, std::int64_t length) {
    return roundHalfEven(start + (static_cast<double>(room) - static_cast<double>(length)) / 2.0);
}

}  // namespace

TextBlock captionBlock(const XpbState& state, const Rect& rect, const Canvas& canvas) {
    return wrapText(stripMnemonics(state.Caption), rect.width() - 2 * kCaptionMargin, canvas);
}

void CalcCaptionRect(XpbState& state, const Canvas& canvas) {
    const TextBlock block = captionBlock(state, state.CaptionRect, canvas);
    const std::int64_t cw = std::int64_t{block.width} + 2 * kCaptionMargin;
    const std::int64_t ch = block.height;
    const Rect& c = state.ContentRect;
    state.CaptionRect =
        rectAt(centred(c.left, c.width(), cw), centred(c.top, c.height(), ch), cw, ch);
}

void CalcLayout(XpbState& state, const Canvas& canvas) {
    const std::int32_t w = state.ButtonWidth, h = state.ButtonHeight;
    state.ContentRect = {4, 4, w - 4, h - 4};
    const Rect& c = state.ContentRect;
    const std::int32_t cx = c.left, cy = c.top, CW = c.width(), CH = c.height();
    // Sizes are summed in 64 bits: a huge picture is placed, never an overflow.
    const std::int64_t pw = state.PictureWidth, ph = state.PictureHeight;
    if (state.Caption.empty()) {
        state.PictureRect = rectAt(centred(cx, CW, pw), centred(cy, CH, ph), pw, ph);
        return;
    }
    state.CaptionRect = state.ContentRect;
    CalcCaptionRect(state, canvas);
    if (!state.Picture)
        return;
    const std::int64_t cw = state.CaptionRect.width(), ch = state.CaptionRect.height();
    Rect& pic = state.PictureRect;
    Rect& cap = state.CaptionRect;
    switch (state.PicturePosition) {
        case kPictureAbove:
            pic = rectAt(centred(cx, CW, pw), centred(cy, CH, ph + ch + 4), pw, ph);
            cap = rectAt(centred(cx, CW, cw), saturate(pic.bottom + std::int64_t{4}), cw, ch);
            break;
        case kPictureLeft:
            pic = rectAt(centred(cx, CW, pw + cw + 4), centred(cy, CH, ph), pw, ph);
            cap = rectAt(saturate(pic.right + std::int64_t{4}), centred(cy, CH, ch), cw, ch);
            break;
        case kPictureRight:
            cap = rectAt(centred(cx, CW, pw + cw + 4), centred(cy, CH, ch), cw, ch);
            pic = rectAt(saturate(cap.right + std::int64_t{4}), centred(cy, CH, ph), pw, ph);
            break;
        case kPictureBelow:
            cap = rectAt(centred(cx, CW, cw), centred(cy, CH, ph + ch + 4), cw, ch);
            pic = rectAt(centred(cx, CW, pw), saturate(cap.bottom + std::int64_t{4}), pw, ph);
            break;
        default:
            break;
    }
}

}  // namespace zoltrek
