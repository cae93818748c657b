#include "controls/datetime/core/maskshape.h"

#include "controls/datetime/core/utf8text.h"

namespace zoltrek {

bool isDateLayout(std::int32_t layout) {
    return layout == kDateLayout;
}

int lengthLimit(std::int32_t layout) {
    return layout == kShortTimeLayout ? 5 : 8;
}

std::string_view layoutShape(std::int32_t layout) {
    if (isDateLayout(layout))
        return "00.00.00";
    return layout == kShortTimeLayout ? "00:00" : "00:00:00";
}

std::string fitToLayout(std::string_view text, std::int32_t layout) {
    const int limit = lengthLimit(layout);
    const int length = charCount(text);
    if (length >= limit)
        return firstChars(text, limit);
    return std::string(text) + std::string(layoutShape(layout).substr(length));
}

}  // namespace zoltrek
