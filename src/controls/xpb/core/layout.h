#pragma once

#include "controls/xpb/core/canvas.h"
#include "controls/xpb/core/textlayout.h"
#include "controls/xpb/core/xpbstate.h"

namespace zoltrek {

// The caption is drawn a pixel in from either side of its rectangle.
inline constexpr std::int32_t kCaptionMargin = 1;

// Where a paint puts the picture and the caption.
struct XpbLayout {
    Rect PictureRect;
    Rect CaptionRect;
    friend bool operator==(const XpbLayout&, const XpbLayout&) = default;
};

// The rectangles for the current size, caption and picture; one that nothing places keeps its
// `previous` place, where a picture is still drawn.
XpbLayout CalcLayout(const XpbState& state, const XpbLayout& previous, const Canvas& canvas);

// The caption's lines laid out for drawing in `rect`, as the text drawing places them.
TextBlock captionBlock(const XpbState& state, const Rect& rect, const Canvas& canvas);

}  // namespace zoltrek
