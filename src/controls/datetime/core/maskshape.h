#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zoltrek {

// `Layout` values: 0 a date dd.mm.yy, 1 a short time hh:mm, any other a long time hh:mm:ss.
inline constexpr std::int32_t kDateLayout = 0;
inline constexpr std::int32_t kShortTimeLayout = 1;
inline constexpr std::int32_t kDefaultLayout = kShortTimeLayout;

// The inner box's text before anything is read or set.
inline constexpr std::string_view kDesignText = "00:00:00";

bool isDateLayout(std::int32_t layout);

// How many characters typing may reach: 5 for the short time, 8 otherwise.
int lengthLimit(std::int32_t layout);

// The empty mask of a layout, which also pads a text that is too short for it.
std::string_view layoutShape(std::int32_t layout);

// `text` cut to the layout's length limit, or completed from its shape.
std::string fitToLayout(std::string_view text, std::int32_t layout);

}  // namespace zoltrek
