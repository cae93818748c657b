#include "controls/xpb/core/layout.h"

#include <algorithm>
#include <limits>

#include "base/units.h"

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

// The caption measured within the content and centred there.
Rect CalcCaptionRect(const XpbState& state, const Rect& content, const Canvas& canvas) {
    const TextBlock block = captionBlock(state, content, canvas);
    const std::int64_t width = std::int64_t{block.width} + 2 * kCaptionMargin;
    const std::int64_t height = block.height;
    return rectAt(centred(content.left, content.width(), width),
                  centred(content.top, content.height(), height), width, height);
}

}  // namespace

TextBlock captionBlock(const XpbState& state, const Rect& rect, const Canvas& canvas) {
    return wrapText(stripMnemonics(state.Caption), rect.width() - 2 * kCaptionMargin, canvas);
}

XpbLayout CalcLayout(const XpbState& state, const XpbLayout& previous, const Canvas& canvas) {
    const Rect content{4, 4, state.ButtonWidth - 4, state.ButtonHeight - 4};
    const std::int32_t left = content.left, top = content.top;
    const std::int32_t roomX = content.width(), roomY = content.height();
    // Sizes are summed in 64 bits: a huge picture is placed, never an overflow.
    const std::int64_t pw = state.PictureWidth, ph = state.PictureHeight;
    XpbLayout out = previous;
    Rect& pic = out.PictureRect;
    Rect& cap = out.CaptionRect;
    if (state.Caption.empty()) {
        pic = rectAt(centred(left, roomX, pw), centred(top, roomY, ph), pw, ph);
        return out;
    }
    cap = CalcCaptionRect(state, content, canvas);
    if (!state.Picture)
        return out;
    const std::int64_t cw = cap.width(), ch = cap.height();
    switch (state.PicturePosition) {
        case kPictureAbove:
            pic = rectAt(centred(left, roomX, pw), centred(top, roomY, ph + ch + 4), pw, ph);
            cap = rectAt(centred(left, roomX, cw), saturate(pic.bottom + std::int64_t{4}), cw, ch);
            break;
        case kPictureLeft:
            pic = rectAt(centred(left, roomX, pw + cw + 4), centred(top, roomY, ph), pw, ph);
            cap = rectAt(saturate(pic.right + std::int64_t{4}), centred(top, roomY, ch), cw, ch);
            break;
        case kPictureRight:
            cap = rectAt(centred(left, roomX, pw + cw + 4), centred(top, roomY, ch), cw, ch);
            pic = rectAt(saturate(cap.right + std::int64_t{4}), centred(top, roomY, ph), pw, ph);
            break;
        case kPictureBelow:
            cap = rectAt(centred(left, roomX, cw), centred(top, roomY, ph + ch + 4), cw, ch);
            pic = rectAt(centred(left, roomX, pw), saturate(cap.bottom + std::int64_t{4}), pw, ph);
            break;
        default:
            break;
    }
    return out;
}

}  // namespace zoltrek
