#pragma once

#include <cstdint>

namespace zoltrek {

inline constexpr std::int32_t kTwipsPerPixel = 15;

// Nearest integer, a half going to the even neighbour.
std::int32_t roundHalfEven(double value);

// Twips to pixels, to the nearest: with 15 twips to the pixel there is never a tie.
constexpr std::int32_t twipsToPixels(std::int32_t twips) {
    constexpr std::int64_t half = kTwipsPerPixel / 2;
    const std::int64_t t = twips;
    return static_cast<std::int32_t>(t >= 0 ? (t + half) / kTwipsPerPixel
                                            : -((half - t) / kTwipsPerPixel));
}

// HiMetric (0.01 mm) to pixels at 96 pixels to the inch, rounded half to even.
std::int32_t himetricToPixels(double himetric);

// Pixels at 96 to the inch to HiMetric, rounded half to even.
std::int32_t pixelsToHiMetric(double pixels);

}  // namespace zoltrek
