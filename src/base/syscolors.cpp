#include "base/syscolors.h"

#include <array>
#include <utility>

namespace zoltrek {

namespace {

constexpr std::uint32_t bgr(std::uint32_t rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

// Fixed so that the program looks the same on every desktop theme.
constexpr std::array<std::pair<int, std::uint32_t>, 9> kScheme{{
    {COLOR_WINDOW, bgr(0xFFFFFF)},
    {COLOR_WINDOWTEXT, bgr(0x000000)},
    {COLOR_BTNFACE, bgr(0xF0F0F0)},
    {COLOR_BTNSHADOW, bgr(0xA0A0A0)},
    {COLOR_GRAYTEXT, bgr(0x6D6D6D)},
    {COLOR_BTNTEXT, bgr(0x000000)},
    {COLOR_BTNHIGHLIGHT, bgr(0xFFFFFF)},
    {COLOR_3DDKSHADOW, bgr(0x696969)},
    {COLOR_3DLIGHT, bgr(0xE3E3E3)},
}};

}  // namespace

std::uint32_t sysColor(int index) {
    for (const auto& [i, colour] : kScheme)
        if (i == index)
            return colour;
    return 0;
}

}  // namespace zoltrek
