#include "base/units.h"

#include <cmath>
#include <limits>

namespace zoltrek {

std::int32_t roundHalfEven(double value) {
    const double r = std::nearbyint(value);
    // Saturate rather than invoke undefined behaviour on a value beyond 32 bits.
    if (!(r >= std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (r > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

std::int32_t himetricToPixels(double himetric) {
    return roundHalfEven(himetric * 96.0 / 2540.0);
}

std::int32_t pixelsToHiMetric(double pixels) {
    return roundHalfEven(pixels * 2540.0 / 96.0);
}

}  // namespace zoltrek
