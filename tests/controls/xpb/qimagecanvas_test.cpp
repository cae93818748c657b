#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include "imagepicture.h"
#include "qimagecanvas.h"
#include "xpb.h"

namespace zoltrek {
namespace {

struct Surface {
    Surface(int w, int h) : image(w, h, QImage::Format_RGB32), canvas(image, QApplication::font()) {
        image.fill(qRgb(9, 9, 9));
    }
    int count(QRgb colour, const QRect& area) const {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
    QImage image;
    QImageCanvas canvas;
};

TEST(QImageCanvas, PixelsInBothColourOrders) {
    Surface s(4, 3);
    s.canvas.setPixel(1, 2, rgb(1, 2, 3));
    EXPECT_EQ(s.image.pixel(1, 2), qRgb(1, 2, 3));
    EXPECT_EQ(s.canvas.pixel(1, 2), 0x00030201u);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, 3}, {0, -1}}) {
        EXPECT_EQ(s.canvas.pixel(x, y), Canvas::kInvalidPixel);
        s.canvas.setPixel(x, y, 0);
    }
    EXPECT_EQ(s.count(qRgb(9, 9, 9), QRect(0, 0, 4, 3)), 11);
}

TEST(QImageCanvas, FillAndFrameAreExactAndClipped) {
    const struct {
        Rect r;
        bool frame;
        int painted;
    } rows[] = {
        {{1, 1, 4, 3}, false, 6},     {{-5, -5, 2, 2}, false, 4}, {{8, 8, 20, 20}, false, 4},
        {{3, 3, 3, 9}, false, 0},     {{5, 1, 2, 4}, false, 0},   {{-9, -9, -2, -2}, false, 0},
        {{0, 0, 10, 10}, false, 100}, {{0, 0, 10, 10}, true, 36}, {{0, 0, 11, 11}, true, 19},
        {{2, 2, 3, 3}, true, 1},      {{4, 4, 4, 8}, true, 0},
    };
    for (const auto& r : rows) {
        Surface s(10, 10);
        if (r.frame)
            s.canvas.frameRect(r.r, rgb(255, 0, 0));
        else
            s.canvas.fillRect(r.r, rgb(255, 0, 0));
        EXPECT_EQ(s.count(qRgb(255, 0, 0), QRect(0, 0, 10, 10)), r.painted)
            << r.r.left << "," << r.r.top << "," << r.r.right << "," << r.r.bottom;
    }
}

TEST(QImageCanvas, TextInItsColourWithinItsLineAndUnderlined) {
    Surface s(120, 40);
    const QFontMetrics metrics(QApplication::font());
    const TextLine line{"Итого", 4};  // the byte offset of the third letter
    EXPECT_EQ(s.canvas.textWidth(line.text), metrics.horizontalAdvance(QString("Итого")));
    EXPECT_EQ(s.canvas.lineHeight(), metrics.height());
    s.canvas.drawTextLine(10, 5, line, rgb(0, 0, 255));
    const int w = s.canvas.textWidth(line.text), h = s.canvas.lineHeight();
    const QRect box(10, 5, w, h);
    int outside = 0, inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool changed = s.image.pixel(x, y) != qRgb(9, 9, 9);
            (box.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside) += changed;
        }
    EXPECT_GT(inside, 10);
    EXPECT_EQ(outside, 0);
    // The underline runs exactly under the third letter.
    const int underlineY = 5 + metrics.ascent() + metrics.underlinePos();
    const int from = 10 + metrics.horizontalAdvance(QString("Ит"));
    const int to = 10 + metrics.horizontalAdvance(QString("Ито"));
    for (int x = from; x < to; ++x)
        EXPECT_EQ(s.image.pixel(x, underlineY), qRgb(0, 0, 255)) << x;
}

TEST(QImageCanvas, PicturesNaturalScaledAndDisabled) {
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    bitmap.setPixel(1, 0, qRgb(0, 0, 0));
    const PictureRef picture = makePicture(bitmap, Picture::Kind::Bitmap);
    EXPECT_EQ(picture->widthHiMetric(), 79);
    EXPECT_EQ(picture->heightHiMetric(), 53);

    Surface natural(6, 6);
    natural.canvas.drawPicture(*picture, 2, 3);
    EXPECT_EQ(natural.image.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(natural.image.pixel(2, 4), qRgb(255, 255, 255));
    EXPECT_EQ(natural.count(qRgb(9, 9, 9), QRect(0, 0, 6, 6)), 30);

    QImage icon(2, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(255, 0, 0, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 0, 0));
    Surface scaled(6, 6);
    scaled.canvas.drawPictureScaled(*makePicture(icon, Picture::Kind::Icon), {0, 0, 4, 2}, 2, 1);
    EXPECT_EQ(scaled.count(qRgb(255, 0, 0), QRect(0, 0, 6, 6)), 4);
    EXPECT_EQ(scaled.image.pixel(3, 1), qRgb(9, 9, 9)) << "the icon's transparency applies";

    // Embossed: highlight one pixel down-right, shadow over the picture's dark pixels.
    Surface disabled(6, 6);
    disabled.canvas.drawPictureDisabled(*picture, 1, 1);
    EXPECT_EQ(disabled.image.pixel(2, 1), qRgb(160, 160, 160));
    EXPECT_EQ(disabled.image.pixel(3, 2), qRgb(255, 255, 255));
    EXPECT_EQ(disabled.count(qRgb(9, 9, 9), QRect(0, 0, 6, 6)), 34);
}

TEST(XpBImage, PaintsTheSamePixelsAsThePainter) {
    XpB button;
    button.resize(30, 20);
    button.readProperties(PropertyBag{{"buttonstyle", 3}, {"caption", std::string()}}, "XpB1");
    const QImage& image = button.image();
    ASSERT_EQ(image.size(), QSize(30, 20));
    for (auto [y, v] : {std::pair{1, 253}, {2, 250}, {3, 247}, {18, 210}})
        EXPECT_EQ(image.pixel(10, y), qRgb(v, v, v)) << "row " << y;
    EXPECT_EQ(image.pixel(0, 10), qRgb(0x69, 0x69, 0x69));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(240, 240, 240));

    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 255));
    bitmap.setPixel(8, 8, qRgb(255, 0, 0));
    button.setButtonStyle(1);
    button.setPicture(makePicture(bitmap, Picture::Kind::Bitmap));
    EXPECT_EQ(button.MaskColor(), Colour{rgb(255, 0, 255)});
    const Rect& p = button.state().PictureRect;
    EXPECT_EQ(p, (Rect{7, 2, 23, 18}));
    EXPECT_EQ(image.pixel(p.left + 8, p.top + 8), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(p.left, p.top), qRgb(240, 240, 240));
}

}  // namespace
}  // namespace zoltrek
