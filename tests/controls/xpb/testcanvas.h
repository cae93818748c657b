#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "canvas.h"
#include "utf8.h"

namespace zoltrek::test {

// A picture with its own pixels.
struct TestPicture : Picture {
    TestPicture(Kind k, int w, int h, Rgb fill) : k(k), w(w), h(h), pixels(w * h, fill) {}
    Kind kind() const override { return k; }
    std::int32_t widthHiMetric() const override { return std::lround(w * 2540.0 / 96.0); }
    std::int32_t heightHiMetric() const override { return std::lround(h * 2540.0 / 96.0); }
    Kind k;
    int w, h;
    std::vector<Rgb> pixels;
};

// Exact pixels in memory; characters 6 pixels wide, lines 13 high; text and pictures recorded.
struct MemoryCanvas : Canvas {
    struct Drawn {
        std::string what;  // the text, or "natural", "scaled", "disabled" for a picture
        std::int32_t x, y;
        Rgb colour;
        std::size_t underline = 0;
        Rect to{};
    };
    MemoryCanvas(int w, int h, Rgb fill = 0x123456) : w(w), h(h), pixels(w * h, fill) {}
    std::int32_t width() const override { return w; }
    std::int32_t height() const override { return h; }
    Rgb pixel(std::int32_t x, std::int32_t y) const override {
        return x < 0 || y < 0 || x >= w || y >= h ? kInvalidPixel : pixels[y * w + x];
    }
    void setPixel(std::int32_t x, std::int32_t y, Rgb c) override {
        if (x >= 0 && y >= 0 && x < w && y < h)
            pixels[y * w + x] = c;
    }
    std::int32_t lineHeight() const override { return 13; }
    std::int32_t textWidth(std::string_view t) const override {
        return charWidth * static_cast<std::int32_t>(decodeUtf8(t).size());
    }
    void drawTextLine(std::int32_t x, std::int32_t y, const TextLine& l, Rgb c) override {
        drawn.push_back({l.text, x, y, c, l.underline});
    }
    void drawPicture(const Picture& p, std::int32_t x, std::int32_t y) override {
        auto& t = dynamic_cast<const TestPicture&>(p);
        for (int j = 0; j < t.h; ++j)
            for (int i = 0; i < t.w; ++i)
                setPixel(x + i, y + j, t.pixels[j * t.w + i]);
    }
    void drawPictureScaled(const Picture&, const Rect& to, std::int32_t fw,
                           std::int32_t fh) override {
        drawn.push_back({"scaled", fw, fh, 0, 0, to});
    }
    void drawPictureDisabled(const Picture&, std::int32_t x, std::int32_t y) override {
        drawn.push_back({"disabled", x, y, 0});
    }
    int w, h;
    std::vector<Rgb> pixels;
    std::vector<Drawn> drawn;
    int charWidth = 6;
};

}  // namespace zoltrek::test
