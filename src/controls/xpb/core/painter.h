#pragma once

#include <cstdint>
#include <functional>

#include "controls/xpb/core/canvas.h"
#include "controls/xpb/core/layout.h"
#include "controls/xpb/core/xpbstate.h"

namespace zoltrek {

// The hidden staging surface `Picture1` for bitmaps, of the size asked for: 83 × 55 pixels, or
// more for a larger bitmap so that it is copied whole.
using StagingSurface = std::function<Canvas&(std::int32_t width, std::int32_t height)>;

// What a repaint draws on: the button's surface, its enabled state and the staging surface.
struct PaintTarget {
    Canvas& surface;
    bool enabled;
    StagingSurface staging;
};

// What a repaint settles besides its pixels: the layout it drew by, the ring colours (the
// built-in ones while the defaults are on) and the mask colour (a bitmap's top-left one unless
// the stored one is used).
struct Painted {
    XpbLayout layout;
    Colour XPColor_Pressed;
    Colour XPColor_Hover;
    Colour MaskColor;
};

// Paints the whole button from nothing; it never lets other events run meanwhile.
Painted Refresh(const XpbState& state, const XpbLayout& previous, PaintTarget& target);

// Fills the rectangle when `fill` is 1, frames it otherwise, in the translated colour.
void PaintRect(Canvas& canvas, const Rect& r, std::uint32_t colour, std::uint8_t fill);

void DrawCaption(const XpbState& state, const Rect& captionRect, PaintTarget& target);
void DrawPicture(const XpbState& state, PaintTarget& target, Painted& painted);

}  // namespace zoltrek
