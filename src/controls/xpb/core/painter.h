#pragma once

#include <cstdint>
#include <functional>

#include "canvas.h"
#include "xpbstate.h"

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

// Paints the whole button from nothing. It updates the layout rectangles, the built-in ring
// colours and the mask colour, as painting does; it never lets other events run meanwhile.
void Refresh(XpbState& state, PaintTarget& target);

// Fills the rectangle when `fill` is 1, frames it otherwise, in the translated colour.
void PaintRect(Canvas& canvas, const Rect& r, std::uint32_t colour, std::uint8_t fill);

void DrawXPFace(XpbState& state, PaintTarget& target, std::uint8_t pressed, std::uint8_t hover);
void DrawCaption(const XpbState& state, PaintTarget& target);
void DrawPicture(XpbState& state, PaintTarget& target);

}  // namespace zoltrek
