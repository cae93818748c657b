#include "controls/xpb/core/colour.h"

#include <algorithm>

#include "base/syscolors.h"

namespace zoltrek {

Rgb TranslateColor(std::uint32_t colour) {
    if (colour & kSystemColourFlag)
        return sysColor(static_cast<int>(colour & ~kSystemColourFlag));
    return colour;
}

Rgb ShiftColor(Rgb colour, std::int32_t amount) {
    auto shift = [amount](int channel) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{channel} + amount, 0, 255));
    };
    return rgb(shift(redOf(colour)), shift(greenOf(colour)), shift(blueOf(colour)));
}

}  // namespace zoltrek
