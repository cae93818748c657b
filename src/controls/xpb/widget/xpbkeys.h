#pragma once

#include <Qt>
#include <cstdint>

namespace zoltrek {

// The platform's virtual-key code of a Qt key: letters, digits and Space keep their codes;
// 0 for a key without one.
std::int16_t keyCodeOf(int qtKey);

// The modifier mask: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftOf(Qt::KeyboardModifiers modifiers);

// Mouse-button values: 1 left, 2 right, 4 middle; a sum for several buttons held.
std::int16_t buttonsOf(Qt::MouseButtons buttons);

}  // namespace zoltrek
