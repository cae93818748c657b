#include "controls/xpb/core/canvas.h"

#include <algorithm>

namespace zoltrek {

void Canvas::clear(Rgb colour) {
    fillRect({0, 0, width(), height()}, colour);
}

void Canvas::fillRect(const Rect& r, Rgb colour) {
    const std::int32_t x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const std::int32_t y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    for (std::int32_t y = y0; y < y1; ++y)
        for (std::int32_t x = x0; x < x1; ++x)
            setPixel(x, y, colour);
}

void Canvas::frameRect(const Rect& r, Rgb colour) {
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    fillRect({r.left, r.top, r.right, r.top + 1}, colour);
    fillRect({r.left, r.bottom - 1, r.right, r.bottom}, colour);
    fillRect({r.left, r.top, r.left + 1, r.bottom}, colour);
    fillRect({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void Canvas::line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour) {
    if (y1 == y2)
        fillRect({x1 < x2 ? x1 : x2 + 1, y1, x1 < x2 ? x2 : x1 + 1, y1 + 1}, colour);
    else if (x1 == x2)
        fillRect({x1, y1 < y2 ? y1 : y2 + 1, x1 + 1, y1 < y2 ? y2 : y1 + 1}, colour);
}

void Canvas::invertFocusRect(const Rect& r) {
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    // The dots follow a checkerboard fixed to the surface, not to the rectangle.
    auto invert = [this](std::int32_t x, std::int32_t y) {
        if (((x + y) & 1) == 0 && x >= 0 && y >= 0 && x < width() && y < height())
            setPixel(x, y, pixel(x, y) ^ 0x00FFFFFFu);
    };
    for (std::int32_t x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        invert(x, r.bottom - 1);
    }
    for (std::int32_t y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        invert(r.right - 1, y);
    }
}

void Canvas::transparentCopy(const Canvas& source, const Rect& from, std::int32_t toX,
                             std::int32_t toY, std::uint32_t transparent) {
    for (std::int32_t j = 0; j < from.height(); ++j) {
        for (std::int32_t i = 0; i < from.width(); ++i) {
            const Rgb p = source.pixel(from.left + i, from.top + j);
            if (p != kInvalidPixel && p != transparent)
                setPixel(toX + i, toY + j, p);
        }
    }
}

}  // namespace zoltrek
