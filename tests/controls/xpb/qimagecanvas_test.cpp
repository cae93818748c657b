#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include "imagepicture.h"
#include "qimagecanvas.h"
#include "xpb.h"

namespace zoltrek {
namespace {

constexpr QRgb kBack = qRgb(9, 9, 9);

struct Surface {
    Surface(int w, int h) : image(w, h, QImage::Format_RGB32), canvas(image, QApplication::font()) {
        image.fill(kBack);
    }
    int changed() const {
        int n = 0;
        for (int i = 0; i < image.width() * image.height(); ++i)
            n += image.pixel(i % image.width(), i / image.width()) != kBack;
        return n;
    }
    QImage image;
    QImageCanvas canvas;
};

TEST(QImageCanvas, PixelsFillsAndFramesExactAndClipped) {
    Surface s(10, 10);
    s.canvas.setPixel(1, 2, rgb(1, 2, 3));
    s.canvas.setPixel(10, 0, 0);
    EXPECT_EQ(s.image.pixel(1, 2), qRgb(1, 2, 3));
    EXPECT_EQ(s.canvas.pixel(1, 2), 0x00030201u);
    EXPECT_EQ(s.canvas.pixel(-1, 0), Canvas::kInvalidPixel);
    EXPECT_EQ(s.changed(), 1) << "nothing drawn outside";
    // Rectangles filled, clipped at either side or empty.
    const std::pair<Rect, int> rows[] = {
        {{1, 1, 4, 3}, 6}, {{-5, -5, 2, 2}, 4}, {{8, 8, 20, 20}, 4}, {{5, 1, 2, 4}, 0}};
    for (auto [r, painted] : rows) {
        Surface t(10, 10);
        t.canvas.fillRect(r, 0);
        EXPECT_EQ(t.changed(), painted) << r.left << "," << r.top << "," << r.right;
    }
    Surface framed(10, 10);
    framed.canvas.frameRect({0, 0, 11, 11}, 0);
    EXPECT_EQ(framed.changed(), 19) << "a frame clipped at the right and the bottom";
}

TEST(QImageCanvas, TextInItsColourWithinItsLineUnderlined) {
    Surface s(120, 40);
    const QFontMetrics m(QApplication::font());
    s.canvas.drawTextLine(10, 5, TextLine{"Итого", 4}, rgb(0, 0, 255));  // underline "о"
    const QRect line(9, 4, m.horizontalAdvance("Итого") + 2, m.height() + 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            EXPECT_TRUE(s.image.pixel(x, y) == kBack || line.contains(x, y))
                << x << "," << y << " is outside the line";
    EXPECT_GT(s.changed(), 10) << "text was drawn";
    const int y = 5 + m.ascent() + m.underlinePos();
    for (int x = 10 + m.horizontalAdvance("Ит"); x < 10 + m.horizontalAdvance("Ито"); ++x)
        EXPECT_EQ(s.image.pixel(x, y), qRgb(0, 0, 255)) << x;
}

TEST(QImageCanvas, DisabledPictureEmbossed) {
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    bitmap.setPixel(1, 0, qRgb(0, 0, 0));
    Surface s(6, 6);
    s.canvas.drawPictureDisabled(*makePicture(bitmap, Picture::Kind::Bitmap), 1, 1);
    EXPECT_EQ(s.image.pixel(2, 1), qRgb(160, 160, 160));
    EXPECT_EQ(s.image.pixel(3, 2), qRgb(255, 255, 255));
    EXPECT_EQ(s.changed(), 2) << "white pixels are left out";
}

TEST(XpBImage, ShowsThePaintersPixels) {
    XpB button;
    button.resize(30, 20);
    button.readProperties(PropertyBag{{"buttonstyle", 3}, {"caption", std::string()}}, "XpB1");
    const QImage& image = button.image();
    EXPECT_EQ(std::pair(image.pixel(10, 1), image.pixel(1, 1)),
              std::pair(qRgb(253, 253, 253), qRgb(0, 0, 0)));
    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 255));
    bitmap.setPixel(8, 8, qRgb(255, 0, 0));
    button.setButtonStyle(1);
    button.setPicture(makePicture(bitmap, Picture::Kind::Bitmap));
    EXPECT_EQ(button.MaskColor(), Colour{rgb(255, 0, 255)});
    EXPECT_EQ(std::pair(image.pixel(15, 10), image.pixel(7, 2)),
              std::pair(qRgb(255, 0, 0), qRgb(240, 240, 240)));
}

}  // namespace
}  // namespace zoltrek
