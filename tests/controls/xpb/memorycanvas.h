#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace zoltrek::test {

// A picture with its own pixels, for the pure tests.
class TestPicture : public Picture {
  public:
    TestPicture(Kind kind, std::int32_t width, std::int32_t height, Rgb fill);
    Kind kind() const override { return kind_; }
    std::int32_t widthHiMetric() const override;
    std::int32_t heightHiMetric() const override;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    Rgb pixel(std::int32_t x, std::int32_t y) const { return pixels_[y * width_ + x]; }
    void setPixel(std::int32_t x, std::int32_t y, Rgb c) { pixels_[y * width_ + x] = c; }

  private:
    Kind kind_;
    std::int32_t width_, height_;
    std::vector<Rgb> pixels_;
};

// A canvas in memory: exact pixels, text of fixed-width characters recorded as drawn.
class MemoryCanvas : public Canvas {
  public:
    struct TextDraw {
        std::int32_t x, y;
        TextLine line;
        Rgb colour;
    };
    struct PictureDraw {
        std::string how;  // "natural", "scaled", "disabled"
        const Picture* picture;
        Rect to;
        std::int32_t fromWidth, fromHeight;
    };

    MemoryCanvas(std::int32_t width, std::int32_t height, Rgb fill = 0x00123456);
    void resize(std::int32_t width, std::int32_t height);

    std::int32_t width() const override { return width_; }
    std::int32_t height() const override { return height_; }
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    void setPixel(std::int32_t x, std::int32_t y, Rgb colour) override;

    std::int32_t lineHeight() const override { return lineHeight_; }
    std::int32_t textWidth(std::string_view text) const override;
    void drawTextLine(std::int32_t x, std::int32_t y, const TextLine& line, Rgb colour) override;

    void drawPicture(const Picture& picture, std::int32_t x, std::int32_t y) override;
    void drawPictureScaled(const Picture& picture, const Rect& to, std::int32_t fromWidth,
                           std::int32_t fromHeight) override;
    void drawPictureDisabled(const Picture& picture, std::int32_t x, std::int32_t y) override;

    std::int32_t charWidth = 6;
    std::int32_t lineHeight_ = 13;
    std::vector<TextDraw> texts;
    std::vector<PictureDraw> pictures;

  private:
    std::int32_t width_, height_;
    std::vector<Rgb> pixels_;
};

}  // namespace zoltrek::test
