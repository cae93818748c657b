#pragma once

#include <cstdint>

namespace zoltrek {

inline constexpr std::int32_t kTwipsPerPixel = 15;

// Nearest integer, a half going to the even neighbour.
std::int32_t roundHalfEven(double value);

// HiMetric (0.01 mm) to pixels at 96 pixels to the inch, rounded half to even.
std::int32_t himetricToPixels(double himetric);

// Pixels at 96 to the inch to HiMetric, rounded half to even.
std::int32_t pixelsToHiMetric(double pixels);

}  // namespace zoltrek
