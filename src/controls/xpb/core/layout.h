#pragma once

#include "canvas.h"
#include "textlayout.h"
#include "xpbstate.h"

namespace zoltrek {

// The caption is drawn a pixel in from either side of its rectangle.
inline constexpr std::int32_t kCaptionMargin = 1;

// Sets `ContentRect`, `CaptionRect` and `PictureRect` for the current size, caption and picture.
void CalcLayout(XpbState& state, const Canvas& canvas);

// Measures the caption within `CaptionRect` (which holds `ContentRect`) and centres it there.
void CalcCaptionRect(XpbState& state, const Canvas& canvas);

// The caption's lines laid out for drawing in `rect`, as the text drawing places them.
TextBlock captionBlock(const XpbState& state, const Rect& rect, const Canvas& canvas);

}  // namespace zoltrek
