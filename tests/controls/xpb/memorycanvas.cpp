#include "memorycanvas.h"

#include <cmath>

#include "utf8.h"

namespace zoltrek::test {

TestPicture::TestPicture(Kind kind, std::int32_t width, std::int32_t height, Rgb fill)
    : kind_(kind), width_(width), height_(height), pixels_(width * height, fill) {}

std::int32_t TestPicture::widthHiMetric() const {
    return static_cast<std::int32_t>(std::lround(width_ * 2540.0 / 96.0));
}

std::int32_t TestPicture::heightHiMetric() const {
    return static_cast<std::int32_t>(std::lround(height_ * 2540.0 / 96.0));
}

MemoryCanvas::MemoryCanvas(std::int32_t width, std::int32_t height, Rgb fill)
    : width_(width), height_(height), pixels_(width * height, fill) {}

void MemoryCanvas::resize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
    pixels_.assign(width * height, 0x00123456);
}

Rgb MemoryCanvas::pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kInvalidPixel;
    return pixels_[y * width_ + x];
}

void MemoryCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[y * width_ + x] = colour;
}

std::int32_t MemoryCanvas::textWidth(std::string_view text) const {
    return charWidth * static_cast<std::int32_t>(decodeUtf8(text).size());
}

void MemoryCanvas::drawTextLine(std::int32_t x, std::int32_t y, const TextLine& line, Rgb colour) {
    texts.push_back({x, y, line, colour});
}

void MemoryCanvas::drawPicture(const Picture& picture, std::int32_t x, std::int32_t y) {
    pictures.push_back({"natural", &picture, {x, y, x, y}, 0, 0});
    if (auto* p = dynamic_cast<const TestPicture*>(&picture))
        for (std::int32_t j = 0; j < p->height(); ++j)
            for (std::int32_t i = 0; i < p->width(); ++i)
                setPixel(x + i, y + j, p->pixel(i, j));
}

void MemoryCanvas::drawPictureScaled(const Picture& picture, const Rect& to, std::int32_t fromWidth,
                                     std::int32_t fromHeight) {
    pictures.push_back({"scaled", &picture, to, fromWidth, fromHeight});
}

void MemoryCanvas::drawPictureDisabled(const Picture& picture, std::int32_t x, std::int32_t y) {
    pictures.push_back({"disabled", &picture, {x, y, x, y}, 0, 0});
}

}  // namespace zoltrek::test
