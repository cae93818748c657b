#pragma once

#include <cstdint>
#include <string>

#include "controls/propertybag.h"
#include "controls/xpb/core/rect.h"

namespace zoltrek {

// Booleans of the control's interface are 16-bit: True is -1, False is 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue16 = -1;
inline constexpr Bool16 kFalse16 = 0;
inline constexpr Bool16 toBool16(bool b) {
    return b ? kTrue16 : kFalse16;
}

// `ButtonStyle` values.
inline constexpr std::int32_t kStyleStandard = 0;
inline constexpr std::int32_t kStyleFlat = 1;
inline constexpr std::int32_t kStyleXP = 3;

// `PicturePosition` values.
inline constexpr std::int32_t kPictureAbove = 0;
inline constexpr std::int32_t kPictureLeft = 1;
inline constexpr std::int32_t kPictureRight = 2;
inline constexpr std::int32_t kPictureBelow = 3;

// The state of one button; a new instance has every field zero, false, empty or none.
struct XpbState {
    std::int32_t ButtonWidth = 0;
    std::int32_t ButtonHeight = 0;
    Rect FocusRect;
    PictureRef Picture;
    std::int32_t PicturePosition = 0;
    std::int32_t ButtonStyle = 0;
    std::string Caption;  // UTF-8
    std::int32_t PictureWidth = 0;
    std::int32_t PictureHeight = 0;
    std::uint8_t Focused = 0;
    std::uint8_t Pressed = 0;  // 0, or the mouse-button value that presses it (1 = left)
    std::uint8_t Hover = 0;
    Bool16 ShowFocusRect = kFalse16;
    Colour MaskColor;
    std::int32_t UseMaskColor = 0;
    Bool16 XPDefaultColors = kFalse16;
    Colour XPColor_Pressed;
    Colour XPColor_Hover;
};

}  // namespace zoltrek
