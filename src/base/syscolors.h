#pragma once

#include <cstdint>

namespace zoltrek {

// Windows system colour indexes that the program paints with.
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;

// The colour of a system colour index in the fixed Windows default scheme, as 0x00BBGGRR;
// an index outside the table gives 0, as the platform does for an unsupported index.
std::uint32_t sysColor(int index);

}  // namespace zoltrek
