#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "controls/xpb/core/canvas.h"

namespace zoltrek::test {

// A picture with its own pixels, at 96 pixels to the inch.
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
    using I = std::int32_t;
    struct Drawn {  // a line of text, or a "scaled" or "disabled" picture
        std::string what;
        I x, y;
        Rgb colour = 0;
        std::size_t underline = 0;
        Rect to{};
        friend bool operator==(const Drawn&, const Drawn&) = default;
    };
    MemoryCanvas(int w, int h) : w(w), h(h), pixels(w * h, 0x123456) {}
    I width() const override { return w; }
    I height() const override { return h; }
    Rgb pixel(I x, I y) const override { return in(x, y) ? pixels[y * w + x] : kInvalidPixel; }
    void setPixel(I x, I y, Rgb c) override {
        if (in(x, y))
            pixels[y * w + x] = c;
    }
    bool in(I x, I y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    I lineHeight() const override { return 13; }
    I textWidth(std::string_view t) const override { return charWidth * I(decodeUtf8(t).size()); }
    void drawTextLine(I x, I y, const TextLine& l, Rgb c) override {
        drawn.push_back({l.text, x, y, c, l.underline});
    }
    void drawPicture(const Picture& p, I x, I y) override {
        auto& t = dynamic_cast<const TestPicture&>(p);
        for (int i = 0; i < t.w * t.h; ++i)
            setPixel(x + i % t.w, y + i / t.w, t.pixels[i]);
    }
    void drawPictureScaled(const Picture&, const Rect& to, I fw, I fh) override {
        drawn.push_back({"scaled", fw, fh, 0, 0, to});
    }
    void drawPictureDisabled(const Picture&, I x, I y) override {
        drawn.push_back({"disabled", x, y});
    }
    int w, h;
    std::vector<Rgb> pixels;
    std::vector<Drawn> drawn;
    int charWidth = 6;
};

}  // namespace zoltrek::test
