#pragma once

#include <cstdint>

namespace zoltrek {

// A plain colour 0x00BBGGRR, red in the lowest byte.
using Rgb = std::uint32_t;

inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

// The colour value that names a system colour index.
constexpr std::uint32_t systemColour(int index) {
    return kSystemColourFlag | static_cast<std::uint32_t>(index);
}

constexpr Rgb rgb(int red, int green, int blue) {
    return static_cast<Rgb>(red & 0xFF) | static_cast<Rgb>(green & 0xFF) << 8 |
           static_cast<Rgb>(blue & 0xFF) << 16;
}
constexpr int redOf(Rgb c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// A colour value with the high bit set names a system colour; others are plain colours.
Rgb TranslateColor(std::uint32_t colour);

// Adds `amount` to each channel, clamped to 0..255.
Rgb ShiftColor(Rgb colour, std::int32_t amount);

}  // namespace zoltrek
