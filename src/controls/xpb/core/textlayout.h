#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/xpb/core/canvas.h"

namespace zoltrek {

// A caption as shown: "&x" underlines x (the first such mark counts), "&&" shows one "&",
// and a lone "&" at the end shows nothing.
TextLine stripMnemonics(std::string_view caption);

struct TextBlock {
    std::vector<TextLine> lines;
    std::int32_t width = 0;  // of the widest line
    std::int32_t height = 0;
};

// Breaks the text at spaces and line ends into lines no wider than `maxWidth`; a word wider
// than that stays whole on a line of its own.
TextBlock wrapText(const TextLine& text, std::int32_t maxWidth, const Canvas& canvas);

}  // namespace zoltrek
