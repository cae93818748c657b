#pragma once

#include "controls/xpb/core/painter.h"

namespace zoltrek {

// The XP style's face: a gradient under a rounded frame, ringed in the hover or pressed colour;
// settles the ring colours it used in `painted`.
void DrawXPFace(const XpbState& state, PaintTarget& target, Painted& painted);

}  // namespace zoltrek
